#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up cost to the first painted window, for Corvane and for the bare Qt window built in the
# same tree: instructions counted by callgrind, which the machine's load does not move, and the
# peak resident memory (VmHWM) of runs without valgrind, the median of RUNS. Both programs are
# the copies that end after their first frame (bench/first_frame.cpp), drawn offscreen.
#   bench/startup_cost.sh build [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

instructions() { # program -> instructions to its first frame
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" "$1" 2>"$out/valgrind.txt" ||
        { cat "$out/valgrind.txt" >&2; exit 1; }
    awk '/Collected :/ {print $NF}' "$out/valgrind.txt"
}

peak() { # program -> median peak resident memory in kB over the runs
    local _
    for _ in $(seq "$runs"); do
        "$1" 2>&1 >/dev/null | awk '/^first frame: VmHWM:/ {print $4}'
    done | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

ci=$(instructions "$build/bench/corvane_first_frame")
bi=$(instructions "$build/bench/bare_window_first_frame")
cm=$(peak "$build/bench/corvane_first_frame")
bm=$(peak "$build/bench/bare_window_first_frame")
printf '%-12s %22s %14s\n' program "instructions (M)" "peak memory"
awk -v ci="$ci" -v bi="$bi" -v cm="$cm" -v bm="$bm" 'BEGIN {
    printf "%-12s %22.1f %11.1f MB\n", "corvane", ci / 1e6, cm / 1024
    printf "%-12s %22.1f %11.1f MB\n", "bare", bi / 1e6, bm / 1024
    printf "%-12s %22.2f %14.2f    (to the first frame, offscreen)\n", "ratio", ci / bi, cm / bm
}'
