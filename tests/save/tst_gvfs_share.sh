#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves through a Samba share that gvfs mounts, as GNOME's file manager does, and checks
# each save on the server's side: run by gvfs_share.sh, which sets SHARE_MOUNT and
# SHARE_SERVER.
#   tst_gvfs_share.sh SAVE_FILE
# One file is saved new, saved again and again, saved after another program changed it
# through the mount and on the server, and saved while another program reads it. Every save
# must succeed with nothing to say, and the server must hold its bytes as soon as it is done:
# gvfs puts a rewrite of an existing file in place only after the writer's close returns.
# Nothing may stay beside the file but gvfs's own passing files.
set -euo pipefail
. "$(dirname "$0")/wait_for.sh"

save_file=$1
name=style.css
mount=$SHARE_MOUNT/$name
server=$SHARE_SERVER/$name
passed=0 failed=0

fail() {
    echo "FAIL: $case: $*"
    failed=$((failed + 1))
}

# gvfs writes an existing file into "~gvfXXXX.tmp" and puts it in place after the writer's
# close returns; FUSE keeps a file that is replaced while open as ".fuse_hidden…" until it is
# closed. Both go by themselves within moments; anything else is a leftover.
others() { find "$SHARE_SERVER" -mindepth 1 ! -name "$name" -printf '%f\n' | sort; }
foreign() { others | grep -v -e '^~gvf.*\.tmp$' -e '^\.fuse_hidden' || true; }
settled() { [ -z "$(others)" ]; }
holds() { cmp -s - "$server" <<<"$1"; }

# What another program does to the file before a save, and the bytes it leaves there.
touch_file() { # how bytes
    case $1 in
    mount) printf '%s\n' "$2" >"$mount" ;;              # a shell, through the same mount
    server) printf '%s\n' "$2" >"$server" ;;            # in place on the server
    server-rename) printf '%s\n' "$2" >"$server.new" && mv "$server.new" "$server" ;;
    esac
    # A write through gvfs reaches the server only after the shell's close returns.
    wait_for 10 holds "$2" || fail "the other program's bytes did not reach the server"
    wait_for 5 settled || fail "left beside the file after the other program: $(others | tr '\n' ' ')"
}

# case | what another program did before the save
cases=(
    "a new file|"
    "the same file again (1 of 5)|"
    "the same file again (2 of 5)|"
    "the same file again (3 of 5)|"
    "the same file again (4 of 5)|"
    "the same file again (5 of 5)|"
    "after a shell wrote it through the mount|mount"
    "after it changed on the server|server"
    "after the server replaced it|server-rename"
    "while another program reads it|reader"
)
had= # what the server holds
for i in "${!cases[@]}"; do
    IFS='|' read -r case how <<<"${cases[$i]}"
    before=$failed
    reader=
    if [ "$how" = reader ]; then
        exec {reader}<"$mount"
    elif [ -n "$how" ]; then
        had="P.other$i { COLOR : green }"
        touch_file "$how" "$had"
    fi
    # Shift_JIS text (「保存」) of a length that rises and falls, so that a save that kept the
    # old tail would show.
    bytes=$(printf 'H%d { FONT-FAMILY : "\x95\xdb\x91\xb6" ;%*s}\r' "$i" "$((i % 3 * 20 + i))" "")
    status=0
    said=$("$save_file" "$mount" <<<"$bytes") || status=$?
    if [ "$status" -eq 0 ]; then
        holds "$bytes" || fail "saved, but the server holds $(head -c 80 "$server" | od -c | head -n 3)"
        had=$bytes
    else
        fail "save_file exited $status: $said"
        if [ -z "$had" ]; then
            [ ! -e "$server" ] || fail "a refused new file left $server"
        else
            holds "$had" || fail "refused, and the old bytes are not whole on the server"
        fi
    fi
    left=$(foreign)
    [ -z "$left" ] || fail "left beside the file: $left"
    [ -z "$reader" ] || exec {reader}<&-
    if ! wait_for 5 settled; then
        fail "still beside the file after 5 s: $(others | tr '\n' ' ')"
        others | while read -r other; do rm -f "$SHARE_SERVER/$other"; done # the next case starts clean
    fi
    [ "$failed" -ne "$before" ] || { echo "PASS: $case"; passed=$((passed + 1)); }
done
echo "$passed passed, $((${#cases[@]} - passed)) failed"
[ "$failed" -eq 0 ]
