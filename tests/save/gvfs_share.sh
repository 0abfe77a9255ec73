#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a Samba share mounted the way GNOME's file manager mounts one: gvfs
# through FUSE, in a D-Bus session of its own, from an smbd on a free loopback port.
#   gvfs_share.sh COMMAND [ARG...]
# COMMAND runs with SHARE_SERVER (the shared folder itself) and SHARE_MOUNT (the same folder
# through gvfs) in its environment, for at most SHARE_SECONDS (default 90), and its exit
# status is this script's. Everything lives in one temporary folder, the home and runtime
# folders of the session included. Whatever ends the run, the trap unmounts the share, stops
# every process of the session and of smbd, and removes the folder; each group of processes
# also runs under a timeout of its own, in case this shell is killed outright. Exits 77 where
# it cannot run.
set -euo pipefail

. "$(dirname "$0")/wait_for.sh"

# Stops a process group and waits until none of it is left.
stop_group() { # leader
    kill -TERM -- "-$1" 2>/dev/null || return 0
    wait "$1" 2>/dev/null || true
    gone() { ! pgrep -g "$1" >/dev/null; }
    wait_for 10 gone "$1" || { kill -KILL -- "-$1" 2>/dev/null || true; wait_for 5 gone "$1"; }
}

# The gvfs side, run inside the private D-Bus session: mounts the share, runs the command.
if [ "${1:-}" = --inside ]; then
    exec 2>&3 3>&- # the command's errors are the caller's; the bus's go to session.log
    dir=$SHARE_DIR
    shift
    url=smb://127.0.0.1:$1/share
    shift
    gvfs=$XDG_RUNTIME_DIR/gvfs
    /usr/libexec/gvfsd --no-fuse >"$dir/gvfsd.log" 2>&1 &
    # gvfsd-fuse would start a gvfsd of its own through the bus if none had its name yet.
    has_name() {
        gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.NameHasOwner org.gtk.vfs.Daemon 2>/dev/null | grep -q true
    }
    wait_for 10 has_name || { cat "$dir/gvfsd.log" >&2; echo "gvfsd took no bus name within 10 s" >&2; exit 1; }
    mkdir -p "$gvfs"
    /usr/libexec/gvfsd-fuse "$gvfs" -f >"$dir/gvfsd-fuse.log" 2>&1 &
    wait_for 10 mountpoint -q "$gvfs" ||
        { cat "$dir/gvfsd-fuse.log" >&2; echo "gvfsd-fuse did not mount $gvfs within 10 s" >&2; exit 1; }
    timeout 20 gio mount -a "$url" </dev/null >"$dir/gio.log" 2>&1 ||
        { cat "$dir/gio.log" >&2; echo "gio could not mount $url" >&2; exit 1; }
    mounted() { compgen -G "$gvfs/smb-share:*" >/dev/null; }
    wait_for 10 mounted || { echo "the share did not appear in $gvfs within 10 s" >&2; exit 1; }
    SHARE_MOUNT=$(compgen -G "$gvfs/smb-share:*")
    export SHARE_MOUNT
    touch "$dir/mounted"
    status=0
    timeout "$SHARE_SECONDS" "$@" || status=$?
    [ "$status" -ne 124 ] || echo "the command did not end within $SHARE_SECONDS s" >&2
    # Let go of the share before the bus goes; the outer trap stops what is left.
    timeout 10 gio mount -u "$url" >/dev/null 2>&1 || true
    exit "$status"
fi

(($#)) || { sed -n '4,13p' "$0" >&2; exit 2; }
skip() {
    echo "SKIP: $*"
    exit 77
}
for program in smbd /usr/libexec/gvfsd /usr/libexec/gvfsd-fuse gio gdbus dbus-run-session fusermount3 ss pgrep; do
    command -v "$program" >/dev/null ||
        skip "no $program: ./dev installs samba and gvfs only in CI (where CI is set), since samba would start a file server on a desktop"
done
[ -c /dev/fuse ] || skip "no /dev/fuse"
[ "$(id -u)" -eq 0 ] || skip "needs root: smbd forces the share's owner, nobody"

export SHARE_SECONDS=${SHARE_SECONDS:-90}
# What the daemons may live at most: the command's time and the set-up's.
limit=$((SHARE_SECONDS + 60))
dir=$(mktemp -d)
export SHARE_DIR=$dir
smbd= session=
finish() {
    local status=$?
    [ -z "$session" ] || stop_group "$session" || { echo "the D-Bus session did not stop" >&2; status=1; }
    # gvfsd-fuse unmounts when it stops cleanly; this covers one that did not.
    if mountpoint -q "$dir/run/gvfs"; then
        fusermount3 -u -z "$dir/run/gvfs" || umount -l "$dir/run/gvfs" || status=1
    fi
    [ -z "$smbd" ] || stop_group "$smbd" || { echo "smbd did not stop" >&2; status=1; }
    if mountpoint -q "$dir/run/gvfs"; then
        echo "$dir/run/gvfs is still mounted; $dir is left as it is" >&2
    else
        rm -rf "$dir"
    fi
    exit "$status"
}
trap finish EXIT
trap 'exit 143' TERM INT HUP

mkdir -p "$dir"/{share,lock,state,cache,pid,private,home,run}
# smbd reaches the share as nobody.
chmod 711 "$dir"
chmod 777 "$dir/share"
chmod 700 "$dir/run"
export SHARE_SERVER=$dir/share

# A port that nothing listens on; another program may take it first, so a few tries.
listening() { ss -Hltn "sport = :$1" | grep -q .; }
smbd_up() { listening "$port" || ! kill -0 "$smbd" 2>/dev/null; }
for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    ! listening "$port" || continue
    cat >"$dir/smb.conf" <<EOF
[global]
  smb ports = $port
  interfaces = lo
  bind interfaces only = yes
  lock directory = $dir/lock
  state directory = $dir/state
  cache directory = $dir/cache
  pid directory = $dir/pid
  private dir = $dir/private
  map to guest = Bad User
  log file = $dir/log.%m
  disable spoolss = yes
  load printers = no
  server role = standalone server
[share]
  path = $dir/share
  guest ok = yes
  read only = no
  force user = nobody
EOF
    # `timeout` leads a process group of its own, which smbd's processes stay in.
    timeout "$limit" smbd -F --no-process-group -s "$dir/smb.conf" </dev/null >"$dir/smbd.log" 2>&1 &
    smbd=$!
    wait_for 10 smbd_up || true
    ! { listening "$port" && kill -0 "$smbd" 2>/dev/null; } || break
    stop_group "$smbd"
    smbd=
done
[ -n "$smbd" ] || { tail -n 20 "$dir"/log.* "$dir/smbd.log" >&2 || true; echo "smbd did not listen" >&2; exit 1; }

# The session's bus and whatever it starts, gvfs's volume monitors too, share the group of
# this `timeout`. Its home and runtime folders are private, so that nothing lands in ours.
status=0
HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config \
    XDG_DATA_HOME=$dir/home/.local/share XDG_CACHE_HOME=$dir/home/.cache \
    XDG_STATE_HOME=$dir/home/.local/state \
    timeout "$limit" dbus-run-session -- "$0" --inside "$port" "$@" 3>&2 2>"$dir/session.log" &
session=$!
wait "$session" || status=$?
if [ ! -e "$dir/mounted" ]; then
    echo "--- the D-Bus session's log:" >&2
    tail -n 20 "$dir/session.log" >&2
fi
exit "$status"
