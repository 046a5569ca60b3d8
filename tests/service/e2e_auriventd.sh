#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# auriventd on a simulated box and no display: it loads no window library,
# drives the box at start-up, serves the phone and the command channel, and
# ends in order on SIGTERM, the fans' exit reports sent.
set -euo pipefail
bin=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_LOGGING_RULES QT_QPA_PLATFORM
"$bin/auriventd" --simulate=1 --simulate-control="$work/sim" --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
trap 'end_programs $app; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log"; echo "--- phone"; cat "$work/phone" 2>/dev/null; exit 1; }
source "$top/tests/support/e2e_lib.sh"

[ "$("$bin/auriventd" --version)" = "auriventd $("$bin/Aurivent" --version | cut -d' ' -f2)" ] \
  || fail "auriventd --version: $("$bin/auriventd" --version)"

listening() {
  kill -0 $app 2>/dev/null || fail "the service ended"
  [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && [ -S "$work/sim" ]
}
wait_for 60 "the service's sockets" listening

# No window library in the running process, and Qt Core is there (the check can see libraries).
grep -q 'libQt5Core' "/proc/$app/maps" || fail "no libQt5Core in the maps: the check looks in the wrong place"
if grep -q 'libQt5Gui\|libQt5Widgets' "/proc/$app/maps"; then
  fail "the service loaded a window library: $(grep -o 'libQt5[A-Za-z]*' "/proc/$app/maps" | sort -u | paste -sd' ')"
fi

# The box got its settings at start-up: lighting reports on the wire.
lit() { awk '$2 == "XFER" && $3 == 0 { print substr($4, 3, 4) }' "$work/trace" | grep -q '^3252$'; }
wait_for 60 "the lighting sent at start-up" lit

# The phone and the command channel.
python3 "$top/tools/phone/phone.py" --wait 1.0 boxlist \
  '{"command": 0, "Data": {"BoxNum": "1", "FanNum": "001", "ColorMode": 0, "LightMode": 4, "Speed": 1}}' \
  >"$work/phone" 2>&1 || fail "the phone client failed"
grep -q '"BoxNumStr": "1000000000000000"' "$work/phone" || fail "wrong box list"
breath_sent() { awk '$2 == "XFER" && $3 == 0 { print substr($4, 3, 8) }' "$work/trace" | grep -q '^32520311$'; }
wait_for 60 "the phone's Breath on port 3" breath_sent
[ "$("$bin/Aurivent" --send 0x8101 1)" = "not handled" ] || fail "0x8101 1 must be not handled without a window"
[ "$("$bin/Aurivent" --send 0x8102 1)" = handled ] || fail "0x8102 not handled"

# A second service start ends at once and leaves the first alone.
timeout 60 "$bin/auriventd" >"$work/second" 2>&1 || fail "a second service start failed"
grep -q 'already runs' "$work/second" || fail "a second service start said nothing"
kill -0 $app || fail "the service died"

# SIGTERM: an orderly end with status 0.
kill -TERM $app
ended() { ! kill -0 $app 2>/dev/null; }
wait_for 60 "the service's end" ended
set +e
wait $app
rc=$?
set -e
[ $rc -eq 0 ] || fail "the service exited $rc on SIGTERM"
echo "1 passed, 0 failed"
