#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A phone talks to the running program: greeting, box list, and a command 0
# that changes fan 2's light mode, which the box then receives.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
# The checks below read the program's diagnostic labels.
export QT_LOGGING_RULES="aurivent.*.debug=true"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$bin/Aurivent" --simulate=1 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- phone"; cat "$work/phone" 2>/dev/null; echo "--- log"; grep -v '^"' "$work/log" | tail -30; exit 1; }
source "$here/../support/e2e_lib.sh"

listening() { grep -q 'Listening: true' "$work/log" 2>/dev/null; }
wait_for 60 "the phone server to listen" listening

# Fan 2 (third position) to "Breath" (4) at speed 1.
python3 "$top/tools/phone/phone.py" --wait 1.0 boxlist \
  '{"command": 0, "Data": {"BoxNum": "1", "FanNum": "001", "ColorMode": 0, "LightMode": 4, "Speed": 1}}' \
  >"$work/phone" 2>&1 || fail "the phone client failed"

grep -q '^greeting: KqRainbowFan!' "$work/phone" || fail "no greeting"
grep -q '"ResType": 10' "$work/phone" || fail "no box-list reply"
grep -q '"BoxNumStr": "1000000000000000"' "$work/phone" || fail "wrong box list"
breath() { [ "$(trace_count "$work/trace" 0 32520311)" -ge 1 ]; }
wait_for 30 "a Breath report (mode byte 0x11) for port 3 in the trace" breath
# The other fans were not touched by the phone: their last lighting report is still the stored Whirl.
last_port1=$(awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "325201" { out = substr($4, 9, 2) } END { print out }' "$work/trace")
[ "$last_port1" = "17" ] || fail "port 1 changed to mode $last_port1"
echo "1 passed, 0 failed"
