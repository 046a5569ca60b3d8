#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures where the alerts end up on a real X server with a window manager
# (openbox): a box that stops answering and a fan that stops each raise an
# alert; the window manager's stacking order and active window say whether
# it came up above the main window and active, and whether it stays above
# when the user then clicks the main window. A fresh program per try.
#   alert_front.sh BIN [TRIES]            fails on the first alert not in front
#   MEASURE=1 alert_front.sh BIN N        counts instead of failing
#   OTHER=1 ...                           another program's window is active first
# Needs Xvfb, openbox, xdotool, x11-utils (apt-get install openbox xdotool).
set -euo pipefail
bin=$1
tries=${2:-1}
measure=${MEASURE:-0}
work=$(mktemp -d)
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
pids=()
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $*"; for f in "$work"/*.log; do [ -f "$f" ] && { echo "--- $f"; tail -20 "$f"; }; done; exit 1; }
source "$here/../../tests/support/e2e_lib.sh"
cleanup() {
  end_programs "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb openbox xprop xwininfo xdotool; do
  command -v $tool >/dev/null || fail "$tool is missing (tools/deps.sh installs it)"
done
start_x_desktop "$work"

# Client windows bottom to top, as the window manager stacks them (decimal ids).
stacking() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d' ' -f5-); do printf '%d\n' "$id"; done
}
active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | cut -d' ' -f5)"; }
# The program's visible window of the alert's size (the alert has no frame).
find_alert() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Width: 428' && { echo "$id"; return 0; }
  done
  return 1
}
main_window() { xdotool search --onlyvisible --name '^Aurivent \(simulated\)$' 2>/dev/null | head -1; }
sim() { python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(sys.argv[2].encode()+b"\n"); print(s.recv(99).decode().strip())' "$1" "$2"; }

# in_front ALERT MAIN: the alert is stacked above the main window and active.
in_front() {
  local order
  order=$(stacking)
  local a m
  a=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  m=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$a" ] && [ -n "$m" ] && [ "$a" -gt "$m" ] && [ "$(active)" = "$1" ]
}

front=0
behind=0
kept=0
# above A B: A is stacked above B.
above() {
  local order a m
  order=$(stacking)
  a=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  m=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$a" ] && [ -n "$m" ] && [ "$a" -gt "$m" ]
}
try_once() {
  local n=$1 cause=$2 dir="$work/try$1"
  mkdir -p "$dir/run" "$dir/config/Kq/RGBVaylaZeve" && chmod 700 "$dir/run"
  printf '[Alerts]\nWarmUpSeconds=0\n' >"$dir/config/Kq/RGBVaylaZeve/Alerts.ini"
  env XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/run" XDG_STATE_HOME="$dir/state" \
    "$bin/Aurivent" --simulate=1 --simulate-control="$dir/sim" >"$work/try$n.log" 2>&1 &
  local pid=$!
  pids+=($pid)
  local main=
  has_main() { main=$(main_window) && [ -n "$main" ] && [ -S "$dir/sim" ]; }
  wait_for 60 "the main window (try $n)" has_main
  # A user at work: the main window is the active one when the box goes quiet.
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  main_active() { [ "$(active)" = "$(printf '%d' "$main")" ]; }
  wait_for 30 "the main window active (try $n)" main_active
  if [ "${OTHER:-0}" = 1 ]; then
    # Measuring: another program's window is the active one.
    xmessage -geometry 800x600+100+100 -name other "another program" &
    local other=$!
    pids+=($other)
    local ow=
    other_up() { ow=$(xdotool search --onlyvisible --classname "^other$" 2>/dev/null | head -1) && [ -n "$ow" ]; }
    wait_for 30 "the other window" other_up
    xdotool windowactivate --sync "$ow" >/dev/null 2>&1 || true
  fi
  local reply
  if [ "$cause" = mute ]; then reply=$(sim "$dir/sim" 'mute 0'); else reply=$(sim "$dir/sim" 'stall 0 1'); fi
  [ "$reply" = ok ] || fail "the simulator refused '$cause': $reply"
  local alert=
  shown() { alert=$(find_alert $pid) && [ -n "$alert" ]; }
  wait_for 60 "the alert (try $n, $cause)" shown
  alert=$(printf '%d' "$alert")
  main=$(printf '%d' "$main")
  # The window manager needs a moment to stack and focus a new window: wait
  # for the alert in front; one that never gets there is counted behind.
  local deadline=$((SECONDS + 10))
  until in_front "$alert" "$main"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      behind=$((behind + 1))
      echo "try $n ($cause): alert behind or inactive (stacking: $(stacking | tr '\n' ' '), active $(active), alert $alert, main $main)"
      end_programs $pid
      [ "$measure" = 1 ] || fail "the $cause alert is not in front of the main window"
      return 0
    fi
    sleep 0.05
  done
  front=$((front + 1))
  # The user clicks the main window while the alert is up: does the alert
  # stay above it (as a window tied to it does) or go behind?
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  local until=$((SECONDS + 10))
  while [ "$(active)" != "$main" ] && [ "$SECONDS" -lt "$until" ]; do sleep 0.05; done
  if above "$alert" "$main"; then kept=$((kept + 1)); else echo "try $n ($cause): behind the main window after a click on it"; fi
  end_programs $pid
}

n=0
for cause in mute stall; do
  for i in $(seq 1 "$tries"); do
    n=$((n + 1))
    try_once $n $cause
  done
done
echo "alerts in front when shown: $front of $((front + behind))"
echo "alerts still above the main window after a click on it: $kept of $front"
[ "$behind" = 0 ] || [ "$measure" = 1 ] || fail "$behind alerts behind"
[ "$kept" = "$front" ] || [ "$measure" = 1 ] || fail "$((front - kept)) alerts went behind the main window clicked"
echo "$n passed, 0 failed"
