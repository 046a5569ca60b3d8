#!/usr/bin/env bash
# Checks a built aurivent .deb without installing it: what it holds, what it
# depends on, and that its desktop entry, metainfo, man page, service unit
# and udev rule are well-formed.
#   packaging/check-deb.sh build/aurivent_VERSION_ARCH.deb
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passes=$((passes + 1)); }

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' >"$work/files"
for path in /usr/bin/Aurivent /usr/lib/aurivent/Aurivent /usr/lib/aurivent/AuriventStart \
    /usr/lib/aurivent/libAuriventSensors.so /usr/lib/aurivent/Images /usr/lib/aurivent/Language \
    /usr/share/aurivent/Images/logo.ico /usr/share/aurivent/Language/en.qm /usr/share/aurivent/Language/th.qm \
    /usr/share/applications/aurivent.desktop /usr/share/man/man1/Aurivent.1.gz \
    /usr/lib/udev/rules.d/70-aurivent.rules /usr/lib/systemd/user/aurivent.service; do
  grep -qxF "$path" "$work/files" && pass "holds $path" || fail "no $path in the package"
done
for size in 16 24 32 48 64 128 256; do
  path=/usr/share/icons/hicolor/${size}x${size}/apps/aurivent.png
  grep -qxF "$path" "$work/files" && pass "holds $path" || fail "no $path in the package"
done
metainfo=$(grep -E '^/usr/share/metainfo/[^/]+\.metainfo\.xml$' "$work/files" || true)
[ -n "$metainfo" ] && pass "holds $metainfo" || fail "no AppStream metainfo in the package"
grep -q '^/usr/local\|^/work\|/build/' "$work/files" && fail "paths of the build machine in the package"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt5widgets5 libqt5network5 libhidapi-hidraw0 libudev1 libpulse0 libsensors5; do
  [[ "$depends" == *"$lib "* || "$depends" == *"$lib" || "$depends" == *"$lib,"* ]] \
    && pass "Depends names $lib" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root
for link in usr/bin/Aurivent usr/lib/aurivent/Images usr/lib/aurivent/Language; do
  [ -e "$root/$link" ] && pass "$link leads somewhere" || fail "$link is a dangling link"
done
desktop-file-validate "$root/usr/share/applications/aurivent.desktop" && pass "desktop-file-validate" \
  || fail "desktop-file-validate"
appstreamcli validate --no-net "$root$metainfo" >"$work/appstream" 2>&1 && pass "appstreamcli validate --no-net" \
  || { cat "$work/appstream"; fail "appstreamcli validate"; }
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/aurivent.desktop")
[ -e "$root/usr/bin/${exec_line%% *}" ] && pass "the menu entry starts /usr/bin/${exec_line%% *}" \
  || fail "the menu entry's command \"$exec_line\" is not in /usr/bin"

warnings=$(zcat "$root/usr/share/man/man1/Aurivent.1.gz" | groff -man -ww -z 2>&1 || true)
[ -z "$warnings" ] && pass "the man page formats without warnings" || fail "man page: $warnings"
zcat "$root/usr/share/man/man1/Aurivent.1.gz" | grep -q '^\.B 0x8126' && pass "the man page lists the command IDs" \
  || fail "the man page lacks the command IDs"

unit=$root/usr/lib/systemd/user/aurivent.service
grep -qx 'ExecStart=/usr/bin/Aurivent --headless' "$unit" && pass "the service runs /usr/bin/Aurivent --headless" \
  || fail "the service's ExecStart: $(grep ExecStart "$unit")"
if command -v systemd-analyze >/dev/null 2>&1; then
  # Verified against the unpacked tree: the program and man page it names.
  sed "s|/usr/bin/Aurivent|$root/usr/bin/Aurivent|" "$unit" >"$work/aurivent.service"
  MANPATH=$root/usr/share/man systemd-analyze verify "$work/aurivent.service" && pass "systemd-analyze verify" \
    || fail "systemd-analyze verify"
fi

rule=$root/usr/lib/udev/rules.d/70-aurivent.rules
products=$(sed -n 's/.*ATTRS{idProduct}=="\([^"]*\)".*/\1/p' "$rule")
wanted=$(for n in $(seq 0 15); do printf '%04x\n' $((0x1fa5 + n)); done | paste -sd'|')
[ "$products" = "$wanted" ] && pass "the udev rule names the sixteen boxes" || fail "udev rule products: $products"
grep -q 'ATTRS{idVendor}=="264a"' "$rule" && grep -q 'TAG+="uaccess"' "$rule" && pass "the udev rule gives seat access" \
  || fail "the udev rule lacks the vendor or uaccess"

echo "packaging: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
