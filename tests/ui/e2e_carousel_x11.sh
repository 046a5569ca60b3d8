#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The carousel test on a real X server: X moves an opaque widget by copying
# its pixels, which the offscreen platform never does, and that copy is what
# left stripes of old drawing on a panel after a turn.
set -euo pipefail
bin=$1
work=$(mktemp -d)
unset QT_SCALE_FACTOR
xvfb=
cleanup() {
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; tail -20 "$work/xvfb.log" 2>/dev/null; exit 1; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/e2e_lib.sh"

command -v Xvfb >/dev/null || fail "Xvfb is missing (tools/deps.sh installs it)"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_for 30 "the X server" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"
# One run of the carousel check; 0 passed, 1 failed, 2 hung. A run takes
# seconds. Runs hung when another test's X server took the same display
# number (the tests on X now take turns); should one hang again, its threads
# are printed for the next look and it gets one more try. A stale drawing is
# a failure, never a hang.
run_once() {
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 "$bin/test_window_states" carouselTurnsLeaveNothingBehind &
  local pid=$! limit=$((SECONDS + 70))
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$limit" ]; do sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "the check at scale $1 did not end within 70 s; its threads:"
    command -v gdb >/dev/null && timeout 30 gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(Thread|#)' || true
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 2
  fi
  wait "$pid"
}
for scale in 1 2; do
  status=0
  run_once "$scale" || status=$?
  if [ "$status" = 2 ]; then
    status=0
    run_once "$scale" || status=$?
  fi
  [ "$status" = 0 ] || fail "a turned carousel differs from a fresh drawing at scale $scale"
done
