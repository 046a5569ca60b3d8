#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A box whose firmware answers garbage (every length, a failed read among
# them) through the simulator's "garble" verb: the running program marks it
# as not answering, keeps running and serving the command channel, and
# watches the box again once its replies are proper again.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap '[ -n "$app" ] && kill $app 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset QT_LOGGING_RULES
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; echo "--- log"; tail -20 "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"

"$bin/Aurivent" --minimized --simulate=1 --simulate-control="$work/control" --hid-trace="$work/trace" \
  >"$work/log" 2>&1 &
app=$!
# Proper answers to the speed poll: the reply echoes the command.
good_replies() {
  awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 4) == "3351" && substr($5, 1, 4) == "3351" && length($5) == 128 { n++ }
       END { print n + 0 }' "$work/trace" 2>/dev/null || echo 0
}
polled() { [ "$(good_replies)" -ge 1 ]; }
wait_for 60 "the first speed poll" polled

answer=$(python3 - "$work/control" <<'PY'
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(b"garble 0 30 3\n")
print(s.makefile().readline().strip())
PY
)
[ "$answer" = ok ] || fail "garble: $answer"

silent() { grep -q "box 0 is not answering" "$work/log"; }
wait_for 60 "box 0 reported as not answering" silent
kill -0 $app 2>/dev/null || fail "the program ended on garbage replies"
[ "$("$bin/Aurivent" --send 0x2333)" = handled ] || fail "the command channel stopped answering"

before=$(good_replies)
again() { [ "$(good_replies)" -ge $((before + 5)) ]; }
wait_for 90 "proper speed replies after the garbage" again
kill -0 $app 2>/dev/null || fail "the program ended"
garbage=$(awk '$2 == "XFER" && $3 == 0 && $5 != "-" && substr($5, 1, 2) != substr($4, 3, 2) { n++ } END { print n + 0 }' "$work/trace")
[ "$garbage" -ge 10 ] || fail "only $garbage garbage replies reached the program"
echo "$garbage garbage replies read; box 0 answered properly again"
echo "1 passed, 0 failed"
