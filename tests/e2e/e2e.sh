#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real Corvane window with keys, as a person would (and with a wheel that must do
# nothing): two rules from the fields, saved through the real save dialog, copied, then Quit.
# Keeps a screenshot.
# usage (inside an X server that does not reset, e.g. xvfb-run -s -noreset): e2e.sh CORVANE OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/bus_session.sh"
corvane=$1
out=$2
mkdir -p "$out"

# The control that has the focus, as a screen reader sees it: role, name, description.
focused() {
    /usr/bin/python3 - <<'PY' 2>&1
import pyatspi
def find(node): # a list that was open may still call an entry focused: only what shows counts
    state = node.getState()
    if not state.contains(pyatspi.STATE_SHOWING):
        return None
    if state.contains(pyatspi.STATE_FOCUSED):
        return node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        found = child and find(child)
        if found:
            return found
apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == "corvane"]
node = apps and find(apps[0])
print("%s '%s' (%s)" % (node.getRoleName(), node.name, node.description) if node else "nothing")
PY
}
fail() {
    echo "FAIL: $*" >&2
    echo "      the focus is on: $(focused)" >&2
    echo "      windows shown: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null |
        paste -sd '|')" >&2
    import -window root "$out/e2e-failure.png" 2>/dev/null || true
    exit 1
}
# Polls until the command succeeds, for up to 5 seconds.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "timed out waiting for $what"
}
# Gives the focus up to 3 seconds to reach the control of that name.
expect_focus() {
    local step=$1 name=$2
    for _ in $(seq 6); do
        [[ "$(focused)" == *" '$name' "* ]] && return 0
        sleep 0.5
    done
    fail "after $step, the focus should be on $name"
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(window "$1")" ]; }
gone() { [ -z "$(window "$1")" ]; }
focus() { xdotool windowfocus --sync "$(window "$1")"; }
keys() { xdotool key --clearmodifiers --delay 60 "$@"; }
typed() { xdotool type --clearmodifiers --delay 30 "$1"; }
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
pick() { keys alt+Down Home; [ "$1" -gt 0 ] && keys $(printf 'Down %.0s' $(seq "$1")); keys Return; }

main='^Corvane0\.10β$'
block() { printf "<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\n%s\r\n//-->\r\n</STYLE>" "$1"; }
rule1=$'H1 { FONT-WEIGHT : bold ; COLOR : red ; BACKGROUND-COLOR : blue ; TEXT-DECORATION : underline }\r\n'
rule2=$'P { FONT-SIZE : 12pt ; COLOR : red ; TEXT-DECORATION : underline }\r\n'

start() {
    HOME=$work "$corvane" 2>"$work/stderr" &
    pid=$!
    for _ in $(seq 300); do
        shown "$main" && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    fail "Corvane did not show its window: $(cat "$work/stderr")"
}

cd "$work"
start
focus "$main"

# The tag kind, and "H1" typed over the "BODY" it offers.
keys alt+n Tab space Tab Tab ctrl+a
typed H1
# Underline ticked; background, colour and weight picked from their lists.
keys alt+k space shift+Tab shift+Tab
pick 1 # blue
keys shift+Tab shift+Tab shift+Tab shift+Tab
pick 0 # red
keys shift+Tab
pick 2 # 太字, written as "bold"
keys ctrl+Insert
expect_focus "the first Write" セレクタ

# A real wheel over fields without the focus turns nothing and takes no focus: two notches
# over the arrow of the size unit (pt), nine over the text colour, which would reach "その他"
# and open its dialog. The window's layout is fixed, and so are these places in it.
wheel_over() {
    xdotool mousemove --window "$(window "$main")" "$1" "$2" click --repeat "$3" --delay 40 5
    xdotool mousemove 0 0
}
wheel_over 166 74 2
wheel_over 140 146 9
for _ in $(seq 10); do # a dialog would show within a second
    [ "$(xdotool search --onlyvisible --name . | wc -l)" -eq 1 ] || fail "the wheel opened a dialog"
    sleep 0.1
done
expect_focus "the wheel over other fields" セレクタ

# A second rule: the focus is back on the selector after Write.
keys ctrl+a
typed P
keys alt+k $(printf 'shift+Tab %.0s' $(seq 10))
typed 12
keys Tab # the unit stays "pt", whatever the wheel did
# Down in the emptied colour field gives its first entry, although rule 1 picked it.
keys Tab Tab Tab Down # red
keys ctrl+Insert
expect_focus "the second Write" セレクタ

# Save through the real dialog, into a folder of our own.
mkdir "$work/out"
keys ctrl+s
wait_for "the save dialog" shown 'スタイルの保存'
focus 'スタイルの保存'
keys ctrl+a
typed "$work/out/sheet"
keys Return
wait_for "the saved file" test -s "$work/out/sheet.css"
wait_for "the dialog to close" gone 'スタイルの保存'

# The pane is read back through Copy.
focus "$main"
keys shift+Insert
wait_for "the copied sheet" clipboard_is "$(block "$rule1$rule2")"
import -window root "$out/e2e.png"

keys ctrl+q
wait_for "Corvane to quit" bash -c "! kill -0 $pid"
pid=

# The frame around the sheet is the unit tests' business; here, what the keys wrote.
cmp <(tail -c +151 "$work/out/sheet.css" | head -c -146) <(printf '%s\r\n' "$rule1$rule2") ||
    fail "the saved file does not hold the two rules"
cp "$work/out/sheet.css" "$out/sheet.css"
echo "e2e: 1 passed, 0 failed"
