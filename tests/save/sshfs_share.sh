# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests and benchmarks that save to a real sshfs mount. A plain sftp-server,
# run as a given user, serves a folder through tests/save/sftp_relay.py on loopback, and sshfs
# mounts it; no sshd, no keys.
#   share_unavailable                  prints why this machine cannot do it, or nothing
#   share_mount SERVED MOUNT UID GID GROUPS DELAY_MS LOG
#                                      GROUPS by comma; DELAY_MS each way; LOG the relay's
#                                      record of requests (see sftp_relay.py), or empty
#   share_unmount                      unmounts and stops the relay; safe to call twice
# The caller runs share_unmount from an EXIT trap, so that nothing stays mounted or listening.

share_sftp_server=/usr/lib/openssh/sftp-server
share_relay_pid=
share_mounted=

share_unavailable() {
    if [ "$(id -u)" != 0 ]; then
        echo "needs root, to run the server as other users"
    elif [ ! -c /dev/fuse ]; then
        echo "no /dev/fuse"
    elif ! command -v sshfs >/dev/null || ! command -v fusermount3 >/dev/null; then
        echo "sshfs is not installed (Debian's sshfs)"
    elif [ ! -x "$share_sftp_server" ]; then
        echo "no $share_sftp_server (Debian's openssh-sftp-server)"
    fi
}

share_mount() { # served mount uid gid groups delay_ms log
    local served=$1 mount=$2 port fifo
    fifo=$(mktemp -u)
    mkfifo -m 600 "$fifo"
    # The relay prints its port once it listens; the read waits for that line, or for the
    # relay's end.
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sftp_relay.py" --user "$3" --group "$4" \
        --groups "$5" --delay "$6" ${7:+--log "$7"} -- "$share_sftp_server" -d "$served" >"$fifo" &
    share_relay_pid=$!
    read -r port <"$fifo" || true
    rm -f "$fifo"
    [ -n "$port" ] || { echo "the SFTP relay did not start" >&2; return 1; }
    # directport: SFTP straight to the relay. auto_unmount: a helper of fusermount3 unmounts
    # when sshfs dies, even if this shell is killed before its trap runs. No allow_other: only
    # the user who mounts (root) uses the mount. sshfs's and the kernel's caches keep their
    # defaults, as a user's mount has them; checks read the served folder itself, never
    # through the mount, so no cache can hide what a save left there.
    sshfs -o directport="$port",auto_unmount "127.0.0.1:$served" "$mount" || return 1
    share_mounted=$mount
}

share_unmount() {
    if [ -n "$share_mounted" ]; then
        fusermount3 -u "$share_mounted" 2>/dev/null || umount -l "$share_mounted"
        share_mounted=
    fi
    if [ -n "$share_relay_pid" ]; then
        kill -TERM "$share_relay_pid" 2>/dev/null || true
        wait "$share_relay_pid" 2>/dev/null || true
        share_relay_pid=
    fi
}
