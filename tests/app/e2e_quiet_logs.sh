#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The log is quiet by default: a music effect running for a few hundred frames
# adds no line at all, while --verbose shows the diagnostic labels and
# QT_LOGGING_RULES still picks categories. The phone password never appears.
set -euo pipefail
bin=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset QT_LOGGING_RULES
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=4321\nOpenPassword=0\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"
app=
trap 'end_programs $app; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; tail -20 "$work/log"; exit 1; }
source "$top/tests/support/e2e_lib.sh"
answers() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && [ "$("$bin/Aurivent" --send 0x2333 2>/dev/null)" = handled ]; }
frames() { awk '$2 == "XFER" && substr($4, 3, 4) == "3252"' "$work/trace" | wc -l; }

# Starts the service on one RGB box, sets every fan to the phone's music
# effect, waits for 400 more lighting reports (a few seconds of frames) and
# sets music_lines to how many log lines the music added. Extra arguments go
# to Aurivent. Run in this shell, never in $(...): the program it starts must
# stay in reach of the EXIT trap, whatever fails.
music_run() {
  rm -f "$work/trace" "$work/log"
  "$bin/Aurivent" --headless --simulate=1 --hid-trace="$work/trace" "$@" >"$work/log" 2>&1 &
  app=$!
  wait_for 60 "the service to answer" answers
  local before start
  before=$(wc -l <"$work/log")
  start=$(frames)
  python3 "$top/tools/phone/phone.py" --wait 0.3 \
    '{"command": 7, "Data": {"BoxNum": "1", "FanNum": "11111", "Status": 1, "Volume": 60, "MusicMode": 11, "ColorMode": 0, "RColor": 255, "GColor": 0, "BColor": 0}}' \
    >/dev/null || fail "the phone client failed"
  music_sent() { [ "$(frames)" -ge $((start + 400)) ]; }
  wait_for 60 "400 reports of the music effect" music_sent
  # Counted before the end: leaving says what it did with the fans, once per box.
  # The CPU reading's verdict (no reading: fans at their cap) is logged once by
  # the sensor pass on its own thread, whenever that first pass ends: not the
  # music's, and on a busy machine it may land inside the window.
  local during
  during=$(tail -n +$((before + 1)) "$work/log" | grep -vc 'updateCPUTemp:' || true)
  end_programs $app
  app=
  music_lines=$during
}

music_run
quiet=$music_lines
[ "$quiet" -eq 0 ] || fail "the default log grew by $quiet lines during the music"
grep -q 'box 0 found' "$work/log" || fail "the default log does not say that the box was found"
grep -q 'aurivent.device: hid_open_false' "$work/log" && fail "diagnostic labels in the default log"

music_run --verbose
loud=$music_lines
[ "$loud" -ge 50 ] || fail "--verbose added only $loud lines during the music"
grep -q 'runMusicModeTimer' "$work/log" || fail "--verbose lacks the music labels"
grep -q 'hid_open_false' "$work/log" || fail "--verbose lacks the device labels"
grep -q '4321' "$work/log" && fail "the password is in the log"

export QT_LOGGING_RULES="aurivent.lighting.debug=true"
music_run
picked=$music_lines
[ "$picked" -ge 50 ] || fail "QT_LOGGING_RULES for lighting added only $picked lines"
grep -q 'hid_open_false' "$work/log" && fail "QT_LOGGING_RULES for lighting also showed the device labels"
echo "music run: $quiet lines by default, $loud with --verbose, $picked with lighting labels only"
echo "1 passed, 0 failed"
