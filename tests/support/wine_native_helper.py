#!/usr/bin/env python3
"""The native half of the Windows tests' test support under Wine.

A Windows program under Wine can start a Linux program but cannot hand it pipes,
wait for it or signal it, and cannot make a pseudo-terminal. This helper, started
by the test, connects back to it over TCP on 127.0.0.1 and does those things
natively:

  wine_native_helper.py PORT relay LINK
      A pseudo-terminal linked at LINK (a COM port of the Wine prefix). Sends one
      byte "R" once it is there; then every byte the port's user writes reaches
      the connection and every byte from the connection reaches the port's user.
  wine_native_helper.py PORT run PROGRAM ARGS...
      Runs PROGRAM and sends the first line it prints. Then a line "state" sends
      it SIGUSR1; "stop" sends SIGTERM and answers "exit N".

Either ends (a program with SIGTERM) when the connection closes, so nothing
outlives a test that dies; it closes its end last, once its link is gone.
"""
import os
import pty
import select
import signal
import socket
import subprocess
import sys
import threading
import tty


def relay(connection, link):
    master, slave = pty.openpty()
    tty.setraw(master)
    tty.setraw(slave)  # the slave stays open: the master never sees a hang-up
    terminal = os.ttyname(slave)
    # Made beside the link and renamed over it: a link a previous user of the
    # port left behind is replaced at once.
    fresh = "%s.%d" % (link, os.getpid())
    os.symlink(terminal, fresh)
    os.replace(fresh, link)
    try:
        connection.sendall(b"R")
        while True:
            ready, _, _ = select.select([master, connection], [], [])
            if master in ready:
                connection.sendall(os.read(master, 4096))
            if connection in ready:
                data = connection.recv(4096)
                if not data:
                    return
                os.write(master, data)
    finally:
        if os.path.islink(link) and os.readlink(link) == terminal:
            os.unlink(link)


def run(connection, command):
    child = subprocess.Popen(command, stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    connection.sendall(child.stdout.readline())
    # The rest of its output is read and dropped, so that it never blocks on it.
    threading.Thread(target=child.stdout.read, daemon=True).start()
    requests = connection.makefile("r")
    try:
        for request in requests:
            if request.strip() == "state":
                child.send_signal(signal.SIGUSR1)
            elif request.strip() == "stop":
                break
    finally:
        child.terminate()
        status = child.wait()
    connection.sendall(b"exit %d\n" % (status if status >= 0 else 128 - status))


def main():
    port, mode, *rest = sys.argv[1:]
    connection = socket.create_connection(("127.0.0.1", int(port)))
    try:
        relay(connection, rest[0]) if mode == "relay" else run(connection, rest)
    except (BrokenPipeError, ConnectionResetError):
        pass
    connection.close()


if __name__ == "__main__":
    main()
