#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whether the program's notices take the main window's focus, on a real X
# server with a window manager (openbox), a session bus and no tray: the
# one-off "no CPU temperature" notice (a machine whose sensors have no CPU
# temperature) and the save-failure message (a profile that cannot be written). For each, the
# main window must stay the active one, with the X input focus, once the notice
# is up; Ctrl+O typed then is tried and its outcome printed.
#   notice_focus.sh BIN            fails on the first notice that takes the focus
#   MEASURE=1 notice_focus.sh BIN  prints what happened instead of failing
# Needs Xvfb, openbox, xdotool, x11-utils (tools/deps.sh installs them).
set -euo pipefail
bin=$1
measure=${MEASURE:-0}
work=$(mktemp -d)
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
pids=()
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $*"; [ -f "$work/log" ] && { echo "--- log"; tail -20 "$work/log"; }; exit 1; }
source "$here/../../tests/support/e2e_lib.sh"
cleanup() {
  end_programs "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb openbox xprop xdotool; do
  command -v $tool >/dev/null || fail "$tool is missing (tools/deps.sh installs it)"
done
start_x_desktop "$work"

# A desktop has a session bus; this one has no tray or notification service on it.
start_private_bus "$work"
export DBUS_SESSION_BUS_ADDRESS="$bus_address"

active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | cut -d' ' -f5)"; }
managed() { xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d' ' -f5- | tr ' ' '\n' | while read -r id; do printf '%d\n' "$id"; done; }
# The program's visible window whose title matches $2 (decimal id).
window_of() {
  local id
  id=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -1)
  [ -n "$id" ] && printf '%d' "$id"
}

# A sensor library whose only chip has no CPU temperature; a profile that
# cannot be written (a folder stands where the file goes).
mkdir -p "$work/bin" "$work/run" && chmod 700 "$work/run"
cp "$bin/Aurivent" "$work/bin/"
for d in Images Language; do ln -s "$(cd "$bin" && pwd)/$d" "$work/bin/$d"; done
cp "$bin/libFakeSensors.so" "$work/bin/libAuriventSensors.so"
export FAKE_SENSORS='nct6775-isa-0290|T:SYSTIN=30'
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" XDG_STATE_HOME="$work/state"
data="$XDG_CONFIG_HOME/Kq/RGBVaylaZeve"
mkdir -p "$data/VaylaZeve/Profile1.ini/in-the-way"
printf '[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n' >"$data/Device.ini"

"$work/bin/Aurivent" --simulate=1 >"$work/log" 2>&1 &
pid=$!
pids+=($pid)
main=
has_main() { main=$(window_of $pid '^Aurivent \(simulated\)$') && managed | grep -qx "$main"; }
wait_for 60 "the main window" has_main
# A user at work in the window.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
main_active() { [ "$(active)" = "$main" ]; }
wait_for 30 "the main window active" main_active

taken=0
# focus_stays WHAT: for 3 s after the notice is up, the main window stays the
# active one and keeps the X input focus. Then Ctrl+O, typed as a user would,
# should open the main window's file dialog; whether it did is printed, not
# judged: in about 1 of 5 runs under load a typed Ctrl+O is not acted on
# although the main window is active and focused, notice or not, for a cause
# not found yet.
focus_stays() {
  local what=$1 until_=$((SECONDS + 3)) focus xfocus dialog= deadline
  while [ "$SECONDS" -lt "$until_" ]; do
    focus=$(active)
    xfocus=$(xdotool getwindowfocus -f 2>/dev/null || echo none)
    if [ "$focus" != "$main" ] || [ "$xfocus" != "$main" ]; then
      taken=$((taken + 1))
      echo "$what: took the focus (active window $focus, X focus $xfocus, main $main)"
      [ "$measure" = 1 ] || fail "$what took the main window's focus"
      return 0
    fi
    sleep 0.05
  done
  echo "$what: the main window kept the focus for 3 s (active and X focus $main)"
  xdotool key ctrl+o
  deadline=$((SECONDS + 10))
  until dialog=$(window_of $pid '^Open File$') || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.05; done
  if [ -z "$dialog" ]; then
    echo "$what: Ctrl+O opened nothing within 10 s"
    return 0
  fi
  echo "$what: Ctrl+O opened the file dialog"
  dialog_active() { [ "$(active)" = "$dialog" ]; }
  wait_for 30 "the file dialog active" dialog_active
  xdotool key Escape
  dialog_gone() { ! window_of $pid '^Open File$' >/dev/null; }
  wait_for 30 "the file dialog closed" dialog_gone
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  wait_for 30 "the main window active again" main_active
}

cpu_notice() { grep -q 'no CPU temperature reading' "$work/log"; }
wait_for 60 "the no-CPU-temperature notice" cpu_notice
echo "cpu notice: windows of the program now: $(xdotool search --onlyvisible --pid $pid 2>/dev/null | while read -r w; do printf '"%s" ' "$(xdotool getwindowname "$w")"; done)"
focus_stays "cpu notice"

[ "$("$work/bin/Aurivent" --send 0x8119)" = handled ] || fail "0x8119 not handled"
box=
box_up() { box=$(window_of $pid '^Save failed$') && managed | grep -qx "$box"; }
wait_for 60 "the save-failure message" box_up
above_main() { managed | awk -v b="$box" -v m="$main" '$1 == m { sm = NR } $1 == b { sb = NR } END { exit !(sb > sm && sm > 0) }'; }
above_main || { echo "save failure: the message is not above the main window"; [ "$measure" = 1 ] || fail "the save-failure message is under the main window"; }
focus_stays "save failure"
echo "notices that took the focus: $taken of 2"
[ "$taken" = 0 ] || [ "$measure" = 1 ] || fail "a notice took the focus"
[ "$measure" = 1 ] || echo "1 passed, 0 failed"
