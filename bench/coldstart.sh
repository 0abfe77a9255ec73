#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cold start: process start until its window is mapped on the X server, for
# Corvane and for a bare Qt window built in the same tree, in alternation; and
# the peak memory (VmHWM) of each once shown. Run inside an X server:
#   xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bench/coldstart.sh build [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-15}

# Starts xev on the root window as the coprocess XEV. A server just started may not take
# connections yet: xev then ends at once, and is started again.
listen() {
    local _
    for _ in $(seq 50); do
        coproc XEV { exec stdbuf -oL xev -root -event substructure 2>/dev/null; }
        sleep 0.3 # xev prints nothing once it listens; give it time to start
        [ -n "${XEV[0]:-}" ] && kill -0 "$XEV_PID" 2>/dev/null && return 0
        wait "${XEV_PID:-}" 2>/dev/null || true
    done
    echo "xev could not reach the X server at ${DISPLAY:-(no DISPLAY)} within 15 s" >&2
    exit 1
}

measure() { # program -> "milliseconds peak_kB"
    local start pid ms line
    # One listening connection sees the window being mapped; polling the server
    # with a new client every few milliseconds would itself disturb it.
    listen
    start=$(date +%s%N)
    "$1" >/dev/null 2>/tmp/coldstart-err.txt &
    pid=$!
    while read -r -t 15 line <&"${XEV[0]}"; do
        [[ $line == MapNotify* ]] && break
    done
    [[ ${line:-} == MapNotify* ]] || { echo "$1 did not show a window:" >&2; cat /tmp/coldstart-err.txt >&2; exit 1; }
    ms=$((($(date +%s%N) - start) / 1000000))
    kill "$XEV_PID"
    sleep 0.3 # let it settle before reading its peak memory
    echo "$ms $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
fastest() { sort -n | head -1; }

: >/tmp/corvane-start.txt
: >/tmp/bare-start.txt
for _ in $(seq "$runs"); do
    measure "$build/src/corvane" >>/tmp/corvane-start.txt
    measure "$build/bench/bare_window" >>/tmp/bare-start.txt
done
c=$(cut -d' ' -f1 /tmp/corvane-start.txt | median)
b=$(cut -d' ' -f1 /tmp/bare-start.txt | median)
cm=$(cut -d' ' -f2 /tmp/corvane-start.txt | median)
bm=$(cut -d' ' -f2 /tmp/bare-start.txt | median)
cf=$(cut -d' ' -f1 /tmp/corvane-start.txt | fastest)
bf=$(cut -d' ' -f1 /tmp/bare-start.txt | fastest)
printf '%-12s %14s %14s %14s\n' program "median ms" "fastest ms" "peak memory"
printf '%-12s %14s %14s %11s kB\n' corvane "$c" "$cf" "$cm" bare "$b" "$bf" "$bm"
awk -v c="$c" -v b="$b" -v cf="$cf" -v bf="$bf" \
    'BEGIN {printf "ratio        %14.2f %14.2f    ('"$runs"' runs each)\n", c / b, cf / bf}'
