#!/usr/bin/env bash
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
for scale in 1 2; do
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$bin/test_window_states" carouselTurnsLeaveNothingBehind ||
    fail "a turned carousel differs from a fresh drawing at scale $scale"
done
