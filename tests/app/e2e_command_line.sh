#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# With no display at all: --help, --version and a bad option answer at once,
# start nothing and write nothing; --send reaches a running program; the
# service (--headless) needs no display either and ends in order on SIGTERM.
set -euo pipefail
bin=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Anything that opened a GUI here would abort in Qt's platform plugin.
unset DISPLAY WAYLAND_DISPLAY QT_LOGGING_RULES
export QT_QPA_PLATFORM=xcb
app=
trap '[ -n "$app" ] && kill $app 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; for f in "$work"/out "$work"/err "$work"/log; do [ -f "$f" ] && { echo "--- $f"; cat "$f"; }; done; exit 1; }
run() { set +e; timeout 60 "$bin/Aurivent" "$@" >"$work/out" 2>"$work/err"; rc=$?; set -e; }

# The premise: a start that needs a window fails here.
run --simulate=1
[ $rc -ne 0 ] || fail "a GUI start succeeded without a display; the checks below prove nothing"

for help in --help -h; do
  run $help
  [ $rc -eq 0 ] || fail "$help exited $rc"
  grep -q -- '--headless' "$work/out" && grep -q -- '--send' "$work/out" && grep -q -- '--minimized' "$work/out" \
    || fail "$help does not list the options"
  [ ! -s "$work/err" ] || fail "$help wrote to standard error"
done
run --version
[ $rc -eq 0 ] || fail "--version exited $rc"
grep -qxE 'Aurivent [0-9]+\.[0-9]+\.[0-9]+' "$work/out" || fail "--version printed: $(cat "$work/out")"

for bad in "--bogus" "--headless --minimized" "stray" "--send" "--send hello"; do
  # shellcheck disable=SC2086
  run $bad
  [ $rc -eq 2 ] || fail "\"$bad\" exited $rc, not 2"
  [ -s "$work/err" ] && [ ! -s "$work/out" ] || fail "\"$bad\" said nothing on standard error"
done
grep -q 'hello' "$work/err" || fail "no clear message for --send hello"
run --send 0x2333
[ $rc -eq 1 ] || fail "--send with no program running exited $rc"
grep -q 'no running Aurivent' "$work/err" || fail "no clear message without a running program"

# Nothing was started, nothing written: no settings, no autostart entry, no socket.
[ -z "$(find "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" -mindepth 1)" ] \
  || fail "files written: $(find "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" -mindepth 1)"

# The service, still without a display; --send from this shell reaches it.
"$bin/Aurivent" --headless --simulate=1 >"$work/log" 2>&1 &
app=$!
for _ in $(seq 1 300); do
  [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && break
  kill -0 $app 2>/dev/null || fail "the service ended"
  sleep 0.1
done
run --send 0x2333
[ $rc -eq 0 ] && [ "$(cat "$work/out")" = handled ] || fail "--send 0x2333: $rc $(cat "$work/out")"
run --send 0x8114
[ $rc -eq 0 ] && [ "$(cat "$work/out")" = "not handled" ] || fail "--send 0x8114: $rc $(cat "$work/out")"

kill -TERM $app
set +e
wait $app
rc=$?
set -e
app=
[ $rc -eq 0 ] || fail "the service ended with $rc on SIGTERM"
echo "1 passed, 0 failed"
