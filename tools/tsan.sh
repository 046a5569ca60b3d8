#!/usr/bin/env bash
# Builds the device engine's tests with ThreadSanitizer into build-tsan/ and
# runs them; any report fails the run.
#   tools/tsan.sh [ROUNDS]      (default 3 rounds of every test)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-tsan"
rounds=${1:-3}
tests=(test_reportqueue test_engine test_devicebus test_encoders test_discovery test_fanmonitor test_simulator)

"$top/tools/deps.sh"
flags="-fsanitize=thread -O1 -g"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAURIVENT_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${tests[@]}"

export TSAN_OPTIONS="suppressions=$top/tests/tsan.supp halt_on_error=1 exitcode=66"
export QT_QPA_PLATFORM=offscreen
for ((round = 1; round <= rounds; ++round)); do
  for t in "${tests[@]}"; do
    "$build/bin/$t" -silent || { echo "tsan: $t failed in round $round" >&2; exit 1; }
  done
done
echo "tsan: ${#tests[@]} tests x $rounds rounds, no report"
