#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on a 1920 x 1080 X screen at 200 % (QT_SCALE_FACTOR=2) and at
# 150 % (Xft.dpi 144, which Qt 5 rounds up to a factor of 2): the whole
# window, close button and footer included, opens on the screen.
set -euo pipefail
bin=$1
work=$(mktemp -d)
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*.log; do echo "--- $f"; tail -20 "$f"; done; exit 1; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/e2e_lib.sh"

command -v Xvfb >/dev/null || fail "Xvfb is missing (tools/deps.sh installs it)"
command -v xwininfo >/dev/null || fail "xwininfo is missing (tools/deps.sh installs x11-utils)"
# -noreset: the desktop's settings stay when the last client leaves.
Xvfb -displayfd 3 -noreset -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 30 "the X server" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

geometry() { xwininfo -name "Aurivent (simulated)" 2>/dev/null | grep -q 'IsViewable'; }

# check NAME [VAR=VALUE...]: starts the program with those settings and reads
# where its window lies.
check() {
  local name=$1
  shift
  mkdir -p "$work/$name/run" && chmod 700 "$work/$name/run"
  env XDG_CONFIG_HOME="$work/$name/config" XDG_RUNTIME_DIR="$work/$name/run" "$@" \
    "$bin/Aurivent" --simulate=1 >"$work/$name.log" 2>&1 &
  local pid=$!
  pids+=($pid)
  wait_for 60 "the window ($name)" geometry
  local info x y w h
  info=$(xwininfo -name "Aurivent (simulated)")
  x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  w=$(awk '/^ *Width:/ {print $2}' <<<"$info")
  h=$(awk '/^ *Height:/ {print $2}' <<<"$info")
  echo "$name: ${w}x${h}+${x}+${y}"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] || fail "$name: window at $x,$y"
  [ $((x + w)) -le 1920 ] && [ $((y + h)) -le 1080 ] || fail "$name: ${w}x${h}+${x}+${y} runs off the 1920x1080 screen"
  # Drawn as large as still fits: at least 80 % of the screen's height or width.
  [ $((w * 10)) -ge $((1920 * 8)) ] || [ $((h * 10)) -ge $((1080 * 8)) ] || fail "$name: ${w}x${h} is needlessly small"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

check scale200 QT_SCALE_FACTOR=2
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	144"
check dpi144
echo "2 passed, 0 failed"
