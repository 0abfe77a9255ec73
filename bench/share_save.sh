#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves of a 4 KB sheet to an sshfs mount whose server is DELAY ms away each way (a local
# sftp-server behind tests/save/sftp_relay.py), in alternation: the shell's "cat sheet > file",
# a careful save by hand (a temporary file, synced, renamed over the file) and Corvane's save
# (the build's save_file), each to an existing file and to a new one. Prints the median wall
# time of each and Corvane's ratio to the careful save, the SFTP requests each sends per save,
# and those of Corvane's saves one by one, as the relay logged them.
#   bench/share_save.sh build [runs] [delay_ms]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
delay=${3:-25}
save_file=$(realpath "$build/tests/save/save_file")
. "$(dirname "$0")/../tests/save/sshfs_share.sh"
reason=$(share_unavailable)
[ -z "$reason" ] || { echo "share_save: skipped: $reason"; exit 0; }

work=$(mktemp -d)
trap 'share_unmount; rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -p "$work/server" "$work/mnt" "$work/state"
chown 65534:65534 "$work/server"
export XDG_STATE_HOME=$work/state
# 4 KB of rules, as Corvane writes them: one a line, CRLF, 64 lines of 64 bytes.
for i in $(seq -w 64); do
    printf '.c%s { font-family: "Osaka"; font-size: 12pt; color: silver; }\r\n' "$i"
done >"$work/sheet"
log=$work/requests.log
share_mount "$work/server" "$work/mnt" 65534 65534 65534 "$delay" "$log"

# Paths are whole: a shell whose working folder is on the mount sends requests of its own.
shell() { cat "$work/sheet" >"$1"; }
careful() {
    local tmp=${1%/*}/.${1##*/}.tmp
    cat "$work/sheet" >"$tmp" && sync "$tmp" && mv "$tmp" "$1"
}
corvane() { "$save_file" "$1" <"$work/sheet" >/dev/null; }

# The relay logs a request when its answer comes back; sshfs sends a file's last CLOSE after
# close() has returned. Waits until the log has been still for six round trips.
settled() {
    local lines=-1
    while [ "$lines" != "$(wc -l <"$log")" ]; do
        lines=$(wc -l <"$log")
        sleep "$(awk -v d="$delay" 'BEGIN { print (12 * d + 100) / 1000 }')"
    done
    echo "$lines"
}

# One save: appends "method case milliseconds requests" to the results, and the requests of
# Corvane's saves to their own file.
measure() { # method case file
    local before start ms
    before=$(settled)
    start=$(date +%s%N)
    "$1" "$3" || { echo "share_save: $1 failed to save ${3##*/}" >&2; exit 1; }
    ms=$((($(date +%s%N) - start) / 1000000))
    echo "$1 $2 $ms $(($(settled) - before))" >>"$work/results"
    [ "$1" != corvane ] || { echo "-- $2 file"; tail -n +$((before + 1)) "$log"; } >>"$work/corvane.log"
}

for method in shell careful corvane; do
    cat "$work/sheet" >"$work/mnt/$method.css"
done
for run in $(seq "$runs"); do
    for method in shell careful corvane; do
        measure "$method" existing "$work/mnt/$method.css"
        measure "$method" new "$work/mnt/$method-new-$run.css"
    done
done

median() { # method case field
    awk -v m="$1" -v c="$2" -v f="$3" '$1 == m && $2 == c { print $f }' "$work/results" | sort -n |
        awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}
printf 'sshfs, %d ms each way, a 4 KB sheet, medians of %d runs in alternation\n' "$delay" "$runs"
printf '%-24s %10s %10s %10s %10s\n' save existing new "requests" "requests"
printf '%-24s %10s %10s %10s %10s\n' "" "" "" existing new
for method in shell careful corvane; do
    printf '%-24s %7s ms %7s ms %10s %10s\n' "$method" "$(median $method existing 3)" \
        "$(median $method new 3)" "$(median $method existing 4)" "$(median $method new 4)"
done
awk -v ce="$(median corvane existing 3)" -v cn="$(median corvane new 3)" \
    -v ke="$(median careful existing 3)" -v kn="$(median careful new 3)" \
    'BEGIN { printf "%-24s %9.2fx %9.2fx\n", "corvane / careful", ce / ke, cn / kn }'
echo
echo "Corvane's requests in its last run, as the relay logged them (sent at, request -> answer):"
awk -v runs="$runs" '/^-- / { c = $2; n[c]++ } n[c] == runs' "$work/corvane.log" | sed "s|$work/server/||g; s|$work/server|.|g"
