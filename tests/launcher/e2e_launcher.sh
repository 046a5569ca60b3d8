#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# AuriventStart, copied into a folder of its own beside a stand-in Aurivent
# (a shell script that records how it was started): it starts it with no
# arguments from its own folder, ends with 0 within about three seconds
# whether the program ends at once or keeps running, and ends at once with a
# message when there is nothing to start.
set -u
bin="$1"
work="$(mktemp -d)"
lasting=""
cleanup() {
    [ -n "$lasting" ] && kill -- "-$lasting" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
passes=0
check() {  # check DESCRIPTION CONDITION...
    local what="$1"; shift
    if "$@"; then passes=$((passes + 1)); else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}
now_ms() { date +%s%3N; }

[ -x "$bin/AuriventStart" ] || { echo "FAIL: $bin/AuriventStart is not built" >&2; exit 1; }
cp "$bin/AuriventStart" "$work/"

# It needs Qt's core library only: no GUI, widgets or network at start.
needed="$(readelf -d "$bin/AuriventStart" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | tr '\n' ' ')"
check "links Qt5Core (needs: $needed)" grep -q "libQt5Core" <<<"$needed"
check "links no other Qt library (needs: $needed)" bash -c '! grep -Eq "libQt5(Gui|Widgets|Network)" <<<"$1"' _ "$needed"

standin() {  # standin BODY
    printf '#!/bin/sh\n{ echo "$#"; echo "$@"; pwd; } > "%s/record"\n%s\n' "$work" "$1" > "$work/Aurivent"
    chmod +x "$work/Aurivent"
    rm -f "$work/record"
}

# The program ends at once.
standin 'exit 5'
t0=$(now_ms)
(cd / && "$work/AuriventStart" --simulate=1,0 extra "two words" >"$work/out" 2>"$work/err")
rc=$?
t=$(( $(now_ms) - t0 ))
check "exit 0 when the program ends at once (got $rc)" [ "$rc" -eq 0 ]
check "returns soon when the program ends at once (${t} ms)" [ "$t" -lt 2500 ]
check "no arguments passed, started in its own folder: $(cat "$work/record" 2>/dev/null | tr '\n' '|')" \
    [ "$(cat "$work/record" 2>/dev/null)" = "$(printf '0\n\n%s' "$work")" ]

# The program keeps running.
standin 'echo $$ > "'"$work"'/pid"; sleep 30'
t0=$(now_ms)
"$work/AuriventStart" >"$work/out" 2>"$work/err"
rc=$?
t=$(( $(now_ms) - t0 ))
lasting="$(cat "$work/pid" 2>/dev/null)"
check "exit 0 while the program keeps running (got $rc)" [ "$rc" -eq 0 ]
check "ends after about three seconds (${t} ms)" [ "$t" -ge 2500 -a "$t" -lt 6000 ]
check "the program was started with no arguments" [ "$(head -n 1 "$work/record" 2>/dev/null)" = "0" ]
check "the program outlives the launcher" kill -0 "$lasting"
kill -- "-$lasting" 2>/dev/null
lasting=""

# Nothing to start.
rm -f "$work/Aurivent"
t0=$(now_ms)
"$work/AuriventStart" >"$work/out" 2>"$work/err"
rc=$?
t=$(( $(now_ms) - t0 ))
check "non-zero exit without Aurivent (got $rc)" [ "$rc" -ne 0 ]
check "ends at once without Aurivent (${t} ms)" [ "$t" -lt 1500 ]
check "says why on standard error: $(cat "$work/err")" grep -q "Aurivent was not started: no such program: $work/Aurivent" "$work/err"

# An Aurivent that cannot be run.
printf 'not a program\n' > "$work/Aurivent"
chmod -x "$work/Aurivent"
"$work/AuriventStart" >"$work/out" 2>"$work/err"
rc=$?
check "non-zero exit for an Aurivent that is not executable (got $rc)" [ "$rc" -ne 0 ]
check "says it is not executable: $(cat "$work/err")" grep -q "not an executable" "$work/err"

echo "launcher: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
