#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The last test of the suite: fails when a program that a test started is
# still running. Every test's environment carries AURIVENT_TEST_RUN=MARK
# (tests/CMakeLists.txt), and whatever it starts inherits it. A program that
# is on its way out is given a while to go; one still there after that is
# named, ended, and fails the suite.
#   tests/support/leftover_programs.sh MARK [SECONDS]
set -uo pipefail
mark=$1
seconds=${2:-20}

marked() {
  # One grep over every environment (NUL-separated); another user's is
  # unreadable and one that ended meanwhile is gone: neither is ours.
  grep -slzxF "AURIVENT_TEST_RUN=$mark" /proc/[0-9]*/environ 2>/dev/null \
    | sed -n 's|^/proc/\([0-9]*\)/environ$|\1|p' | grep -vx "$$" || true
}

deadline=$((SECONDS + seconds))
left=$(marked)
while [ -n "$left" ] && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.1
  left=$(marked)
done

if [ -z "$left" ]; then
  echo "no program started by a test is still running"
  exit 0
fi
echo "FAIL: programs started by tests still run ${seconds} s after their tests ended:"
for pid in $left; do
  echo "  $pid: $({ tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null)"
done
# Ended here, so that they do not hold ports and files for the next run.
kill $left 2>/dev/null
deadline=$((SECONDS + 5))
while [ -n "$(marked)" ] && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.1
done
kill -9 $(marked) 2>/dev/null
exit 1
