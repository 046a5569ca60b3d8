#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Numbered commands that press the fan editor's own controls end on the wire.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$bin/Aurivent" --simulate=1 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; grep -v '^"' "$work/log" | tail -40; exit 1; }
source "$here/../support/e2e_lib.sh"
send() { [ "$("$bin/Aurivent" --send "$@")" = handled ] || fail "--send $* not handled"; }
# The last lighting report (OUT hex) for port 1 of box 0.
last_light() { awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "325201" { out = $4 } END { print out }' "$work/trace"; }

channel() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ]; }
wait_for 60 "the command channel" channel
# The stored settings reach the box first.
whirl_sent() { [ -n "$(last_light)" ]; }
wait_for 30 "the start-up lighting of port 1" whirl_sent

# LEDs 9 and 11 only, then red: only their triples change on the wire.
send 0x8120 5 0
before=$(last_light)
send 0x8118 255 0
changed() { [ "$(last_light)" != "$before" ]; }
wait_for 30 "the lighting report of 0x8118" changed
after=$(last_light)
triple() { echo "${1:$((10 + 6 * $2)):6}"; }
[ "$(triple "$after" 9)" = "00ff00" ] || fail "LED 9 is $(triple "$after" 9), not red"
[ "$(triple "$after" 11)" = "00ff00" ] || fail "LED 11 is $(triple "$after" 11), not red"
for led in 0 1 2 3 4 5 6 7 8 10; do
  [ "$(triple "$after" $led)" = "$(triple "$before" $led)" ] || fail "LED $led changed"
done
[ "${after:8:2}" = "17" ] || fail "mode byte ${after:8:2}: the default Whirl at its slowest expected"

# Light mode one step right: Whirl → Light (steady, mode byte 24).
send 0x8121 1 0
steady() { [ "$(last_light | cut -c9-10)" = "18" ]; }
wait_for 30 "0x8121's report of the next light mode (byte 18)" steady

# Without PWM the duty slider is not the fan's control: 0x8112 sends nothing.
# Reports to one box keep their order, so once the light mode that follows it
# is on the wire, a duty report of 0x8112 would be there too.
send 0x8111 0 0
lights=$(trace_count "$work/trace" 0 325201)
n=$(trace_count "$work/trace" 0 32510101)
send 0x8112 3 0
send 0x8121 1 0
next_light() { [ "$(trace_count "$work/trace" 0 325201)" -gt "$lights" ]; }
wait_for 30 "the light-mode report sent after 0x8112" next_light
[ "$(trace_count "$work/trace" 0 32510101)" -eq "$n" ] || fail "0x8112 changed the duty of a fan without PWM"

# Refused: a fan outside 0..4 changes nothing, and is still answered.
send 0x8121 1 7
[ "$("$bin/Aurivent" --send 0x810A 0 0)" = "not handled" ] || fail "0x810A must be not handled"
kill -0 $app || fail "the program died"
echo "1 passed, 0 failed"
