#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built aurivent .deb without installing it: what it holds, what it
# depends on, that its desktop entry, metainfo, man page, service unit and
# udev rule are well-formed, that its programs are hardened, and what
# lintian says (when it is installed: tools/deps.sh installs it).
#   packaging/check-deb.sh build/aurivent_VERSION_ARCH.deb
set -euo pipefail
deb=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passes=$((passes + 1)); }

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' >"$work/files"
for path in /usr/bin/Aurivent /usr/lib/aurivent/Aurivent /usr/lib/aurivent/AuriventStart \
    /usr/bin/auriventd /usr/lib/aurivent/auriventd /usr/share/man/man1/auriventd.1.gz \
    /usr/lib/aurivent/libAuriventSensors.so /usr/lib/aurivent/Images /usr/lib/aurivent/Language \
    /usr/share/aurivent/Images/logo.ico \
    /usr/share/applications/aurivent.desktop /usr/share/doc/aurivent/copyright /usr/share/doc/aurivent/changelog.gz /usr/share/man/man1/Aurivent.1.gz \
    /usr/lib/udev/rules.d/70-aurivent.rules /usr/lib/systemd/user/aurivent.service; do
  grep -qxF "$path" "$work/files" && pass "holds $path" || fail "no $path in the package"
done
# Every language of the menu.
for language in en tc cn de fr jp th; do
  path=/usr/share/aurivent/Language/$language.qm
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
for lib in libqt5widgets5 libqt5network5 libqt5charts5 libhidapi-hidraw0 libudev1 libpulse0 libsensors5; do
  [[ "$depends" == *"$lib "* || "$depends" == *"$lib" || "$depends" == *"$lib,"* ]] \
    && pass "Depends names $lib" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -e "$deb" "$work/control"
root=$work/root
for link in usr/bin/Aurivent usr/bin/auriventd usr/lib/aurivent/Images usr/lib/aurivent/Language; do
  [ -e "$root/$link" ] && pass "$link leads somewhere" || fail "$link is a dangling link"
done
# The service runs without a display: no window library may load with it.
needed=$(readelf -d "$root/usr/lib/aurivent/auriventd" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | paste -sd' ')
case "$needed" in
  *Qt5Gui* | *Qt5Widgets*) fail "auriventd links a window library: $needed" ;;
  *) pass "auriventd links no window library" ;;
esac
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
grep -qx 'ExecStart=/usr/bin/auriventd' "$unit" && pass "the service runs /usr/bin/auriventd" \
  || fail "the service's ExecStart: $(grep ExecStart "$unit")"
# A user unit is started by the user's own manager: it can only be wanted
# by a target that exists there (multi-user.target does not).
user_units=/usr/lib/systemd/user
command -v systemd-analyze >/dev/null 2>&1 \
  && user_units=$(systemd-analyze --user unit-paths 2>/dev/null | paste -sd' ' || echo /usr/lib/systemd/user)
for target in $(sed -n 's/^\(WantedBy\|RequiredBy\|UpheldBy\)=//p' "$unit"); do
  found=0
  for dir in $user_units; do [ -e "$dir/$target" ] && found=1; done
  case "$target" in default.target | graphical-session.target) found=1 ;; esac
  [ $found -eq 1 ] && pass "the service is wanted by $target, a user target" \
    || fail "the service is wanted by $target, which the user's manager does not have"
done
grep -q '^WantedBy=' "$unit" || fail "the service has no WantedBy=: enable would do nothing"
if command -v systemd-analyze >/dev/null 2>&1; then
  # Verified in user scope against the unpacked tree (the program and man
  # page it names). systemd only warns about a value it cannot read and
  # ignores it, so any word about the unit is a failure.
  sed "s|/usr/bin/auriventd|$root/usr/bin/auriventd|" "$unit" >"$work/aurivent.service"
  mkdir -p "$work/run" && chmod 700 "$work/run"
  XDG_RUNTIME_DIR=$work/run MANPATH=$root/usr/share/man \
    systemd-analyze --user verify "$work/aurivent.service" >"$work/verify" 2>&1 || echo "exit status $?" >>"$work/verify"
  if grep -q 'aurivent\.service\|exit status' "$work/verify"; then
    cat "$work/verify"
    fail "systemd-analyze --user verify"
  else
    pass "systemd-analyze --user verify"
  fi
fi

rule=$root/usr/lib/udev/rules.d/70-aurivent.rules
products=$(sed -n 's/.*ATTRS{idProduct}=="\([^"]*\)".*/\1/p' "$rule")
wanted=$(for n in $(seq 0 15); do printf '%04x\n' $((0x1fa5 + n)); done | paste -sd'|')
[ "$products" = "$wanted" ] && pass "the udev rule names the sixteen boxes" || fail "udev rule products: $products"
grep -q 'ATTRS{idVendor}=="264a"' "$rule" && grep -q 'TAG+="uaccess"' "$rule" && pass "the udev rule gives seat access" \
  || fail "the udev rule lacks the vendor or uaccess"
grep -q 'GROUP="aurivent", MODE="0660"' "$rule" && grep -q 'groupadd --system aurivent' "$work/control/postinst" \
  && pass "the udev rule gives the aurivent group access, and the package creates the group" \
  || fail "the udev rule or postinst lacks the aurivent group"
# udev skips a line it cannot read with only a log line: checked here.
python3 "$here/check-udev-rule.py" "$rule" && pass "the udev rule's syntax" || fail "the udev rule's syntax"

# Debian's copyright file, machine-readable, and a changelog whose newest
# entry is this version.
copyright=$root/usr/share/doc/aurivent/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  && grep -q '^License: GPL-3+$' "$copyright" && pass "a machine-readable copyright file, GPL-3+" \
  || fail "the copyright file is not the machine-readable GPL-3+ one"
version=$(dpkg-deb -f "$deb" Version)
newest=$(zcat "$root/usr/share/doc/aurivent/changelog.gz" | sed -n '1s/^aurivent (\([^)]*\)).*/\1/p')
[ "$newest" = "$version" ] && pass "the changelog's newest entry is $version" \
  || fail "the changelog's newest entry is \"$newest\", the package $version"

# Hardening of every program and library: position-independent, full RELRO,
# stack protector, checked calls where there are calls to check.
fortifiable='memcpy|memmove|memset|strcpy|strncpy|strcat|strncat|sprintf|snprintf|vsprintf|vsnprintf|printf|fprintf|vfprintf|read|fgets|realpath|getcwd|readlink|recv|recvfrom|poll|mbstowcs|wcstombs|wmemcpy|stpcpy'
mapfile -t elves < <(find "$root/usr/lib/aurivent" -type f -exec sh -c 'head -c4 "$1" | grep -q "ELF"' _ {} \; -print | sort)
for elf in "${elves[@]}"; do
  name=${elf#"$root"}
  header=$(readelf -hW "$elf")
  dynamic=$(readelf -dW "$elf")
  symbols=$(readelf --dyn-syms -W "$elf" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
  problems=()
  grep -q 'Type:[[:space:]]*DYN' <<<"$header" || problems+=("not position-independent")
  readelf -lW "$elf" | grep -q 'GNU_RELRO' || problems+=("no RELRO")
  grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' <<<"$dynamic" || problems+=("no BIND_NOW")
  grep -qx '__stack_chk_fail' <<<"$symbols" || problems+=("no stack protector")
  if ! grep -Eq '^__[a-z_]+_chk$' <<<"$symbols" && grep -Eqx "$fortifiable" <<<"$symbols"; then
    problems+=("unchecked $(grep -Ex "$fortifiable" <<<"$symbols" | paste -sd, )")
  fi
  [ ${#problems[@]} -eq 0 ] && pass "$name is hardened (PIE, full RELRO, stack protector, fortified)" \
    || fail "$name: ${problems[*]}"
done
# Debian's own tool, where devscripts is installed. Control-flow protection
# is left out: Debian 12's C start files carry no CET marks, so the linker
# drops them from every program, and Debian's flags do not ask for it.
if command -v hardening-check >/dev/null 2>&1; then
  for elf in "${elves[@]}"; do
    hardening-check --nocfprotection "$elf" >"$work/hardening" 2>&1 && pass "hardening-check ${elf#"$root"}" \
      || { cat "$work/hardening"; fail "hardening-check ${elf#"$root"}"; }
  done
fi

# lintian: no error and no warning (the overrides say why for what is meant).
# AURIVENT_CHECK_DEB_LINTIAN=0 leaves it out (the fault tests, which run it
# on the good package only).
if [ "${AURIVENT_CHECK_DEB_LINTIAN:-1}" != 0 ] && command -v lintian >/dev/null 2>&1; then
  if lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1; then
    pass "lintian: no error, no warning"
  else
    cat "$work/lintian"
    fail "lintian"
  fi
fi

echo "packaging: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
