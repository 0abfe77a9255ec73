# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-window tests: the test runs again in a session bus of its own, with the
# accessibility bus on it (what has the focus, and where things are, is read there), and gets
# a work folder that goes with it. Sets `work`; the test sets `pid` to the program it starts.
if [ -z "${CORVANE_E2E_BUS:-}" ]; then
    CORVANE_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v "fd limit" >&2)
fi
work=$(mktemp -d)
pid=
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; kill "$bus"; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR=$work
