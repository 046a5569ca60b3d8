#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started as root for a user (pkexec sets PKEXEC_UID), the program leaves no
# root-owned file in that user's folders: settings, command channel and trace
# are the user's, and the user's own --send still reaches it.
set -euo pipefail
bin=$1
[ "$(id -u)" -eq 0 ] || { echo "needs root: skipped"; exit 77; }
user=$(id -u nobody 2>/dev/null) || { echo "no user nobody: skipped"; exit 77; }
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/config" "$work/run" "$work/out"
chown "$user" "$work/config" "$work/run" "$work/out"
chmod 700 "$work/run"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
unset QT_LOGGING_RULES
PKEXEC_UID=$user "$bin/Aurivent" --headless --simulate=1 --hid-trace="$work/out/trace" >"$work/log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- log"; cat "$work/log"; echo "--- files"; find "$work" -printf '%u %p\n'; exit 1; }

for _ in $(seq 1 300); do
  [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && break
  kill -0 $app 2>/dev/null || fail "it ended"
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] || fail "no command channel"
grep -q 'running as root for user' "$work/log" || fail "the log does not say for whom it runs"

# The user's own --send, and a change that writes the settings.
out=$(setpriv --reuid="$user" --regid="$(id -g nobody)" --clear-groups "$bin/Aurivent" --send 0x8102 1) \
  || fail "the user's --send failed"
[ "$out" = handled ] || fail "the user's --send: $out"
[ -f "$XDG_CONFIG_HOME/Kq/RGBVaylaZeve/Device.ini" ] || fail "no device file written"

foreign=$(find "$work/config" "$work/run" "$work/out" ! -uid "$user" -printf '%p\n')
[ -z "$foreign" ] || fail "not the user's: $foreign"
echo "1 passed, 0 failed"
