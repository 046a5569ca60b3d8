#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line coverage of the program's code by the whole test suite, per folder.
#   tools/coverage.sh            builds into build-coverage/, runs ctest, prints the table
# The HTML report lands in build-coverage/coverage/index.html.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-coverage"

"$top/tools/deps.sh" lcov

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAURIVENT_COVERAGE=ON \
  -DAURIVENT_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -j "$(nproc)" --output-on-failure) || echo "coverage: some tests failed; the figures below still count what ran" >&2

lcov --quiet --capture --directory "$build" --output-file "$build/all.info" --ignore-errors gcov,source 2>/dev/null
# The program's own code only: not the tests, the tools, Qt's generated files or the system's.
lcov --quiet --extract "$build/all.info" "$top/*" --output-file "$build/ours.info" 2>/dev/null
lcov --quiet --remove "$build/ours.info" "$top/tests/*" "$top/tools/*" "$top/bench/*" "$top/fuzz/*" \
  "$build/*" "*/resources/images/*" --output-file "$build/coverage.info" 2>/dev/null
genhtml --quiet --output-directory "$build/coverage" "$build/coverage.info" >/dev/null 2>&1 || true

# Per folder: lines hit / lines found, from the tracefile's LH/LF records.
awk -v top="$top/" '
  /^SF:/ { file = substr($0, 4); sub(top, "", file); n = split(file, part, "/"); folder = (n > 1 ? part[1] : ".") }
  /^LF:/ { found[folder] += substr($0, 4); all_found += substr($0, 4) }
  /^LH:/ { hit[folder] += substr($0, 4); all_hit += substr($0, 4) }
  END {
    printf "%-12s %8s %8s %7s\n", "folder", "lines", "hit", "cover"
    for (f in found) printf "%-12s %8d %8d %6.1f%%\n", f, found[f], hit[f], found[f] ? 100 * hit[f] / found[f] : 0 | "sort"
    close("sort")
    printf "%-12s %8d %8d %6.1f%%\n", "all", all_found, all_hit, all_found ? 100 * all_hit / all_found : 0
  }' "$build/coverage.info"
