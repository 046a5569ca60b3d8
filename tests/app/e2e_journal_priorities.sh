#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under systemd, standard error is the journal's stream (JOURNAL_STREAM names
# its device and inode) and journald reads a "<N>" at the start of a line as
# its priority: the service's warnings then reach the journal as warnings.
# Every line names its aurivent.* category, also one the code writes without
# a category (filed under its folder's), and the sensor plug-in says why
# there is no CPU temperature in the program's own lines. On a terminal, or
# on a stream that is not the journal's, no prefixes.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset QT_LOGGING_RULES JOURNAL_STREAM
mkdir -p "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# A value the program cannot use: a warning written without a category.
printf '[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=9\n' >"$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini"
app=
trap 'end_programs $app; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log" 2>/dev/null; exit 1; }
source "$here/../support/e2e_lib.sh"
answers() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && [ "$("$bin/Aurivent" --send 0x2333 2>/dev/null)" = handled ]; }
sim() { python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall(sys.argv[2].encode()+b"\n"); print(s.recv(99).decode().strip())' "$work/sim" "$1"; }
stalled() { grep -q 'stall: fan 2 of box 0 stopped' "$work/log"; }

# Runs the service with standard error in $work/log and JOURNAL_STREAM as
# given (empty: unset), until a stalled fan has been warned of.
run_service() {
  local stream=$1
  rm -f "$work/log" "$work/sim"
  : >"$work/log"
  [ "$stream" = log ] && stream=$(stat -c '%d:%i' "$work/log")
  if [ -n "$stream" ]; then
    JOURNAL_STREAM=$stream "$bin/Aurivent" --headless --simulate=1 --simulate-control="$work/sim" 2>>"$work/log" >/dev/null &
  else
    "$bin/Aurivent" --headless --simulate=1 --simulate-control="$work/sim" 2>>"$work/log" >/dev/null &
  fi
  app=$!
  wait_for 60 "the service to answer" answers
  [ "$(sim 'stall 0 1')" = ok ] || fail "the simulator refused the stall"
  wait_for 60 "the stall warning" stalled
  end_programs $app
  app=
}

# Under systemd: every line has its priority and its category.
run_service log
bad=$(grep -Ev '^<[0-7]>' "$work/log" || true)
[ -z "$bad" ] || fail "lines without a priority: $bad"
bad=$(grep -Ev '^<[0-7]>(aurivent\.[a-z]+|qt(\.[a-z.]+)?): ' "$work/log" || true)
[ -z "$bad" ] || fail "lines without a category: $bad"
grep -q '^<4>aurivent\.device: stall: fan 2 of box 0 stopped$' "$work/log" || fail "the stall is not a warning"
grep -q '^<4>aurivent\.app: language: 9 is not a language' "$work/log" \
  || fail "a warning written without a category is not its folder's warning"
grep -q '^<6>aurivent\.device: box 0 found' "$work/log" || fail "an event is not at priority 6 (info)"
grep -q 'AuriventSensors' "$work/log" && fail "the sensor plug-in writes lines of its own"
# Where the plug-in cannot start (no sensor chips, as in most containers), it says why.
if grep -q 'INIT FAILED' "$work/log"; then
  grep -Eq '^<6>aurivent\.lighting: INIT FAILED: [0-9]+ \(.{10,}\)$' "$work/log" || fail "INIT FAILED without a reason"
fi

# A terminal: the same lines, no prefixes.
run_service ""
grep -q '^<' "$work/log" && fail "priority prefixes on a terminal"
grep -q '^aurivent\.device: stall: fan 2 of box 0 stopped$' "$work/log" || fail "the stall line on a terminal"
grep -q '^aurivent\.app: language: 9 is not a language' "$work/log" || fail "the uncategorised warning on a terminal"

# Standard error that is not the stream systemd named (a wrapper redirected it).
: >"$work/other"
run_service "$(stat -c '%d:%i' "$work/other")"
grep -q '^<' "$work/log" && fail "priority prefixes on a stream that is not the journal's"
echo "1 passed, 0 failed"
