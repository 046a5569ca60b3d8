#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The service watching a simulated box: a fan that stalls reaches the
# desktop's notification service (a stand-in on a bus of the test's own) and
# the metrics served by --metrics; the history is in the state folder after
# the service ends.
set -euo pipefail
bin=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" XDG_STATE_HOME="$work/state"
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_LOGGING_RULES
export QT_QPA_PLATFORM=offscreen
pids=()
trap 'end_programs ${pids[@]+"${pids[@]}"}; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log" 2>/dev/null; echo "--- notifications"; cat "$work/notify" 2>/dev/null; exit 1; }
source "$top/tests/support/e2e_lib.sh"

# A session bus of the test's own, nothing activated on it, and a stand-in
# notification service that logs every call.
start_private_bus "$work"
export DBUS_SESSION_BUS_ADDRESS=$bus_address
/usr/bin/python3 -m dbusmock --template notification_daemon -l "$work/notify" >"$work/mock" 2>&1 &
pids+=($!)
mock_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.freedesktop.Notifications 2>/dev/null | grep -q 'boolean true'
}
wait_for 60 "the stand-in notification service" mock_up

# No warm-up: the stall below comes right after the start.
printf '[Alerts]\nWarmUpSeconds=0\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Alerts.ini"
port=9745
"$bin/Aurivent" --headless --simulate=1 --simulate-control="$work/sim" --metrics="127.0.0.1:$port" --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
pids=($app "${pids[@]}")
sim() { python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(sys.argv[2].encode()+b"\n"); print(s.recv(99).decode().strip())' "$work/sim" "$1"; }
metrics() { python3 -c 'import sys,urllib.request; sys.stdout.write(urllib.request.urlopen(sys.argv[1], timeout=10).read().decode())' "http://127.0.0.1:$port/metrics" 2>/dev/null; }

serving() {
  kill -0 $app 2>/dev/null || fail "the service ended"
  [ -S "$work/sim" ] && metrics | grep -q '^aurivent_fan_speed_rpm{box="1",fan="2"} [1-9]'
}
wait_for 60 "the metrics of a turning fan" serving

[ "$(sim 'stall 0 1')" = ok ] || fail "the simulator refused the stall"
notified() { grep -q 'Notify.*"aurivent".*Fan 2 of controller 1 has stopped' "$work/notify"; }
wait_for 60 "the stall's notification" notified
stalled() { metrics | grep -q '^aurivent_fan_stalled{box="1",fan="2"} 1$'; }
wait_for 60 "the stall in the metrics" stalled
metrics | grep -q '^aurivent_alerts_active{kind="stall"} 1$' || fail "the stall is no active alert in the metrics"
# One outage, one notification, however many polls find it stopped.
polls() { awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "335102"' "$work/trace" | wc -l; }
seen=$(polls)
three_more() { [ "$(polls)" -ge $((seen + 3)) ]; }
wait_for 60 "three more polls of the stopped fan" three_more
[ "$(grep -c 'has stopped' "$work/notify")" -eq 1 ] || fail "more than one notification for one stall"

# The fan turns again: its notification is replaced, the metrics say so.
[ "$(sim 'run 0 1')" = ok ] || fail "the simulator refused to run the fan"
turning() { metrics | grep -q '^aurivent_fan_stalled{box="1",fan="2"} 0$'; }
wait_for 60 "the fan turning in the metrics" turning

end_programs $app
pids=("${pids[@]:1}")
[ -s "$XDG_STATE_HOME/aurivent/history.bin" ] || fail "no history in the state folder after the service ended"
echo "1 passed, 0 failed"
