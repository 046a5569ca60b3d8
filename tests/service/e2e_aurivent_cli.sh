#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The `aurivent` command line against auriventd on simulated boxes, over a
# session bus of the test's own: status as text and JSON (parsed and compared
# with the simulated boxes), watch, profile, set, curves and history commands and
# the exit codes.
set -euo pipefail
bin=$1
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_LOGGING_RULES QT_QPA_PLATFORM
pids=()
trap 'end_programs "${pids[@]}"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log" 2>/dev/null; echo "--- watch"; cat "$work/watch" 2>/dev/null; exit 1; }
source "$top/tests/support/e2e_lib.sh"
sim() { python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(sys.argv[2].encode()+b"\n"); print(s.recv(99).decode().strip())' "$work/sim" "$1"; }
rc_of() { set +e; "$@" >"$work/out" 2>"$work/err"; echo $?; set -e; }

start_private_bus "$work"
export DBUS_SESSION_BUS_ADDRESS=$bus_address

# Nothing running yet: exit code 1; a bad command line: 2.
[ "$(rc_of "$bin/aurivent" status)" = 1 ] || fail "status without Aurivent must exit 1"
grep -q 'not running' "$work/err" || fail "status without Aurivent said: $(cat "$work/err")"
[ "$(rc_of "$bin/aurivent" stattus)" = 2 ] || fail "an unknown command must exit 2"
[ "$(rc_of "$bin/aurivent" --help)" = 0 ] && grep -q 'exit codes' "$work/out" || fail "--help"

# Box 4 is a single-colour box, set up as such: three fans.
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve"
printf '[Device3]\nBoxType=0\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"
"$bin/auriventd" --simulate=1,-,1,0 --simulate-control="$work/sim" >"$work/log" 2>&1 &
app=$!
pids=($app "${pids[@]}")
running() { kill -0 $app 2>/dev/null || fail "the service ended"; "$bin/aurivent" status >/dev/null 2>&1; }
wait_for 60 "aurivent status" running

"$bin/aurivent" watch --json >"$work/watch" 2>&1 &
watcher=$!
pids=($watcher "${pids[@]}")
"$bin/aurivent" watch >"$work/watch.text" 2>&1 &
pids=($! "${pids[@]}")
watching() { grep -q '"Watching"' "$work/watch" && grep -q '^Watching$' "$work/watch.text"; }
wait_for 60 "the watches" watching

# A stalled fan: the watch tells it, and the JSON status shows it.
[ "$(sim 'stall 2 1')" = ok ] || fail "the simulator refused the stall"
stalled() { grep -q '"event":"FanStalled".*' "$work/watch" && grep '"FanStalled"' "$work/watch" | grep -q '"box":2' ; }
wait_for 60 "FanStalled of box 3 in the watch" stalled
# The text watch counts from 1, as the status text and set do.
stalled_text() { grep -q '^FanStalled box=3 fan=2$' "$work/watch.text"; }
wait_for 60 "FanStalled box=3 fan=2 in the text watch" stalled_text

"$bin/aurivent" status --json >"$work/status.json" || fail "status --json failed"
/usr/bin/python3 - "$work/status.json" <<'PY' || fail "the JSON status does not match the simulated boxes: $(cat "$work/status.json")"
import json, sys
s = json.load(open(sys.argv[1]))
assert s["schema"] == 1, s["schema"]
boxes = s["boxes"]
assert [b["slot"] for b in boxes] == [0, 2, 3], [b["slot"] for b in boxes]
for b in boxes[:2]:
    assert b["kind"] == "rgb" and b["health"] == "answering", b
    assert [f["fan"] for f in b["fans"]] == [0, 1, 2, 3, 4], b["fans"]
assert [f["fan"] for f in boxes[2]["fans"]] == [0, 1, 2], boxes[2]
fans = boxes[1]["fans"]
assert fans[1]["stalled"] is True and fans[1]["rpm"] == 0, fans[1]
assert fans[0]["stalled"] is False and fans[0]["rpm"] > 0, fans[0]
assert isinstance(s["temperature"]["known"], bool) and s["temperature"]["source"] == "cpu"
assert 1 <= s["currentProfile"] <= 5
assert isinstance(s["phone"]["listening"], bool)
PY
"$bin/aurivent" status >"$work/text" || fail "status failed"
grep -q '^box 3: rgb, answering' "$work/text" || fail "status text: $(cat "$work/text")"
grep -q '^  fan 2: 0 rpm.*STALLED' "$work/text" || fail "status text shows no stall: $(cat "$work/text")"

# Profiles: a bad number is a bad argument (2) and loads nothing; a good one loads and is told.
[ "$(rc_of "$bin/aurivent" profile load 9)" = 2 ] || fail "profile load 9 must exit 2"
grep -q 'no profile 9' "$work/err" || fail "profile load 9 said: $(cat "$work/err")"
[ "$(rc_of "$bin/aurivent" profile load x)" = 2 ] || fail "profile load x must exit 2"
[ "$(rc_of "$bin/aurivent" profile load 4)" = 0 ] || fail "profile load 4 failed: $(cat "$work/err")"
loaded() { grep -q '"event":"ProfileLoaded","profile":4' "$work/watch"; }
wait_for 60 "ProfileLoaded 4 in the watch" loaded
grep -q '"profile":9' "$work/watch" && fail "the refused load was told"
"$bin/aurivent" status --json | /usr/bin/python3 -c 'import json,sys; assert json.load(sys.stdin)["currentProfile"] == 4' \
  || fail "the status does not show profile 4"

# set: one fan, a box, every box; a bad target or value exits 2, a box that is not there 3.
field() { "$bin/aurivent" status --json | /usr/bin/python3 -c "import json,sys; s=json.load(sys.stdin); print($1)"; }
# Boxes and fans count from 1 as in the text status: 1:2 is the bus's box 0, fan 1.
[ "$(rc_of "$bin/aurivent" set 1:2 speed silent)" = 0 ] || fail "set 1:2 speed silent: $(cat "$work/err")"
[ "$(field 's["boxes"][0]["fans"][1]["speedMode"]')" = silent ] || fail "fan 2 of box 1 is not silent"
[ "$(field 's["boxes"][0]["fans"][0]["speedMode"]')" = performance ] || fail "fan 1 of box 1 was changed too"
[ "$(rc_of "$bin/aurivent" set 3 light --mode 5 --speed 2 --colour 1,2,3)" = 0 ] || fail "set 3 light: $(cat "$work/err")"
[ "$(field '[f["lightMode"] for f in s["boxes"][1]["fans"]]')" = "[5, 5, 5, 5, 5]" ] || fail "box 3's fans are not in mode 5"
# (The fans start on performance: silent shows which ones were reached.)
[ "$(rc_of "$bin/aurivent" set all speed silent)" = 0 ] || fail "set all: $(cat "$work/err")"
[ "$(field 'sorted({f["speedMode"] for b in s["boxes"] for f in b["fans"]})')" = "['silent']" ] \
  || fail "not every fan is silent"
for bad in "1:6 speed silent" "1:0 speed silent" "0 speed silent" "17 speed silent" "1 speed fast" "1 light --colour 300,0,0" "1 light --mode" "1 light --glow 1" "x speed silent"; do
  # shellcheck disable=SC2086
  [ "$(rc_of "$bin/aurivent" set $bad)" = 2 ] || fail "set $bad must exit 2 ($(cat "$work/err"))"
done
grep -q 'no fan 6: fans are 1..5' <("$bin/aurivent" set 1:6 speed silent 2>&1) || fail "set 1:6 did not name the fan"
grep -q 'no box 17: boxes are 1..16' <("$bin/aurivent" set 17 speed silent 2>&1) || fail "set 17 did not name the box"
# A fan the box does not have is told in the user's numbers, not the bus's.
[ "$(rc_of "$bin/aurivent" set 4:4 speed silent)" = 2 ] || fail "fan 4 of a single-colour box must exit 2"
grep -q 'no fan 4 on box 4: its fans are 1..3' "$work/err" || fail "set 4:4 said: $(cat "$work/err")"
[ "$(rc_of "$bin/aurivent" set 2 speed silent)" = 3 ] || fail "set on a box that is not there must exit 3"
grep -q 'box 2 is not connected' "$work/err" || fail "set 2 said: $(cat "$work/err")"

# Curves and history: a curve given by name, a fan's readings as CSV and JSON.
"$bin/aurivent" curves >"$work/curves" || fail "curves failed"
grep -q '^curves: Classic, Quiet' "$work/curves" || fail "curves said: $(cat "$work/curves")"
[ "$(rc_of "$bin/aurivent" set 1:2 curve Quiet)" = 0 ] || fail "set 1:2 curve Quiet: $(cat "$work/err")"
[ "$(rc_of "$bin/aurivent" set 1:2 curve Nope)" = 2 ] || fail "an unknown curve must exit 2"
[ "$(rc_of "$bin/aurivent" history 1:9)" = 2 ] || fail "history of fan 9 must exit 2"
[ "$(rc_of "$bin/aurivent" history 1:0)" = 2 ] || fail "history of fan 0 must exit 2"
read_rpm() { "$bin/aurivent" history 1:1 --seconds 30 | awk -F, 'NR > 1 && $3 > 0 { found = 1 } END { exit !found }'; }
wait_for 60 "a reading of fan 1 in the history" read_rpm
"$bin/aurivent" history 1:1 --seconds 30 --json | /usr/bin/python3 -c '
import json, sys
h = json.load(sys.stdin)
assert h["schema"] == 1 and h["series"] == "rpm" and h["box"] == 0 and h["fan"] == 0, h
assert h["stepSeconds"] == 1 and len(h["points"]) == 30, (h["stepSeconds"], len(h["points"]))
assert any(p[2] and p[2] > 0 for p in h["points"]), h["points"]
assert all(p[0] + 1 == q[0] for p, q in zip(h["points"], h["points"][1:]))
' || fail "history --json"

# The service ends: the watch ends with 1.
end_programs $app
watch_ended() { ! kill -0 $watcher 2>/dev/null; }
wait_for 60 "the watch's end" watch_ended
set +e
wait $watcher
rc=$?
set -e
[ $rc = 1 ] || fail "watch ended with $rc, not 1, when Aurivent ended"
echo PASS
