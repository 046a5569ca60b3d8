#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A phone for Aurivent's remote control, for trying commands by hand and for tests.

Connects to the program's TCP server, prints the greeting, sends each REQUEST
as one frame (Base64 text ending in "&"), then prints every reply frame,
decoded, until nothing more arrives for --wait seconds.

REQUEST is one of:
  boxlist        the box-list request, {"command": 10, "Data": {}}
  volume:N       the phone's music level N (0..99), sent as the text "07:NN"
  stop           stop the phone's music, the text "07@@"
  {...}          any JSON object, sent as it is, e.g.
                 '{"command": 0, "Data": {"BoxNum": "1", "FanNum": "11111",
                   "ColorMode": 0, "LightMode": 4, "Speed": 2}}'

Output lines: "greeting: <text>", "host: <name>", "password: <digits>" (only
when the password switch is on), then "reply:" and the decoded text of each
reply. Exit status 0 on success, 1 when the server cannot be reached or a
REQUEST is malformed.
"""

import argparse
import base64
import json
import socket
import sys
import time


def request_text(request):
    if request == "boxlist":
        return json.dumps({"command": 10, "Data": {}})
    if request == "stop":
        return "07@@"
    if request.startswith("volume:"):
        level = int(request.split(":", 1)[1])
        if not 0 <= level <= 99:
            raise ValueError("volume must be 0..99")
        return "07:%02d" % level
    if request.lstrip().startswith("{"):
        if not isinstance(json.loads(request), dict):
            raise ValueError("not a JSON object")
        return request
    raise ValueError("unknown request: " + request)


def is_box_list(text):
    try:
        return json.loads(text).get("command") == 10
    except (ValueError, AttributeError):
        return False


def frame(text):
    return base64.b64encode(text.encode("utf-8")) + b"&"


def main():
    parser = argparse.ArgumentParser(
        description=__doc__.split("\n\n")[0],
        epilog=__doc__.split("\n\n", 1)[1],
        formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1", help="server address (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=5489, help="server port (default 5489)")
    parser.add_argument("--wait", type=float, default=1.0,
                        help="seconds of silence that end the run (default 1.0)")
    parser.add_argument("requests", nargs="*", metavar="REQUEST")
    args = parser.parse_args()

    try:
        texts = [request_text(r) for r in args.requests]
    except ValueError as error:
        print("error:", error, file=sys.stderr)
        return 1

    try:
        sock = socket.create_connection((args.host, args.port), timeout=5)
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    except OSError as error:
        print("error: cannot connect to %s:%d: %s" % (args.host, args.port, error), file=sys.stderr)
        return 1

    buffer = b""
    deadline = time.monotonic() + 5
    while b"&" not in buffer and time.monotonic() < deadline:
        chunk = sock.recv(65536)
        if not chunk:
            break
        buffer += chunk
    if b"&" not in buffer:
        print("error: no greeting", file=sys.stderr)
        return 1
    greeting, buffer = buffer.split(b"&", 1)
    greeting = greeting.decode("utf-8", "replace")
    print("greeting:", greeting)
    parts = greeting.split("!")
    if len(parts) >= 2:
        print("host:", parts[1])
    if len(parts) >= 3:
        print("password:", parts[2])

    # The server drops whatever came in the same read as a box-list request,
    # so after one the next request waits for its reply; a busy server would
    # otherwise read both at once and swallow the second.
    for text in texts:
        sock.sendall(frame(text))
        if is_box_list(text):
            replies = buffer.count(b"&")
            deadline = time.monotonic() + 5
            while buffer.count(b"&") == replies and time.monotonic() < deadline:
                sock.settimeout(max(0.01, deadline - time.monotonic()))
                try:
                    chunk = sock.recv(65536)
                except socket.timeout:
                    break
                if not chunk:
                    break
                buffer += chunk
        else:
            time.sleep(0.05)

    sock.settimeout(args.wait)
    while True:
        while b"&" in buffer:
            reply, buffer = buffer.split(b"&", 1)
            print("reply:", base64.b64decode(reply).decode("utf-8", "replace"))
        try:
            chunk = sock.recv(65536)
        except socket.timeout:
            break
        if not chunk:
            break
        buffer += chunk
    sock.close()
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
