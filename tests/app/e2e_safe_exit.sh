#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# However the program is asked to end - SIGTERM, SIGINT, SIGHUP, or 0x8105
# while its window is hidden - every fan that follows the CPU temperature is
# sent its cap before the program leaves, fans on a fixed speed keep it, and
# the log says so once per box.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
app=
trap '[ -n "$app" ] && kill -9 $app 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset QT_LOGGING_RULES
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; echo "--- trace"; cut -c1-40 "$work/trace" 2>/dev/null | tail -20; echo "--- log"; tail -20 "$work/log"; exit 1; }
source "$here/../support/e2e_lib.sh"
# Box 1 is a box of single-colour fans.
printf '[Main]\nAutoUpdate=0\nisAutoRun=0\n[Device1]\nBoxType=0\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"

# The last speed report of each port of a box, as "port:hex" lines.
last_speeds() {
  awk -v box="$1" '$2 == "XFER" && $3 == box && substr($4, 3, 4) == "3251" { last[substr($4, 7, 2)] = substr($4, 9, 4) }
                   END { for (p in last) print p ":" last[p] }' "$work/trace" | sort
}

# One end: start, wait for the first poll, ask it to end, check the trace.
end_by() {
  local how=$1
  rm -f "$work/trace" "$work/log"
  "$bin/Aurivent" --minimized --simulate=1,0 --hid-trace="$work/trace" >"$work/log" 2>&1 &
  app=$!
  polled() { [ "$(trace_count "$work/trace" 0 3351)" -ge 1 ]; }
  wait_for 60 "the first speed poll ($how)" polled
  # Nothing has set a duty yet: without a reading the first temperature pass is seconds away.
  [ -z "$(last_speeds 0)" ] || fail "a duty before the end ($how): $(last_speeds 0)"
  case "$how" in
    0x8105) "$bin/Aurivent" --send 0x8105 1 0 >/dev/null 2>&1 || true ;;
    *) kill -s "$how" $app ;;
  esac
  local gone=0
  for _ in $(seq 1 600); do kill -0 $app 2>/dev/null || { gone=1; break; }; sleep 0.05; done
  [ "$gone" = 1 ] || fail "the program did not end after $how"
  wait $app 2>/dev/null || true
  app=
  # The 12-LED fans follow the temperature: duty (01) at their cap, 100 % (64).
  # The single-colour fans are on their fixed "Performance" speed (03, 100 %),
  # sent at start-up and kept.
  [ "$(last_speeds 0 | tr '\n' ' ')" = "01:0164 02:0164 03:0164 04:0164 05:0164 " ] \
    || fail "box 0 after $how: $(last_speeds 0 | tr '\n' ' ')"
  [ "$(last_speeds 1 | tr '\n' ' ')" = "01:0364 02:0364 03:0364 " ] \
    || fail "box 1 after $how: $(last_speeds 1 | tr '\n' ' ')"
  [ "$(grep -c 'on exit' "$work/log")" = 2 ] || fail "not one exit line per box after $how"
}

for how in TERM INT HUP 0x8105; do
  end_by "$how"
done
echo "1 passed, 0 failed"
