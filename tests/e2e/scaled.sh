#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window on a scaled X screen, its controls found and clicked where the accessibility
# bus says they are (atspi_places.py).
# usage (inside an X server that does not reset): scaled.sh CORVANE dpi:DPI | factor:FACTOR
set -euo pipefail
. "$(dirname "$0")/bus_session.sh"
corvane=$1
# Starts Corvane and waits for its window; the bus learns its controls meanwhile.
start() {
    HOME=$work "$corvane" 2>"$work/stderr" &
    pid=$!
    win=
    for _ in $(seq 300); do
        win=$(xdotool search --onlyvisible --name '^Corvane' 2>/dev/null | head -1) && [ -n "$win" ] && break
        sleep 0.05
    done
    [ -n "$win" ] || { echo "FAIL: Corvane did not show its window: $(cat "$work/stderr")" >&2; exit 1; }
    sleep 1
}
here=$(dirname "$0")
# Every control's place unscaled, the measure of where the scaled window draws it.
start
/usr/bin/python3 "$here/atspi_extents.py" dump "$work/unscaled.json"
kill "$pid"
wait "$pid" 2>/dev/null || true
case $2 in
dpi:*) # as GNOME and Plasma publish their scaling
    echo "Xft.dpi: ${2#dpi:}" | xrdb -merge
    ratio=$(awk -v dpi="${2#dpi:}" 'BEGIN { print dpi / 96 }') ;;
factor:*)
    export QT_SCALE_FACTOR=${2#factor:}
    ratio=${2#factor:} ;;
esac
start
xdotool windowmove --sync "$win" 101 53 # away from the screen's origin, at no multiple of the scale
sleep 0.5
status=0
/usr/bin/python3 "$here/atspi_extents.py" compare "$work/unscaled.json" "$ratio" || status=1
/usr/bin/python3 "$here/atspi_places.py" "$win" "$work/shot.png" || status=1
exit $status
