#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A TCP relay in front of an SFTP server, for sshfs -o directport on loopback.

    sftp_relay.py [--delay MS] [--log FILE] [--user UID --group GID --groups G,...] -- COMMAND...

Listens on 127.0.0.1, on a port of the kernel's choosing, and prints that port on a line of
its own once it takes connections. Each connection gets its own COMMAND (an sftp-server),
run as the given user, wired to the connection by its stdin and stdout. Every chunk may be
held MS milliseconds in each direction, as a network would: in order, each released MS after
its own arrival. With --log, every request the client sends is written as it is answered, one
line each: the time it reached the relay (as strace -tt prints it), the request with its paths
and the answer, so that a caller can count the round trips of one save. Ends on SIGTERM, or
when the process that started it ends, and takes its servers with it.
"""
import argparse
import asyncio
import ctypes
import datetime
import os
import signal
import struct
import sys

REQUESTS = {1: "INIT", 3: "OPEN", 4: "CLOSE", 5: "READ", 6: "WRITE", 7: "LSTAT", 8: "FSTAT",
            9: "SETSTAT", 10: "FSETSTAT", 11: "OPENDIR", 12: "READDIR", 13: "REMOVE",
            14: "MKDIR", 15: "RMDIR", 16: "REALPATH", 17: "STAT", 18: "RENAME",
            19: "READLINK", 20: "SYMLINK", 200: "EXTENDED"}
STATUS = ["OK", "EOF", "NO_SUCH_FILE", "PERMISSION_DENIED", "FAILURE", "BAD_MESSAGE",
          "NO_CONNECTION", "CONNECTION_LOST", "OP_UNSUPPORTED"]
OPEN_FLAGS = ["READ", "WRITE", "APPEND", "CREAT", "TRUNC", "EXCL"]
# What follows the request id: p a path, h a handle, a attributes, o an offset and a length,
# w an offset and data. Extended requests are named, then laid out the same way.
LAYOUT = {3: "pfa", 4: "h", 5: "o", 6: "hw", 7: "p", 8: "h", 9: "pa", 10: "ha", 11: "p",
          12: "h", 13: "p", 14: "pa", 15: "p", 16: "p", 17: "p", 18: "pp", 19: "p", 20: "pp",
          "posix-rename@openssh.com": "pp", "hardlink@openssh.com": "pp",
          "fsync@openssh.com": "h", "statvfs@openssh.com": "p", "fstatvfs@openssh.com": "h",
          "lsetstat@openssh.com": "pa", "expand-path@openssh.com": "p"}


class Packets:
    """Cuts a byte stream into SFTP packets (uint32 length, then the packet)."""

    def __init__(self, take):
        self.buffer = bytearray()
        self.take = take

    def feed(self, chunk):
        self.buffer += chunk
        while len(self.buffer) >= 4:
            length = struct.unpack_from(">I", self.buffer)[0]
            if len(self.buffer) < 4 + length:
                return
            self.take(bytes(self.buffer[4:4 + length]))
            del self.buffer[:4 + length]


class Reader:
    def __init__(self, packet, at):
        self.p, self.at = packet, at

    def u32(self):
        self.at += 4
        return struct.unpack_from(">I", self.p, self.at - 4)[0]

    def u64(self):
        self.at += 8
        return struct.unpack_from(">Q", self.p, self.at - 8)[0]

    def string(self):
        n = self.u32()
        self.at += n
        return self.p[self.at - n:self.at]

    def attrs(self):
        flags, told = self.u32(), []
        if flags & 1:
            told.append("size=%d" % self.u64())
        if flags & 2:
            told.append("uid=%d gid=%d" % (self.u32(), self.u32()))
        if flags & 4:
            told.append("mode=%o" % self.u32())
        if flags & 8:
            self.u32(), self.u32()
            told.append("times")
        return " ".join(told) or "nothing"


class Session:
    """What one connection's client asked, matched with the server's answers."""

    def __init__(self, log):
        self.log = log
        self.handles = {}  # handle -> the path it was opened from
        self.asked = {}  # request id -> (time, text, the path an OPEN or OPENDIR names)

    def request(self, packet):
        kind = packet[0]
        now = datetime.datetime.now().strftime("%H:%M:%S.%f")
        if kind == 1:
            self.asked["init"] = (now, "INIT", None)
            return
        r = Reader(packet, 1)
        rid, name = r.u32(), REQUESTS.get(kind, "TYPE%d" % kind)
        layout = LAYOUT.get(kind, "")
        if kind == 200:
            name = r.string().decode(errors="replace")
            layout = LAYOUT.get(name, "")
        words = [name]
        for field in layout:
            if field == "p":
                words.append(r.string().decode(errors="replace"))
            elif field == "h":
                words.append("[%s]" % self.handles.get(r.string(), "?"))
            elif field == "f":
                flags = r.u32()
                words.append("|".join(f for i, f in enumerate(OPEN_FLAGS) if flags >> i & 1))
            elif field == "a":
                words.append(r.attrs())
            elif field == "o":
                words.append("[%s] at %d, %d bytes" % (self.handles.get(r.string(), "?"),
                                                      r.u64(), r.u32()))
            elif field == "w":
                words.append("at %d, %d bytes" % (r.u64(), len(r.string())))
        self.asked[rid] = (now, " ".join(words), words[1] if kind in (3, 11) else None)

    def answer(self, packet):
        kind = packet[0]
        r = Reader(packet, 1)
        rid = r.u32() if kind != 2 else "init"  # VERSION answers INIT, which has no id
        now, text, opened = self.asked.pop(rid, ("?", "?", None))
        if kind == 101:
            code = r.u32()
            said = STATUS[code] if code < len(STATUS) else "STATUS%d" % code
        elif kind == 102:
            self.handles[r.string()] = opened
            said = "handle"
        elif kind == 103:
            said = "%d bytes" % len(r.string())
        elif kind == 104:
            count = r.u32()
            said = "%d names" % count if count != 1 else r.string().decode(errors="replace")
        elif kind == 105:
            said = r.attrs()
        elif kind == 2:
            said = "version %d" % r.u32()
        else:
            said = "reply %d" % kind
        self.write("%s %s -> %s" % (now, text, said))

    def close(self):
        for now, text, _ in self.asked.values():
            self.write("%s %s -> no answer" % (now, text))

    def write(self, line):
        if self.log:
            self.log.write(line + "\n")
            self.log.flush()


async def carry(source, sink, delay, watch):
    """Copies source to sink, each chunk held delay seconds after its own arrival."""
    loop = asyncio.get_running_loop()
    held = asyncio.Queue()

    async def release():
        while True:
            due, chunk = await held.get()
            await asyncio.sleep(max(0.0, due - loop.time()))
            if not chunk:
                sink.close()
                return
            sink.write(chunk)
            await sink.drain()

    releasing = asyncio.create_task(release())
    try:
        while chunk := await source.read(65536):
            watch(chunk)
            held.put_nowait((loop.time() + delay, chunk))
    except ConnectionError:
        pass
    held.put_nowait((loop.time() + delay, b""))
    try:
        await releasing
    except ConnectionError:
        pass


async def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--delay", type=float, default=0, help="milliseconds each way")
    parser.add_argument("--log", help="file for the requests, as they are answered")
    parser.add_argument("--user", type=int)
    parser.add_argument("--group", type=int)
    parser.add_argument("--groups", default="", help="supplementary groups, by comma")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    delay = args.delay / 1000
    groups = [int(g) for g in args.groups.split(",") if g]
    log = open(args.log, "a", encoding="utf-8") if args.log else None
    servers = set()

    async def connected(client_in, client_out):
        try:
            server = await asyncio.create_subprocess_exec(
                *args.command, stdin=asyncio.subprocess.PIPE, stdout=asyncio.subprocess.PIPE,
                user=args.user, group=args.group, extra_groups=groups if groups else None)
        except OSError as error:
            print("sftp_relay: cannot start %s: %s" % (args.command[0], error), file=sys.stderr)
            client_out.close()
            return
        servers.add(server)
        session = Session(log)
        await asyncio.gather(
            carry(client_in, server.stdin, delay, Packets(session.request).feed),
            carry(server.stdout, client_out, delay, Packets(session.answer).feed))
        await server.wait()
        servers.discard(server)
        session.close()

    stop = asyncio.Event()
    for sig in (signal.SIGTERM, signal.SIGINT):
        asyncio.get_running_loop().add_signal_handler(sig, stop.set)
    # A relay whose caller was killed must not outlive it.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    if os.getppid() == 1:
        return
    listener = await asyncio.start_server(connected, "127.0.0.1", 0)
    print(listener.sockets[0].getsockname()[1], flush=True)
    # The caller reads one line; nothing else is written where it listened.
    os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
    await stop.wait()
    listener.close()
    for server in servers:
        server.terminate()
    for server in list(servers):
        await server.wait()
    if log:
        log.close()


if __name__ == "__main__":
    asyncio.run(main())
