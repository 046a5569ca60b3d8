#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a built aurivent .deb into this system, starts the menu entry's
# command as a user's desktop would, and removes the package again, checking
# that nothing stays behind. Needs root and changes the system while it runs,
# so it is run by hand (or in a throw-away container), not by CI.
#   packaging/try-install.sh build/aurivent_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "error: installing a package needs root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' aurivent 2>/dev/null | grep -q 'install ok installed'; then
  echo "error: aurivent is installed already; remove it first" >&2
  exit 1
fi
work=$(mktemp -d)
chmod 755 "$work"
installed=0
cleanup() {
  # A failed try leaves no package behind either.
  [ $installed -eq 1 ] && DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq aurivent >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 \
  || { cat "$work/apt.log"; fail "the package does not install"; }
installed=1
echo "ok: installed"
dpkg -L aurivent >"$work/files"
[ "$(Aurivent --version)" = "Aurivent $(dpkg-query -W -f='${Version}' aurivent)" ] || fail "Aurivent --version"
echo "ok: $(command -v Aurivent) --version"
man -w Aurivent >/dev/null || fail "man finds no page for Aurivent"
echo "ok: man Aurivent"
if command -v systemd-analyze >/dev/null 2>&1; then
  systemd-analyze verify /usr/lib/systemd/user/aurivent.service || fail "systemd-analyze verify"
  echo "ok: systemd-analyze verify aurivent.service"
fi

# The menu entry's command, as the desktop starts it: no display here, so on
# Qt's offscreen platform, with folders of its own and a private network.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/aurivent.desktop)
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen
unshare -n bash -s "$exec_line" "$work" <<'INNER' || fail "the menu entry's command"
set -eu
exec_line=$1 work=$2
ip link set lo up
$exec_line >"$work/log" 2>&1 &
app=$!
for _ in $(seq 1 300); do [ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/Aurivent.command" ] || { cat "$work/log"; echo "no command channel"; exit 1; }
[ "$(Aurivent --send 0x2333)" = handled ] || { echo "the running program does not answer"; exit 1; }
Aurivent --send 0x8101 0 >/dev/null
Aurivent --send 0x8105 1 >/dev/null 2>&1 || true
for _ in $(seq 1 300); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
kill -0 $app 2>/dev/null && { kill $app; echo "it did not end"; exit 1; }
wait $app || { echo "it ended with $?"; cat "$work/log"; exit 1; }
if grep -qi 'missing\|cannot\|not found' "$work/log"; then cat "$work/log"; echo "it misses its files"; exit 1; fi
echo "--- its log:"
cat "$work/log"
INNER
echo "ok: \"$exec_line\" started, answered on its command channel and ended"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq aurivent >"$work/apt.log" 2>&1 \
  || { cat "$work/apt.log"; fail "the package does not uninstall"; }
installed=0
dpkg-query -W -f='${Status}' aurivent 2>/dev/null | grep -q 'install ok installed' && fail "still installed"
left=0
while read -r path; do
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
    echo "left behind: $path"
    left=1
  fi
done <"$work/files"
for dir in /usr/lib/aurivent /usr/share/aurivent; do
  [ -e "$dir" ] && { echo "left behind: $dir"; left=1; }
done
[ $left -eq 0 ] || fail "files left after the purge"
echo "ok: purged, nothing left of its $(wc -l <"$work/files") paths"
