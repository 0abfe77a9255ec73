#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up cost to the first painted window, for Corvane and for the two floors of the bare Qt
# window built in the same tree (bench/bare_window.cpp): the Latin one, and the Japanese one that
# shows Corvane's faces: instructions counted by callgrind, which the machine's load does not
# move, and the peak resident memory (VmHWM) of runs without valgrind, the median of RUNS. All
# three are the copies that end after their first frame (bench/first_frame.cpp), drawn offscreen.
#   bench/startup_cost.sh build [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

instructions() { # program [argument] -> instructions to its first frame
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" "$@" 2>"$out/valgrind.txt" ||
        { cat "$out/valgrind.txt" >&2; exit 1; }
    awk '/Collected :/ {print $NF}' "$out/valgrind.txt"
}

peak() { # program [argument] -> median peak resident memory in kB over the runs
    local _
    for _ in $(seq "$runs"); do
        "$@" 2>&1 >/dev/null | awk '/^first frame: VmHWM:/ {print $4}'
    done | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

bare=$build/bench/bare_window_first_frame
ci=$(instructions "$build/bench/corvane_first_frame")
li=$(instructions "$bare")
ji=$(instructions "$bare" japanese)
cm=$(peak "$build/bench/corvane_first_frame")
lm=$(peak "$bare")
jm=$(peak "$bare" japanese)
printf '%-16s %18s %14s\n' program "instructions (M)" "peak memory"
awk -v ci="$ci" -v li="$li" -v ji="$ji" -v cm="$cm" -v lm="$lm" -v jm="$jm" 'BEGIN {
    printf "%-16s %18.1f %11.1f MB\n", "corvane", ci / 1e6, cm / 1024
    printf "%-16s %18.1f %11.1f MB\n", "bare, Latin", li / 1e6, lm / 1024
    printf "%-16s %18.1f %11.1f MB\n", "bare, Japanese", ji / 1e6, jm / 1024
    printf "%-16s %18.2f %14.2f    (to the first frame, offscreen)\n", "ratio, Latin", ci / li, cm / lm
    printf "%-16s %18.2f %14.2f\n", "ratio, Japanese", ci / ji, cm / jm
}'
