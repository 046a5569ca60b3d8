#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests with ThreadSanitizer into build-tsan/ and
# runs, under it, the device engine's tests, the lighting tests (the sensor
# thread), the program-level tests and the end-to-end scripts of those
# folders. Any report fails the run and is printed.
#   tools/tsan.sh [ROUNDS] [TEST-REGEX]   (default 1 round of every test)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-tsan"
rounds=${1:-1}
only=${2:-}

"$top/tools/deps.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAURIVENT_TSAN=ON \
  -DAURIVENT_BUILD_BENCHMARKS=OFF >/dev/null
# The programs those tests and scripts run, and nothing else.
targets=(Aurivent AuriventSensors FakeSensors FakeSensorsIncomplete aurivent_resources)
for t in "$top"/tests/device/test_*.cpp "$top"/tests/lighting/test_*.cpp "$top"/tests/app/test_*.cpp; do
  targets+=("$(basename "$t" .cpp)")
done
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

reports="$build/tsan-reports"
failed=0
for ((round = 1; round <= rounds; ++round)); do
  rm -rf "$reports"
  mkdir -p "$reports"
  for dir in device lighting app; do
    # One at a time: under ThreadSanitizer a program starts several times slower.
    # In a network namespace of its own when it can: the tests that start the
    # program bind the phone port, which a running Aurivent may hold.
    # (As root without a user namespace: some tests hand files to another user.)
    if [ "$(id -u)" = 0 ]; then ns=(unshare -n); else ns=(unshare -rn); fi
    if "${ns[@]}" true 2>/dev/null; then
      "${ns[@]}" sh -c 'ip link set lo up 2>/dev/null; exec "$@"' sh \
        ctest --test-dir "$build/tests/$dir" --output-on-failure ${only:+-R "$only"} || failed=1
    else
      ctest --test-dir "$build/tests/$dir" --output-on-failure ${only:+-R "$only"} || failed=1
    fi
  done
  if compgen -G "$reports/report.*" >/dev/null; then
    echo "tsan: round $round: $(grep -h -c '^WARNING: ThreadSanitizer' "$reports"/report.* | paste -sd+ | bc) reports" >&2
    grep -h -A30 '^WARNING: ThreadSanitizer' "$reports"/report.* | head -200 >&2
    exit 1
  fi
  [ "$failed" = 0 ] || { echo "tsan: round $round: a test failed" >&2; exit 1; }
done
echo "tsan: the device, lighting and app tests x $rounds rounds, no report"
