#!/usr/bin/python3
# A small FTP server for the exchange tests. It behaves like the exchange server the program
# was written for: a DOS-style detailed listing (folders marked "<DIR>", the name last),
# names found without regard to letter case, "/" and "\" both accepted between folder and
# file name, names on the wire in Windows-1252, and a page template "Default.html" in the
# login folder. It listens on 127.0.0.1 only, prints "PORT <n>" once it listens, and stops
# when its standard input closes (its test ended or died) or after --lifetime seconds.
#
# Hostile mode, for the cases a real server can bring about: a test writes files into the
# folder given with --control (outside the login folder), read afresh at every command:
#   listing  its bytes are the login folder's listing, sent as they stand (any form);
#   stall    "NAME N S": fetching a file named NAME (letter case ignored) sends its first N
#            bytes, then nothing for S seconds, then ends the transfer as if complete;
#   refuse   NAME: storing a file named NAME (letter case ignored) is refused with 550;
#   silent   "S": a new connection is taken, but its greeting comes only after S seconds.
# Each connection runs in a thread of its own, so a stalled one holds up no other.
import argparse
import asynchat
import errno
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer

TEMPLATE = (
    "<html><head><title>%GROUPNAME%</title></head><body>\r\n"
    "<h1>%GROUPNAME%</h1>\r\n"
    "<p>Erstellt am %DATECREATE%</p>\r\n"
    "<p>%DESCRIPTION%</p>\r\n"
    "<p>%PLAYERS%</p>\r\n"
    "</body></html>\r\n"
)


CONTROL = None


def control(name):
    path = os.path.join(CONTROL, name) if CONTROL else None
    if path and os.path.exists(path):
        with open(path, "rb") as f:
            return f.read()
    return None


class StallingFile:
    def __init__(self, f, count, seconds):
        self.file, self.left, self.seconds = f, count, seconds
        self.name = f.name

    def read(self, size=-1):
        if self.left <= 0:
            time.sleep(self.seconds)
            return b""
        chunk = self.file.read(min(self.left, size if size > 0 else self.left))
        self.left -= len(chunk)
        return chunk

    def close(self):
        self.file.close()

    @property
    def closed(self):
        return self.file.closed


class DosFS(AbstractedFS):
    def open(self, filename, mode):
        refuse = control("refuse")
        if refuse and "w" in mode:
            if os.path.basename(filename).lower() == refuse.decode("cp1252").strip().lower():
                raise PermissionError(errno.EACCES, "Permission denied")
        f = super().open(filename, mode)
        stall = control("stall")
        if stall and "r" in mode:
            name, count, seconds = stall.decode("cp1252").rsplit(" ", 2)
            if os.path.basename(filename).lower() == name.strip().lower():
                return StallingFile(f, int(count), float(seconds))
        return f

    def ftpnorm(self, ftppath):
        return super().ftpnorm(ftppath.replace("\\", "/"))

    def ftp2fs(self, ftppath):
        # Walks down from the root, taking each component's exact entry when it exists and
        # else the one that differs only in letter case.
        parts = [p for p in self.ftpnorm(ftppath).split("/") if p]
        path = self.root
        for part in parts:
            candidate = os.path.join(path, part)
            if not os.path.exists(candidate) and os.path.isdir(path):
                for entry in os.listdir(path):
                    if entry.lower() == part.lower():
                        candidate = os.path.join(path, entry)
                        break
            path = candidate
        return os.path.normpath(path)

    def format_list(self, basedir, listing, ignore_err=True):
        given = control("listing")
        if given is not None and os.path.normpath(basedir) == os.path.normpath(self.root):
            yield given
            return
        for name in listing:
            path = os.path.join(basedir, name)
            st = os.lstat(path)
            stamp = time.strftime("%m-%d-%y  %I:%M%p", time.localtime(st.st_mtime))
            size = "%-14s" % "<DIR>" if os.path.isdir(path) else "%14d" % st.st_size
            yield ("%s       %s %s\r\n" % (stamp, size, name)).encode("cp1252", "replace")


class DosHandler(FTPHandler):
    abstracted_fs = DosFS
    banner = "Wendrak test exchange server ready."

    def decode(self, data):
        return data.decode("cp1252", "replace")

    def push(self, s):
        asynchat.async_chat.push(self, s.encode("cp1252", "replace"))

    # handle() runs in the accepting thread, add_channel() again in the connection's own one:
    # a silent greeting waits there and holds up no other connection.
    def handle(self):
        self.silent = control("silent")
        if not self.silent:
            super().handle()

    def add_channel(self, *args, **kwargs):
        super().add_channel(*args, **kwargs)
        if getattr(self, "silent", None):
            time.sleep(float(self.silent))
            super().handle()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--lifetime", type=float, default=300.0)
    parser.add_argument("--control")
    args = parser.parse_args()
    global CONTROL
    CONTROL = args.control

    os.makedirs(args.root, exist_ok=True)
    template = os.path.join(args.root, "Default.html")
    if not os.path.exists(template):
        with open(template, "w", encoding="cp1252", newline="") as f:
            f.write(TEMPLATE)

    logging.basicConfig(stream=sys.stderr, level=logging.INFO)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    handler = DosHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1
    handler.use_sendfile = False  # a stalled file is read through its own read()
    server = ThreadedFTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.address[1], flush=True)

    def stop_when_orphaned():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=stop_when_orphaned, daemon=True).start()
    timer = threading.Timer(args.lifetime, lambda: os._exit(0))
    timer.daemon = True
    timer.start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
