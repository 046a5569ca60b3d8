#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The computer going to sleep and waking up, as a stand-in systemd-logind on
# a system bus of the test's own tells the service: going to sleep sends the
# boxes nothing; after the wake-up every box - the single-colour one too - is
# sent its settings again, once, and the speed poll goes on.
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
fail() { echo "FAIL: $*"; echo "--- log"; tail -30 "$work/log" 2>/dev/null; echo "--- logind"; tail -5 "$work/mock" 2>/dev/null; exit 1; }
source "$top/tests/support/e2e_lib.sh"

# It stands in for the system bus.
start_private_bus "$work"
export DBUS_SYSTEM_BUS_ADDRESS=$bus_address
DBUS_SESSION_BUS_ADDRESS=$DBUS_SYSTEM_BUS_ADDRESS /usr/bin/python3 -m dbusmock --session --template logind \
  >"$work/mock" 2>&1 &
pids+=($!)
logind_up() {
  dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.login1 2>/dev/null | grep -q 'boolean true'
}
wait_for 60 "the stand-in systemd-logind" logind_up
# The stand-in sends the signal as logind itself would (dbus-send cannot
# write the variant list its EmitSignal takes).
prepare_for_sleep() {
  /usr/bin/python3 -c '
import dbus, sys
bus = dbus.bus.BusConnection(sys.argv[1])
logind = bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1")
logind.EmitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b", [dbus.Boolean(sys.argv[2] == "true")],
                  dbus_interface="org.freedesktop.DBus.Mock")
' "$DBUS_SYSTEM_BUS_ADDRESS" "$1" || fail "the stand-in did not send PrepareForSleep $1"
}

# Two RGB boxes and a single-colour one, in slots 0, 1 and 3; the program
# knows slot 1 for what it is.
boxes="0 1 3"
printf '[Device1]\nBoxType=0\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"
"$bin/Aurivent" --headless --simulate=1,0,-,1 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
pids=($app "${pids[@]}")
sent() { grep -c "box $1 is sent its settings" "$work/log" || true; }
polled() {
  kill -0 $app 2>/dev/null || fail "the service ended"
  local b
  for b in $boxes; do [ "$(awk -v b=$b '$2 == "XFER" && $3 == b' "$work/trace" 2>/dev/null | wc -l)" -ge 10 ] || return 1; done
}
wait_for 60 "every box to be polled" polled
grep -q 'no system bus\|no systemd-logind' "$work/log" && fail "the service did not find the stand-in systemd-logind"
declare -A before
for b in $boxes; do before[$b]=$(sent $b); done

# Going to sleep: nothing is sent for it.
prepare_for_sleep true
asleep() { grep -q 'the computer goes to sleep' "$work/log"; }
wait_for 60 "the service to hear of the sleep" asleep
for b in $boxes; do
  [ "$(sent $b)" -eq "${before[$b]}" ] || fail "box $b was sent its settings when the computer went to sleep"
done
writes_before=$(wc -l <"$work/trace")

# Waking up: every box gets its settings once more.
prepare_for_sleep false
all_sent() { local b; for b in $boxes; do [ "$(sent $b)" -ge $((before[$b] + 1)) ] || return 1; done; }
wait_for 60 "every box to be sent its settings after the wake-up" all_sent
grep -q 'the computer woke up' "$work/log" || fail "the wake-up is not in the log"
# The settings reach the wire, for each box, after the wake-up.
for b in $boxes; do
  lighting=$(tail -n +$((writes_before + 1)) "$work/trace" | awk -v b=$b '$2 == "XFER" && $3 == b && substr($4, 3, 4) != "3351"' | wc -l)
  [ "$lighting" -ge 1 ] || fail "no settings report reached box $b after the wake-up"
done
# Once, not twice, and no box that is not there.
polls_after() { [ "$(tail -n +$((writes_before + 1)) "$work/trace" | awk '$2 == "XFER" && $3 == 0' | wc -l)" -ge 20 ]; }
wait_for 60 "the speed poll to go on after the wake-up" polls_after
for b in $boxes; do
  [ "$(sent $b)" -eq $((before[$b] + 1)) ] || fail "box $b was sent its settings $(($(sent $b) - before[$b])) times for one wake-up"
done
[ "$(grep -c 'box 2 is sent its settings' "$work/log" || true)" -eq 0 ] || fail "the empty slot 2 was sent settings"
echo "1 passed, 0 failed"
