#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started twice: the second start exits 0 at once and the first shows its
# window; numbered commands reach the running program through --send.
set -euo pipefail
bin=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
# The checks below read the program's diagnostic labels.
export QT_LOGGING_RULES="aurivent.*.debug=true"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$bin/Aurivent" --simulate=1 >"$work/first.log" 2>&1 &
first=$!
trap 'end_programs $first; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- first"; tail -30 "$work/first.log"; exit 1; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/e2e_lib.sh"

channel() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ]; }
wait_for 60 "the first instance's command channel" channel

set +e
timeout 60 "$bin/Aurivent" --simulate=1 >"$work/second.log" 2>&1
rc=$?
set -e
[ $rc -eq 0 ] || fail "second start exited $rc"
grep -qiE 'error|warning|cannot' "$work/second.log" && fail "second start printed: $(cat "$work/second.log")"
kill -0 $first || fail "the first instance died"
grep -q '8101: 1' "$work/first.log" || fail "the first instance was not asked to show its window"

[ "$("$bin/Aurivent" --send 0x8101 0)" = "handled" ] || fail "0x8101 0 not handled"
[ "$("$bin/Aurivent" --send 0x8114)" = "not handled" ] || fail "0x8114 must be not handled"
[ "$("$bin/Aurivent" --send 0x2333)" = "handled" ] || fail "0x2333 not handled"
grep -q '0x23330x2333' "$work/first.log" || fail "0x2333 not logged"
"$bin/Aurivent" --send hello >/dev/null 2>&1 && fail "--send with a non-number must fail"

kill $first; wait $first 2>/dev/null || true
set +e
"$bin/Aurivent" --send 0x8101 1 >/dev/null 2>"$work/none.err"
rc=$?
set -e
[ $rc -eq 1 ] || fail "--send with no instance exited $rc"
grep -q 'no running Aurivent' "$work/none.err" || fail "no clear message without an instance"
echo "1 passed, 0 failed"
