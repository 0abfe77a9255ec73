# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests on shares: polls a condition every 0.1 s, for at most SECONDS.
wait_for() { # seconds condition...
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}
