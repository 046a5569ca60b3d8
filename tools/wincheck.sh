#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows backends (*_win.cpp) are not built on Linux. This compiles each
# one for Windows without linking (MinGW-w64, syntax and types only) against
# the Qt headers at hand, so a Windows file that no longer compiles is caught
# here. It cannot show that they work: that needs a Windows machine.
#   tools/wincheck.sh        installs g++-mingw-w64-x86-64-posix if missing
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/deps.sh g++-mingw-w64-x86-64-posix >/dev/null
compiler=x86_64-w64-mingw32-g++-posix
qt=$(pkg-config --variable=includedir Qt5Core)
hidapi=$(pkg-config --cflags-only-I hidapi-hidraw)
failed=0
checked=0
while IFS= read -r file; do
  checked=$((checked + 1))
  if ! out=$("$compiler" -std=c++17 -fsyntax-only -w -DUNICODE -D_UNICODE -I. -I"$(dirname "$file")" \
      -I"$qt" -I"$qt/QtCore" -I"$qt/QtNetwork" -I"$qt/QtGui" -I"$qt/QtWidgets" -I"$qt/QtDBus" $hidapi \
      "$file" 2>&1); then
    echo "FAIL $file"
    echo "$out" | grep -E "error" | head -5
    failed=$((failed + 1))
  fi
done < <(git ls-files '*_win.cpp')
echo "Windows files compiled for Windows (syntax only): $checked, failed: $failed"
[ "$failed" -eq 0 ]
