#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How long the program is blocked by six profile saves (0x8119) sent in one write.

Starts BIN/Aurivent --simulate=1 offscreen with settings of its own, sends
"0x8119\n" six times in one write on the command channel and, right behind it
on a second connection, "0x2333\n". Prints the time until the six answers came
and until the second connection was answered (the time nothing else could run).

    python3 bench/channel_saves.py BIN [ROUNDS]
"""
import os, socket, subprocess, sys, tempfile, time

def wait_for(path, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if os.path.exists(path):
            return True
        time.sleep(0.05)
    return False

def read_lines(sock, count, seconds=60):
    data = b""
    sock.settimeout(seconds)
    while data.count(b"\n") < count:
        chunk = sock.recv(4096)
        if not chunk:
            break
        data += chunk
    return data.decode().split()

def main():
    bin_dir = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    work = tempfile.mkdtemp()
    env = dict(os.environ, XDG_CONFIG_HOME=work + "/config", XDG_RUNTIME_DIR=work + "/run",
               QT_QPA_PLATFORM="offscreen")
    os.makedirs(work + "/run", mode=0o700)
    prog = subprocess.Popen([bin_dir + "/Aurivent", "--simulate=1"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        channel = work + "/run/Aurivent.command"
        if not wait_for(channel):
            sys.exit("no command channel")
        # Start-up is over once the program answers.
        probe = socket.socket(socket.AF_UNIX); probe.connect(channel)
        probe.sendall(b"0x2333\n")
        assert read_lines(probe, 1) == ["handled"]
        probe.close()
        batch, probe = [], []
        for _ in range(rounds):
            a = socket.socket(socket.AF_UNIX); a.connect(channel)
            b = socket.socket(socket.AF_UNIX); b.connect(channel)
            t0 = time.monotonic()
            a.sendall(b"0x8119\n" * 6)
            b.sendall(b"0x2333\n")
            answers = read_lines(a, 6)
            t1 = time.monotonic()
            other = read_lines(b, 1)
            t2 = time.monotonic()
            assert answers == ["handled"] * 6, answers
            assert other == ["handled"], other
            batch.append(t1 - t0); probe.append(t2 - t0)
            a.close(); b.close()
        print("six saves answered after  ms: " + " ".join("%.0f" % (x * 1000) for x in batch))
        print("other client answered after ms: " + " ".join("%.0f" % (x * 1000) for x in probe))
    finally:
        prog.terminate()
        prog.wait()

main()
