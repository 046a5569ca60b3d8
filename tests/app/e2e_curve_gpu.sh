#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A fan given a curve by its number on the command channel follows it on an
# NVIDIA GPU, which the program reads through the driver's library it finds
# by itself (here the scripted stand-in under the real library's name); the
# other fans keep Classic on the CPU, and the choice is saved with the profile.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap 'end_programs $app; rm -rf "$work"' EXIT
conf="$XDG_CONFIG_HOME/Kq/RGBVaylaZeve"
rm -rf "$conf"
mkdir -p "$conf" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Device1]\nBoxType=0\n' > "$conf/Device.ini"
printf '[Main]\nReadingPeriod=1\n[Curve0]\nName=Gaming\nPoints="40:30,80:90"\nSources=nvidia-GPU-5f1c/GPU\n' \
  > "$conf/Curves.ini"

fail() { echo "FAIL: $*"; echo "--- box 0"; awk '$2 == "XFER" && $3 == 0 { print $4 }' "$work/trace" 2>/dev/null | grep '^..3251' | tail -12; echo "--- log"; tail -40 "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"

mkdir "$work/bin" "$work/lib"
cp "$bin/Aurivent" "$work/bin/"
cp "$bin/libFakeSensors.so" "$work/bin/libAuriventSensors.so"
cp "$bin/libFakeNvml.so" "$work/lib/libnvidia-ml.so.1"
export FAKE_SENSORS='k10temp-pci-00c3|T:CPU=47' FAKE_NVML='GPU-5f1c|RTX 4070|70'

LD_LIBRARY_PATH="$work/lib" "$work/bin/Aurivent" --simulate=1,0 --hid-trace="$work/trace" >"$work/log" 2>&1 &
app=$!
channel_up() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ]; }
wait_for 60 "the command channel" channel_up
classic_pass() { [ "$(trace_count "$work/trace" 0 3251010132)" -ge 1 ]; }
wait_for 60 "a pass with Classic's 50 % on port 1" classic_pass

# Curve number 4: the first of the user's own, after the four presets.
[ "$("$work/bin/Aurivent" --send 0x8127 4 0)" = handled ] || fail "0x8127 not handled"
# Port 1 then runs at Gaming's 75 % for the GPU's 70 °C (30 + 30 x 60 / 40).
gpu_pass() { [ "$(trace_count "$work/trace" 0 325101014b)" -ge 1 ]; }
wait_for 60 "port 1 at the GPU curve's 75 %" gpu_pass
[ "$("$work/bin/Aurivent" --send 0x8119)" = handled ] || fail "0x8119 not handled"
saved() { grep -qs '=Gaming$' "$conf"/VaylaZeve/Profile*.ini; }
wait_for 30 "the fan's curve in its saved profile" saved
# A number past the last curve is refused and changes nothing.
[ "$("$work/bin/Aurivent" --send 0x8127 5 1)" = handled ] || fail "0x8127 5 not handled"
grep -q '0x8127 refused: no curve number 5' "$work/log" || fail "no refusal logged for curve 5"
# Ports 2-5 stay on Classic at 47 °C.
awk '$2 == "XFER" && $3 == 0 { print substr($4, 3, 10) }' "$work/trace" | grep '^32510[2-5]01' | sort -u > "$work/others"
grep -qv '0132$' "$work/others" && fail "a Classic fan left Classic's 50 %: $(tr '\n' ' ' < "$work/others")"
echo "1 passed, 0 failed"
