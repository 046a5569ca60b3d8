#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured build tree and checks it.
#   packaging/build-deb.sh [BUILD_DIR]      (default: build)
# The package lands in BUILD_DIR as aurivent_VERSION_ARCH.deb.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)

cmake --build "$build" -j "$(nproc)"
log=$(cd "$build" && cpack -G DEB)
echo "$log"
deb=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' | tail -1)
[ -f "$deb" ] || { echo "error: cpack named no package" >&2; exit 1; }
"$top/packaging/check-deb.sh" "$deb"
