#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# First start on a clean data folder with a 12-LED box in slot 0 and a
# single-colour box in slot 1: after the probes come the firmware query and
# the stored settings of both boxes, then one speed poll per watched fan per second.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap 'end_programs $app; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The device file says which kind of box slot 1 is.
printf '[Device1]\nBoxType=0\n' > "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"

fail() { echo "FAIL: $*"; echo "--- trace"; cut -c1-60 "$work/trace" 2>/dev/null; echo "--- log"; tail -40 "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"

"$bin/Aurivent" --simulate=1,0 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
# Six rounds of the speed poll: the last port of box 0 asked six times.
six_rounds() { [ "$(trace_count "$work/trace" 0 335105)" -ge 6 ]; }
wait_for 60 "six rounds of the speed poll in the trace" six_rounds
kill $app
wait $app 2>/dev/null || true
app=

# Just the commands: box and the first bytes of OUT.
awk '$2 == "XFER" { print $3, substr($4, 3, 8) }' "$work/trace" > "$work/commands"
head -n 3 "$work/commands" | tr '\n' ';' > "$work/start"
[ "$(cat "$work/start")" = "0 fe330000;1 fe330000;0 33500000;" ] || fail "expected probes then firmware, got $(cat "$work/start")"

# Stored settings of box 0: the defaults (Performance with PWM on sends no speed;
# light mode 5 "Whirl", speed 3 → mode byte 0x17) for ports 1..5.
for port in 1 2 3 4 5; do
  grep -q "^0 3252$(printf %02x $port)17$" "$work/commands" || fail "box 0 port $port not sent Whirl"
done
# Box 1, three single-colour fans: steady red at full brightness, no speed while following the temperature.
for port in 1 2 3; do
  grep -q "^1 3252$(printf %02x $port)00$" "$work/commands" || fail "box 1 port $port not sent its colour"
done
grep -q "^1 3252040" "$work/commands" && fail "box 1 has no fourth fan"

# A box gets its settings before its first poll (each box's lines are in the
# order of its own reports; the boxes' I/O threads interleave).
for box in 0 1; do
  first_poll=$(grep -n "^$box 3351" "$work/commands" | head -1 | cut -d: -f1)
  last_setting=$(grep -n "^$box 3252" "$work/commands" | tail -1 | cut -d: -f1)
  [ -n "$first_poll" ] && [ "$last_setting" -lt "$first_poll" ] || fail "box $box: settings must precede the speed poll"
done

# One poll per watched fan per second: every round asks each fan once (the
# program may have been stopped in the middle of a round), and rounds are
# about a second apart.
for port in 1 2 3 4 5; do
  n=$(grep -c "^0 3351$(printf %02x $port)" "$work/commands" || true)
  [ "$n" -ge 3 ] || fail "box 0 port $port polled $n times"
  eval "polls_$port=$n"
done
[ "$polls_1" -ge "$polls_5" ] && [ "$polls_1" -le $((polls_5 + 1)) ] && [ "$polls_3" -ge "$polls_5" ] \
  || fail "uneven rounds: $polls_1 / $polls_3 / $polls_5"
grep -q '^1 335104' "$work/commands" && fail "box 1 polled for a fourth fan"
for port in 1 2 3; do
  grep -q "^1 3351$(printf %02x $port)" "$work/commands" || fail "box 1 port $port never polled"
done
# On average over the run: a busy machine delays single polls, and the
# poll timer makes up for a late one with an early next (a first poll late
# by up to a second still averages 800 ms over five gaps).
gap=$(awk '$2 == "XFER" && $3 == 0 && substr($4, 3, 6) == "335101" { t[n++] = $1 }
           END { print int((t[n-1] - t[0]) / (n - 1)) }' "$work/trace")
[ "$gap" -ge 700 ] && [ "$gap" -le 2000 ] || fail "polls of one fan $gap ms apart on average"
echo "1 passed, 0 failed"
