#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program, started on simulated boxes in slots 1 and 4, opens every slot
# and probes exactly those two boxes.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap '[ -n "$app" ] && kill $app 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
# The checks below read the program's diagnostic labels.
export QT_LOGGING_RULES="aurivent.*.debug=true"

fail() { echo "FAIL: $*"; echo "--- trace"; cat "$work/trace" || true; echo "--- log"; cat "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"

"$bin/Aurivent" --simulate=-,1,-,-,0 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
# Discovery is over once the first speed poll goes out.
polled() { [ "$(trace_count "$work/trace" 1 3351)" -ge 1 ]; }
wait_for 60 "the first speed poll after discovery" polled
kill $app
wait $app 2>/dev/null || true
app=

[ -s "$work/trace" ] || fail "no trace written"
for b in $(seq 0 15); do
  grep -Eq "^[0-9]+ OPEN $b (ok|fail)$" "$work/trace" || fail "no OPEN line for box $b"
done
[ "$(grep -Ec '^[0-9]+ OPEN (1|4) ok$' "$work/trace")" -ge 2 ] || fail "boxes 1 and 4 did not open"
for b in 1 4; do
  grep -Eq "^[0-9]+ XFER $b 00fe33[0-9a-f]{124} [0-9a-f]{128}$" "$work/trace" || fail "no probe of box $b"
done
if grep -Eq '^[0-9]+ XFER (0|2|3|[5-9]|1[0-5]) ' "$work/trace"; then fail "a report went to an empty slot"; fi
grep -q 'setupAllControllerBox checkControllerStr: "0100100000000000"' "$work/log" || fail "map not logged"
echo "1 passed, 0 failed"
