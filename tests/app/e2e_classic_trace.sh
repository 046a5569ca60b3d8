#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fans that follow the temperature without a curve of their own get the
# reports they have always had: two reading passes at 47 °C from the scripted
# sensor plug-in, then the cap on the way out. The expected lines in
# data/classic_trace.txt were recorded from the program before fans could
# follow other curves, run the same way.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap 'end_programs $app; rm -rf "$work"' EXIT
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR"
rm -f "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/"*.ini
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Device1]\nBoxType=0\n' > "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"

fail() { echo "FAIL: $*"; echo "--- duties"; cat "$work/duties" 2>/dev/null; echo "--- log"; tail -40 "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"

# The program finds its sensor plug-in beside itself: here the scripted one.
mkdir "$work/bin"
cp "$bin/Aurivent" "$work/bin/"
cp "$bin/libFakeSensors.so" "$work/bin/libAuriventSensors.so"
export FAKE_SENSORS='k10temp-pci-00c3|T:CPU=47'

"$work/bin/Aurivent" --simulate=1,0 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
two_passes() { [ "$(trace_count "$work/trace" 0 3251050132)" -ge 2 ]; }
wait_for 60 "two reading passes in the trace" two_passes
end_programs $app
app=

# Each box's duty and level reports, in its own order: the passes, then the exit.
awk '$2 == "XFER" && substr($4, 3, 4) == "3251" { print $3, substr($4, 3, 10) }' "$work/trace" > "$work/all"
{
  grep '^0 ' "$work/all" | head -n 10
  grep '^0 ' "$work/all" | tail -n 5
  grep '^1 ' "$work/all"
} > "$work/duties"
# A third pass may have come before the end.
grep '^0 ' "$work/all" | head -n -5 | sort | uniq -c | awk '{ print $2, $3 }' | grep -qv ' 32510[1-5]0132$' \
  && fail "a pass sent something other than the curve's 50 %"
diff "$here/data/classic_trace.txt" "$work/duties" >/dev/null || fail "not the reports of old: $(diff "$here/data/classic_trace.txt" "$work/duties" | tr '\n' ' ')"
echo "1 passed, 0 failed"
