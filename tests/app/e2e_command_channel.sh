#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Other programs on the command channel: an over-long line, 2000 connections
# held open, an instance that cannot answer, and a command that ends the
# program, whose answer still arrives.
set -euo pipefail
bin=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
# The checks below read the program's diagnostic labels.
export QT_LOGGING_RULES="aurivent.*.debug=true"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
channel="$XDG_RUNTIME_DIR/Aurivent.command"
# Few descriptors: connections without a bound would use them all up.
(ulimit -n 256 && exec "$bin/Aurivent" --simulate=1 >"$work/log" 2>&1) &
app=$!
trap 'kill -CONT $app 2>/dev/null || true; kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; grep -v '^"' "$work/log" | tail -30; exit 1; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/e2e_lib.sh"

ready() { grep -q 'Listening: true' "$work/log" 2>/dev/null && [ -S "$channel" ]; }
wait_for 60 "the command channel and the phone server" ready

python3 - "$channel" "$bin/Aurivent" <<'EOF' || fail "the channel or the phone server failed (above)"
import resource, socket, subprocess, sys, time
path, program = sys.argv[1:3]

def answer(sock, lines=1):
    data = b""
    sock.settimeout(30)
    while data.count(b"\n") < lines:
        chunk = sock.recv(256)
        if not chunk:
            break
        data += chunk
    return data

# Cut after 129 bytes, the rest of this line would read "0x8101 0".
line = b"x" * 129 + b" " * 63 + b"0x8101 0"
assert len(line) == 200
c = socket.socket(socket.AF_UNIX)
c.connect(path)
c.sendall(line + b"\n0x2333\n")
got = answer(c, 2)
assert got == b"error: line too long\nhandled\n", got
c.close()

soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (min(max(soft, 2200), hard), hard))
held = []
for _ in range(2000):
    s = socket.socket(socket.AF_UNIX)
    s.connect(path)
    held.append(s)
# The program works through the 2000 first; on a loaded machine --send may
# give up on an answer before that (and says so), never on the instance.
deadline = time.monotonic() + 120
while True:
    out = subprocess.run([program, "--send", "0x2333"], capture_output=True, text=True, timeout=60)
    if out.returncode == 0 and out.stdout.strip() == "handled":
        break
    assert out.returncode == 1 and ("did not answer" in out.stderr or "busy" in out.stderr), (out.returncode, out.stdout, out.stderr)
    assert time.monotonic() < deadline, out.stderr
phone = socket.create_connection(("127.0.0.1", 5489), timeout=30)
greeting = b""
while b"&" not in greeting:
    chunk = phone.recv(256)
    if not chunk:
        break
    greeting += chunk
assert greeting.startswith(b"KqRainbowFan!"), greeting
phone.close()
for s in held:
    s.close()
print("2000 connections held: --send and the phone server answered")
EOF
grep -q '8101:' "$work/log" && fail "the tail of the long line ran as a command"
kill -0 $app || fail "the program died"

# A stopped instance is still an instance: --send says it got no answer, and
# a second start does not become another instance.
kill -STOP $app
set +e
timeout 60 "$bin/Aurivent" --send 0x2333 >"$work/send.out" 2>"$work/send.err"
rc=$?
timeout 60 "$bin/Aurivent" --simulate=1 >"$work/second.log" 2>&1
second=$?
set -e
kill -CONT $app
[ $rc -eq 1 ] || fail "--send to a stopped instance exited $rc"
grep -q 'did not answer' "$work/send.err" || fail "no clear message: $(cat "$work/send.err")"
[ $second -eq 0 ] || fail "a second start beside a stopped instance exited $second"
grep -q 'Listening: true' "$work/second.log" && fail "a second instance started"
grep -q 'without a window' "$work/second.log" && fail "a busy instance was taken for the service"
[ -S "$channel" ] || fail "the channel of the first instance is gone"

# Hidden, 0x8105 1 ends the program; its answer arrives first.
[ "$("$bin/Aurivent" --send 0x8101 0)" = handled ] || fail "0x8101 0 not handled"
set +e
out=$("$bin/Aurivent" --send 0x8105 1 2>"$work/quit.err")
rc=$?
set -e
[ $rc -eq 0 ] || fail "--send 0x8105 1 exited $rc: $(cat "$work/quit.err")"
[ "$out" = handled ] || fail "--send 0x8105 1 printed '$out'"
ended() { ! kill -0 $app 2>/dev/null; }
wait_for 60 "the program to end" ended
set +e
wait $app
status=$?
set -e
[ $status -eq 0 ] || fail "the program ended with $status"
[ -e "$channel" ] && fail "the channel's socket was left behind"
echo "1 passed, 0 failed"
