#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU of the program without a window on 16 simulated 12-LED boxes, two ways
# at once so that both see the same machine:
#   today   no curves file: a reading every 5 s, every fan on Classic (CPU);
#   curves  ReadingPeriod=1 and six curves, each on its own one of six chips
#           of the scripted sensor plug-in, spread over the 80 fans.
#   bench/curve_readings.sh BIN_DIR [SECONDS]
# BIN_DIR holds Aurivent, auriventd and libFakeSensors.so (a build's bin).
# Each runs in a private network namespace (the phone's port is fixed).
# Prints the CPU time of each over SECONDS as a share of one core.
set -euo pipefail
bin=$(cd "$1" && pwd)
seconds=${2:-60}
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

chips='k10temp-pci-00c3|T:Tctl=55;amdgpu-pci-0300|T:edge=61;nvme-pci-0100|T:Composite=41'
chips+=';nct6798-isa-0290|T:SYSTIN=34;amdgpu-pci-0800|T:junction=66;nvme-pci-0200|T:Composite=39'
sources=(k10temp-pci-00c3/Tctl amdgpu-pci-0300/edge nvme-pci-0100/Composite nct6798-isa-0290/SYSTIN
         amdgpu-pci-0800/junction nvme-pci-0200/Composite)
boxes=$(printf '1,%.0s' $(seq 16)); boxes=${boxes%,}

# The program finds its sensor plug-in beside itself: the scripted one.
mkdir "$work/bin"
cp "$bin/Aurivent" "$bin/auriventd" "$work/bin/"
cp "$bin/libFakeSensors.so" "$work/bin/libAuriventSensors.so"

run() { # LABEL: starts one program in its own folders and namespace
  local label=$1 home=$work/$1
  mkdir -p "$home/config/Kq/RGBVaylaZeve" "$home/run"
  chmod 700 "$home/run"
  if [ "$label" = curves ]; then
    {
      printf '[Main]\nReadingPeriod=1\n'
      for i in "${!sources[@]}"; do
        printf '[Curve%d]\nName=Chip%d\nPoints="30:30,50:45,70:80,85:100"\nHysteresis=2\nStepUp=10\nStepDown=5\nSources=%s\n' \
          "$i" "$i" "${sources[$i]}"
      done
    } > "$home/config/Kq/RGBVaylaZeve/Curves.ini"
  fi
  XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run FAKE_SENSORS=$chips QT_QPA_PLATFORM=offscreen \
    unshare -n "$work/bin/Aurivent" --headless --simulate="$boxes" >"$home/log" 2>&1 &
  pids+=($!)
}

send() { # LABEL ARGS...: a numbered command to that program
  XDG_CONFIG_HOME=$work/$1/config XDG_RUNTIME_DIR=$work/$1/run "$work/bin/Aurivent" --send "${@:2}"
}

run today
run curves
for label in today curves; do
  for _ in $(seq 300); do [ "$(send $label 0x8106 0 0 2>/dev/null || true)" = handled ] && break; sleep 0.1; done
done
# Every fan of every box on one of the six curves, in turn.
for box in $(seq 0 15); do
  send curves 0x8106 "$box" 0 >/dev/null
  for fan in 0 1 2 3 4; do
    send curves 0x8127 $((4 + (box * 5 + fan) % 6)) "$fan" >/dev/null
  done
done

tick=$(getconf CLK_TCK)
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A start
for i in 0 1; do start[$i]=$(awk '{ print $14 + $15 }' "/proc/${pids[$i]}/stat"); done
t0=$(date +%s.%N)
sleep "$seconds"
t1=$(date +%s.%N)
labels=(today curves)
for i in 0 1; do
  end=$(awk '{ print $14 + $15 }' "/proc/${pids[$i]}/stat")
  awk -v l="${labels[$i]}" -v a="${start[$i]}" -v b="$end" -v t="$tick" -v s0="$t0" -v s1="$t1" \
    'BEGIN { printf "%-7s cpu %.2f %% of one core over %.0f s\n", l, 100 * (b - a) / t / (s1 - s0), s1 - s0 }'
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "fans given a curve: $(grep -c 'follows the curve' "$work/curves/log" || true) of 80"
grep -h "refused" "$work"/*/log | head -5 || true
