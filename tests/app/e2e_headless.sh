#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The service: Aurivent --headless (auriventd) on a simulated box and no display serves
# the phone and the command channel, polls the fans every second, warns of a
# stalled fan in its default log, and turns away a second start that asks
# for a window.
set -euo pipefail
bin=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_LOGGING_RULES
export QT_QPA_PLATFORM=xcb
"$bin/Aurivent" --headless --simulate=1 --simulate-control="$work/sim" --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
trap 'end_programs $app; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log"; echo "--- phone"; cat "$work/phone" 2>/dev/null; exit 1; }
source "$top/tests/support/e2e_lib.sh"
sim() { python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(sys.argv[2].encode()+b"\n"); print(s.recv(99).decode().strip())' "$work/sim" "$1"; }
polls() { awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "335101"' "$work/trace" | wc -l; }

listening() {
  kill -0 $app 2>/dev/null || fail "the service ended"
  [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && [ -S "$work/sim" ]
}
wait_for 60 "the service's sockets" listening

# --headless runs the service program, which loads no window library.
[ "$(basename "$(readlink "/proc/$app/exe")")" = auriventd ] || fail "--headless runs $(readlink "/proc/$app/exe")"
grep -q 'libQt5Core' "/proc/$app/maps" || fail "no libQt5Core in the maps: the check looks in the wrong place"
grep -q 'libQt5Gui\|libQt5Widgets' "/proc/$app/maps" && fail "the service loaded a window library"

# The phone: greeting, box list, and a command that reaches the box.
python3 "$top/tools/phone/phone.py" --wait 1.0 boxlist \
  '{"command": 0, "Data": {"BoxNum": "1", "FanNum": "001", "ColorMode": 0, "LightMode": 4, "Speed": 1}}' \
  >"$work/phone" 2>&1 || fail "the phone client failed"
grep -q '^greeting: KqRainbowFan!' "$work/phone" || fail "no greeting"
grep -q '"BoxNumStr": "1000000000000000"' "$work/phone" || fail "wrong box list"
breath_sent() { awk '$2 == "XFER" && $3 == 0 { print substr($4, 3, 8) }' "$work/trace" | grep -q '^32520311$'; }
wait_for 60 "the phone's Breath on port 3" breath_sent

# The command channel: no window to show, everything else as usual.
[ "$("$bin/Aurivent" --send 0x8101 1)" = "not handled" ] || fail "0x8101 1 must be not handled without a window"
[ "$("$bin/Aurivent" --send 0x2333)" = handled ] || fail "0x2333 not handled"
[ "$("$bin/Aurivent" --send 0x8102 1)" = handled ] || fail "0x8102 not handled"
grep -q '^AutoUpdate=1' "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini" || fail "0x8102 did not reach the device file"

# The speed poll goes on, about once a second on average: a busy machine
# delays single polls, and the poll timer makes up for a late one with an
# early next.
polled() { [ "$(polls)" -ge 6 ]; }
wait_for 60 "six polls of port 1" polled
gap=$(awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "335101" { t[n++] = $1 }
           END { print int((t[n-1] - t[0]) / (n - 1)) }' "$work/trace")
[ "$gap" -ge 700 ] && [ "$gap" -le 2000 ] || fail "polls $gap ms apart on average"

# A stall is an event the default log shows.
[ "$(sim 'stall 0 1')" = ok ] || fail "the simulator refused the stall"
stall_warned() { grep -q 'stall: fan 2 of box 0 stopped' "$work/log"; }
wait_for 60 "the stall warning" stall_warned

# A start that wants a window is told the service runs, and starts nothing.
set +e
QT_QPA_PLATFORM=offscreen timeout 60 "$bin/Aurivent" --simulate=1 --hid-trace="$work/second-trace" \
  >"$work/second" 2>&1
rc=$?
set -e
[ $rc -eq 0 ] || fail "the second start exited $rc"
grep -q 'aurivent.service' "$work/second" || fail "the second start did not say that the service runs: $(cat "$work/second")"
[ ! -s "$work/second-trace" ] || fail "the second start opened boxes"
kill -0 $app || fail "the service died"

# A start at log-in and another service start end quietly.
QT_QPA_PLATFORM=offscreen timeout 60 "$bin/Aurivent" --minimized >"$work/third" 2>&1 || fail "--minimized start failed"
[ ! -s "$work/third" ] || fail "the start at log-in said: $(cat "$work/third")"
timeout 60 "$bin/Aurivent" --headless >"$work/fourth" 2>&1 || fail "a second service start failed"
grep -q 'already runs' "$work/fourth" || fail "a second service start said nothing"

# No window, no tray, no autostart entry.
grep -qi 'tray\|window mask' "$work/log" && fail "the service touched a window or tray"
[ ! -e "$XDG_CONFIG_HOME/autostart" ] || fail "the service wrote an autostart entry"
echo "1 passed, 0 failed"
