#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves through a real sshfs mount, served by a plain sftp-server running as an ordinary user
# (uid 65534, in group 4242), and checks what the server's folder holds afterwards: the bytes,
# the owner and mode, and nothing else beside the file.
#   tst_sshfs_share.sh SAVE_FILE exits 77 (skipped) where it cannot mount
set -euo pipefail
save_file=$1
. "$(dirname "$0")/sshfs_share.sh"
reason=$(share_unavailable)
[ -z "$reason" ] || { echo "SKIP: $reason"; exit 77; }

umask 022
work=$(mktemp -d)
trap 'share_unmount; rm -rf "$work"' EXIT
chmod 755 "$work"
srv=$work/server
mkdir -p "$srv"/{new,kept,shared,link/sheets} "$work/mnt" "$work/state"
export XDG_STATE_HOME=$work/state
old=$(printf '/* old */\r\n%.0s' $(seq 40)) # longer than any new text: a rewrite must truncate
printf %s "$old" >"$srv/kept/kept.css"
chmod 640 "$srv/kept/kept.css"
printf %s "$old" >"$srv/link/sheets/theme.css"
ln -s sheets/theme.css "$srv/link/theme.css"
chown -hR 65534:65534 "$srv"/{new,kept,link}
# Another user's file in a folder that group 4242 may write: the server's user may rewrite the
# file, but not give a new one its owner.
chown root:4242 "$srv/shared"
chmod 2775 "$srv/shared"
printf %s "$old" >"$srv/shared/other.css"
chown 65533:4242 "$srv/shared/other.css"
chmod 664 "$srv/shared/other.css"
other_inode=$(stat -c %i "$srv/shared/other.css")

share_mount "$srv" "$work/mnt" 65534 65534 4242 0 ""

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Saves a sheet to a path on the mount and checks the served file it must reach: its bytes,
# owner and mode, the whole listing of each folder named after it, and the private folder for
# copies of old bytes, which must be empty again.
save() { # path-on-mount served-file owner:group:mode sheet-title folder=listing...
    local path=$1 served=$2 meta=$3 said rc=0 entry listing
    printf '/* %s */\r\n.title { font-family: "ＭＳ ゴシック"; }\r\n' "$4" | iconv -t CP932 >"$work/sheet"
    shift 4
    said=$("$save_file" "$work/mnt/$path" <"$work/sheet") || rc=$?
    [ $rc = 0 ] || fail "$path: save_file exited $rc: $said"
    cmp -s "$work/sheet" "$served" || fail "$path: the server holds other bytes: $(head -n 1 "$served" | tr -d '\r')..."
    [ "$(stat -c %u:%g:%a "$served")" = "$meta" ] ||
        fail "$path: owner and mode $(stat -c %u:%g:%a "$served"), not $meta"
    for entry in "$@"; do
        listing=$(ls -A "$srv/${entry%%=*}" | paste -sd' ')
        [ "$listing" = "${entry#*=}" ] || fail "$path: ${entry%%=*}/ holds '$listing', not '${entry#*=}'"
    done
    [ -z "$(ls -A "$work/state/corvane" 2>/dev/null)" ] ||
        fail "$path: left in the private folder: $(ls -A "$work/state/corvane")"
}

save new/new.css "$srv/new/new.css" 65534:65534:644 new new=new.css
save kept/kept.css "$srv/kept/kept.css" 65534:65534:640 first kept=kept.css
save kept/kept.css "$srv/kept/kept.css" 65534:65534:640 second kept=kept.css
save shared/other.css "$srv/shared/other.css" 65533:4242:664 shared shared=other.css
[ "$(stat -c %i "$srv/shared/other.css")" = "$other_inode" ] ||
    fail "shared/other.css: replaced by another file, not rewritten in place"
save link/theme.css "$srv/link/sheets/theme.css" 65534:65534:644 linked \
    link="sheets theme.css" link/sheets=theme.css
[ "$(readlink "$srv/link/theme.css")" = sheets/theme.css ] ||
    fail "link/theme.css: no longer the link to sheets/theme.css"

[ $failures = 0 ] || exit 1
echo "PASS: five saves through sshfs"
