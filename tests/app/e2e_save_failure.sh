#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A save into a read-only settings folder fails: the user is shown one
# message, and the files keep what they held.
set -euo pipefail
bin=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
# The check below reads the program's diagnostic labels.
export QT_LOGGING_RULES="aurivent.*.debug=true"
data="$XDG_CONFIG_HOME/Kq/RGBVaylaZeve"
mkdir -p "$XDG_RUNTIME_DIR" "$data/VaylaZeve" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n' >"$data/Device.ini"

# Root writes into a read-only folder anyway: the program then runs as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 555 "$data" "$data/VaylaZeve"
before=$(cat "$data/Device.ini")

"${as_user[@]}" "$bin/Aurivent" --simulate=1 >"$work/log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; grep -v '^"' "$work/log" | tail -30; exit 1; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/e2e_lib.sh"

channel() { [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ]; }
wait_for 60 "the command channel" channel

[ "$("$bin/Aurivent" --send 0x8119)" = handled ] || fail "0x8119 not handled"
notice() { grep -q 'saveFailureNotice:' "$work/log"; }
wait_for 30 "the save-failure message" notice
grep -q 'writeProfileIni failed' "$work/log" || fail "the profile save did not fail"
[ "$(grep -c 'saveFailureNotice:' "$work/log")" -eq 1 ] || fail "not exactly one message for one save"
grep -q 'saveFailureNotice: The settings could not be written to Profile1.ini, Device.ini.' "$work/log" \
  || fail "wrong message: $(grep 'saveFailureNotice:' "$work/log")"
[ "$(cat "$data/Device.ini")" = "$before" ] || fail "the device file changed"
[ -z "$(ls -A "$data/VaylaZeve")" ] || fail "something was written into the read-only folder"
echo "1 passed, 0 failed"
