#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package built from this tree holds what an installed program
# needs and passes the desktop's validators (packaging/check-deb.sh); and
# check-deb.sh fails on each fault planted into a copy of it.
# $1 build folder, $2 scratch folder.
set -euo pipefail
build=$1 scratch=$2
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" 2>&1) || { echo "$log"; exit 1; }
deb=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' | tail -1)
[ -f "$deb" ] || { echo "$log"; echo "FAIL: no package"; exit 1; }
"$top/packaging/check-deb.sh" "$deb"

# Each fault in a copy of the package; check-deb.sh must fail and say why.
# lintian has had its say on the good package above.
export AURIVENT_CHECK_DEB_LINTIAN=0
plant() {
  local name=$1 expected=$2 edit=$3 tree=$scratch/fault-tree
  rm -rf "$tree"
  dpkg-deb -R "$deb" "$tree"
  (cd "$tree" && eval "$edit")
  dpkg-deb --root-owner-group -b "$tree" "$scratch/fault.deb" >/dev/null
  if "$top/packaging/check-deb.sh" "$scratch/fault.deb" >"$scratch/fault.log" 2>&1; then
    cat "$scratch/fault.log"
    echo "FAIL: check-deb.sh passes a package with $name"
    exit 1
  fi
  grep -q "^FAIL: .*$expected" "$scratch/fault.log" \
    || { cat "$scratch/fault.log"; echo "FAIL: check-deb.sh failed on $name, but not for it"; exit 1; }
  echo "ok: check-deb.sh catches $name"
}
unit=usr/lib/systemd/user/aurivent.service
rule=usr/lib/udev/rules.d/70-aurivent.rules
plant "a udev rule with an unclosed quote" "the udev rule's syntax" "sed -i 's/TAG+=\"uaccess\"/TAG+=\"uaccess/' $rule"
plant "a udev rule assigning to a match key" "the udev rule's syntax" "sed -i 's/ATTRS{idVendor}==/ATTRS{idVendor}=/' $rule"
plant "Restart=sometimes in the unit" "systemd-analyze --user verify" "sed -i 's/^Restart=.*/Restart=sometimes/' $unit"
plant "the user unit wanted by multi-user.target" "multi-user.target" \
  "sed -i 's/^WantedBy=.*/WantedBy=multi-user.target/' $unit"
plant "no de.qm" "de.qm" "rm usr/share/aurivent/Language/de.qm"
plant "no copyright file" "copyright" "rm usr/share/doc/aurivent/copyright"
plant "a changelog of another version" "changelog" \
  "zcat usr/share/doc/aurivent/changelog.gz | sed '1s/(.*)/(0.0.1)/' | gzip -9n >c.gz && mv c.gz usr/share/doc/aurivent/changelog.gz"
# A program built without the hardening flags.
printf 'int main(void) { char b[64]; return b[0]; }\n' >"$scratch/plain.c"
cc -O0 -fno-stack-protector -no-pie -fno-pie -Wl,-z,norelro -Wl,-z,lazy -o "$scratch/plain" "$scratch/plain.c"
plant "a program built without hardening" "AuriventStart: not position-independent" \
  "cp '$scratch/plain' usr/lib/aurivent/AuriventStart"
echo "packaging: the good package passes, and each planted fault is caught"
