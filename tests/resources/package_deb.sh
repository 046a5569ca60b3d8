#!/usr/bin/env bash
# The Debian package built from this tree holds what an installed program
# needs and passes the desktop's validators (packaging/check-deb.sh).
# $1 build folder, $2 scratch folder.
set -euo pipefail
build=$1 scratch=$2
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" 2>&1) || { echo "$log"; exit 1; }
deb=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' | tail -1)
[ -f "$deb" ] || { echo "$log"; echo "FAIL: no package"; exit 1; }
"$top/packaging/check-deb.sh" "$deb"
rm -rf "$scratch"
