# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts: source it after defining fail().

# wait_for SECONDS WHAT COMMAND...
# Runs COMMAND until it succeeds. After SECONDS it gives up through fail(),
# saying what it waited for; a busy machine only makes it wait longer.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "waited ${seconds} s for $what"
    sleep 0.05
  done
}

# trace_count FILE BOX HEXPREFIX: how many reports to BOX start with HEXPREFIX
# (the OUT bytes after the report ID, as in the trace).
trace_count() {
  awk -v box="$2" -v p="$3" '$2 == "XFER" && $3 == box && index(substr($4, 3), p) == 1 { n++ } END { print n + 0 }' "$1" 2>/dev/null || echo 0
}

# end_programs PID...: asks each program to end (SIGTERM) and waits for it;
# one still running after 30 s is killed. For the EXIT trap, so that nothing
# a test started outlives it, whatever path the test leaves by. Programs
# must be started by the script's own shell (not inside $(...), whose
# subshell the trap cannot see).
end_programs() {
  local pid deadline=$((SECONDS + 30))
  [ $# -gt 0 ] || return 0
  kill "$@" 2>/dev/null || true
  for pid in "$@"; do
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
    if kill -0 "$pid" 2>/dev/null; then
      echo "program $pid did not end on SIGTERM within 30 s: killed" >&2
      kill -9 "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
  done
}

# start_private_bus DIR: a dbus-daemon of the test's own listening in DIR,
# nothing activated on it; its address in $bus_address, its pid added to
# the caller's pids array (for the EXIT trap). Call it in the script's own
# shell, never in $(...).
start_private_bus() {
  local dir=$1
  cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:dir=$dir</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>
CONF
  dbus-daemon --config-file="$dir/bus.conf" --nofork --nopidfile --print-address=3 3>"$dir/address" 2>"$dir/bus-log" &
  pids+=($!)
  have_bus_address() { [ -s "$dir/address" ]; }
  wait_for 60 "the bus's address" have_bus_address
  bus_address=$(head -n1 "$dir/address")
}

# start_x_desktop WORK: an X server (Xvfb, 1920x1080) with a window manager
# (openbox), as a desktop has; exports DISPLAY, adds both to the caller's
# `pids` and waits until the window manager manages windows.
start_x_desktop() {
  local work=$1
  Xvfb -displayfd 3 -noreset -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  wait_for 30 "the X server" test -s "$work/display"
  export DISPLAY=":$(cat "$work/display")"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for 30 "the window manager" wm_up
}
