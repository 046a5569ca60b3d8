#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the rows of bench_engine for two builds interleaved, row by row, so
# that both see the same machine: a before and an after, side by side.
#   bench/bench_engine_side_by_side.sh BEFORE/bench_engine AFTER/bench_engine [SECONDS] [AFTER_DEPTH...]
# Each AFTER_DEPTH adds a run of the after build at that pipeline depth
# (default: its own). Run it in a private network namespace:
#   unshare -n sh -c 'ip link set lo up; bench/bench_engine_side_by_side.sh ...'
set -euo pipefail
before=$1
after=$2
seconds=${3:-20}
shift 3 || shift $#
depths=("${@:--1}")

rows=("1 0 2 0" "1 1 2 0" "4 0 2 0" "4 1 2 0" "16 0 2 0" "16 1 2 0" "1 0 4 0" "1 0 6 0" "1 0 8 0" "1 0 12 0" "1 0 2 1")
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "build   boxes  boxes   ms     gui-io    frames mean/worst/spread  rtt p50 / p99 ms  cpu all / gui %  cs/s all / gui   rss MiB"
for row in "${rows[@]}"; do
  read -r boxes silent exchange jitter <<<"$row"
  printf 'before '
  "$before" --row "$boxes" "$silent" "$seconds" "$exchange" "$jitter" -1 2>/dev/null | grep -v '^AuriventSensors'
  for depth in "${depths[@]}"; do
    if [ "$depth" = -1 ]; then printf 'after  '; else printf 'after%-2s' "$depth"; fi
    "$after" --row "$boxes" "$silent" "$seconds" "$exchange" "$jitter" "$depth" 2>/dev/null | grep -v '^AuriventSensors'
  done
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
