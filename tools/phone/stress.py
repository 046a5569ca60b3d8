#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts Aurivent's phone server under the loads a hostile or careless network
produces, and reports what a real phone gets afterwards.

  stress.py probe          one line per check, "ok" or "FAILED: …":
                             idle      40 idle connections, then a phone asks
                                       for the box list
                             burst     500 level frames and a box-list request
                                       in one write
                             garbage   20 undecodable frames, then the box list
                             wrapped   command 0 with LightMode 4294967300
                                       (reads back fan 1 of box 0 with command 15;
                                       run the program with --simulate=1)
  stress.py never-read N   N connections that ask for box 1's settings
                           (command 15) 90 times a second and never read the
                           answers (run the program with --simulate=1,1); with
                           --pid, prints the program's resident memory every 10 s

Options: --host (127.0.0.1), --port (5489), --seconds (100), --pid PID.
Exit status 0 when every probe passed (never-read: when it ran to the end).
"""

import argparse
import base64
import json
import socket
import sys
import time


def frame(text):
    return base64.b64encode(text.encode("utf-8")) + b"&"


def command(number, data):
    return frame(json.dumps({"command": number, "Data": data}))


BOX_LIST = command(10, {})
LIVE_BOX0 = command(15, {"BoxNum": "1"})
# Box 1 is not the one the window shows, so answering costs the program little.
LIVE_BOX1 = command(15, {"BoxNum": "01"})


class Phone:
    def __init__(self, host, port, rcvbuf=None):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        if rcvbuf:
            self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, rcvbuf)
        self.sock.settimeout(5)
        self.sock.connect((host, port))
        self.buffer = b""

    def frames(self, count, seconds=5.0):
        """The next `count` frames (the greeting counts as one), or fewer on time-out or close."""
        out = []
        deadline = time.monotonic() + seconds
        while len(out) < count:
            while b"&" in self.buffer and len(out) < count:
                item, self.buffer = self.buffer.split(b"&", 1)
                out.append(item)
            if len(out) == count:
                break
            left = deadline - time.monotonic()
            if left <= 0:
                break
            self.sock.settimeout(left)
            try:
                chunk = self.sock.recv(65536)
            except (socket.timeout, OSError):
                break
            if not chunk:
                break
            self.buffer += chunk
        return out

    def greeted(self):
        got = self.frames(1)
        return bool(got) and got[0].startswith(b"KqRainbowFan!")

    def reply(self, seconds=5.0):
        got = self.frames(1, seconds)
        return json.loads(base64.b64decode(got[0])) if got else None

    def close(self):
        self.sock.close()


def box_list_answered(phone, request=BOX_LIST):
    try:
        phone.sock.sendall(request)
    except OSError:
        return False
    answer = phone.reply()
    return bool(answer) and answer.get("ResType") == 10


def probe_idle(host, port):
    idle = [Phone(host, port) for _ in range(40)]
    time.sleep(0.5)
    try:
        phone = Phone(host, port)
        ok = phone.greeted() and box_list_answered(phone)
        phone.close()
    except OSError as error:
        return "FAILED: %s" % error
    finally:
        for p in idle:
            p.close()
    return "ok" if ok else "FAILED: the phone after 40 idle connections was not served"


def probe_burst(host, port):
    phone = Phone(host, port)
    if not phone.greeted():
        return "FAILED: no greeting"
    burst = b"".join(frame("07:%02d" % (10 + i % 90)) for i in range(500))
    ok = box_list_answered(phone, burst + BOX_LIST)
    phone.close()
    return "ok" if ok else "FAILED: no box list after 500 level frames"


def probe_garbage(host, port):
    phone = Phone(host, port)
    if not phone.greeted():
        return "FAILED: no greeting"
    junk = b"".join(frame("{broken") for _ in range(20))
    ok = box_list_answered(phone, junk + BOX_LIST)
    phone.close()
    return "ok" if ok else "FAILED: no box list after 20 undecodable frames"


def probe_wrapped(host, port):
    phone = Phone(host, port)
    if not phone.greeted():
        return "FAILED: no greeting"

    def light_mode():
        phone.sock.sendall(LIVE_BOX0)
        answer = phone.reply()
        return answer["Fan1"]["lightMode"] if answer and "Fan1" in answer else None

    before = light_mode()
    if before is None:
        phone.close()
        return "FAILED: no answer to command 15 (is box 0 there?)"
    # 4294967300 is 4 ("Breath") once wrapped to 32 bits; pick the other
    # side so that a change shows.
    phone.sock.sendall(frame('{"command": 0, "Data": {"BoxNum": "1", "FanNum": "1", "ColorMode": 0, '
                             '"LightMode": 4294967300, "Speed": 1}}'))
    after = light_mode()
    phone.close()
    if after != before:
        return "FAILED: LightMode 4294967300 was taken as %s" % after
    return "ok"


def probe(args):
    failed = 0
    for name, check in (("idle", probe_idle), ("burst", probe_burst), ("garbage", probe_garbage),
                        ("wrapped", probe_wrapped)):
        try:
            result = check(args.host, args.port)
        except OSError as error:
            result = "FAILED: %s" % error
        print("%-8s %s" % (name, result), flush=True)
        failed += result != "ok"
        # Let the server see the closed connections before the next check.
        time.sleep(0.5)
    return 1 if failed else 0


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return -1


def never_read(args):
    phones = []
    for _ in range(args.count):
        phone = Phone(args.host, args.port, rcvbuf=4096)
        phone.sock.setblocking(False)
        phones.append(phone)
    start = time.monotonic()
    next_report = start
    sent = 0
    while True:
        now = time.monotonic()
        if args.pid and now >= next_report:
            print("%5.0f s  %7d KiB  %d connections open" % (now - start, resident_kib(args.pid),
                                                            sum(p is not None for p in phones)), flush=True)
            next_report += 10
        if now - start >= args.seconds:
            break
        for i, phone in enumerate(phones):
            if phone is None:
                continue
            try:
                phone.sock.send(LIVE_BOX1)
                sent += 1
            except BlockingIOError:
                pass
            except OSError:
                phone.close()
                phones[i] = None
        time.sleep(1 / 90)
    print("requests sent: %d, connections still open: %d" % (sent, sum(p is not None for p in phones)))
    for phone in phones:
        if phone:
            phone.close()
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     epilog=__doc__.split("\n\n", 1)[1],
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=5489)
    parser.add_argument("--seconds", type=float, default=100)
    parser.add_argument("--pid", type=int)
    parser.add_argument("mode", choices=["probe", "never-read"])
    parser.add_argument("count", type=int, nargs="?", default=7)
    args = parser.parse_args()
    return probe(args) if args.mode == "probe" else never_read(args)


if __name__ == "__main__":
    sys.exit(main())
