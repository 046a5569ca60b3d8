#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the last commit twice, from two copies of the
# source in two different folders, and fails unless the two .debs are the
# same bytes. With BUILD_DIR (a build of this checkout at that commit, as
# tools/setup.sh leaves it) that build is the first of the two, so only one
# more build is made: the way CI runs it.
#   tools/reproducible.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
git rev-parse --verify -q HEAD >/dev/null || { echo "error: not a git checkout" >&2; exit 2; }
commit=$(git rev-parse --short HEAD)
# The package's file times, as Debian's tools set them: the commit's time.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

# ccache may rewrite absolute paths below its base_dir into relative ones,
# which the build's own path mapping then cannot see: off for these builds.
export CCACHE_BASEDIR=

work=$(mktemp -d "${TMPDIR:-/tmp}/aurivent-repro.XXXXXX")
keep=0
trap '[ $keep -eq 1 ] || rm -rf "$work"' EXIT

# A build of the committed tree in a folder of its own; prints the .deb.
build_copy() {
  local name=$1 src=$work/$1/aurivent-src
  mkdir -p "$src"
  git archive --format=tar HEAD | tar -x -C "$src"
  cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DAURIVENT_BUILD_TESTS=OFF -DAURIVENT_BUILD_BENCHMARKS=OFF >"$work/$name.log" 2>&1 \
    || { cat "$work/$name.log" >&2; exit 1; }
  cmake --build "$src/build" -j "$(nproc)" >>"$work/$name.log" 2>&1 || { tail -30 "$work/$name.log" >&2; exit 1; }
  package "$src/build" "$work/$name"
}

# cpack of a build folder into OUT; prints the .deb.
package() {
  local build=$1 out=$2 log
  mkdir -p "$out"
  log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" 2>&1) || { echo "$log" >&2; exit 1; }
  printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' | tail -1
}

# A first build made by a ccache that rewrote its paths is not one to compare.
built_by_rewriting_ccache() {
  local compiler
  command -v ccache >/dev/null 2>&1 && [ -n "$(env -u CCACHE_BASEDIR ccache -k base_dir 2>/dev/null)" ] || return 1
  compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$1/CMakeCache.txt" 2>/dev/null)
  [[ "$(readlink -f "$compiler")" == */ccache ]] || grep -q '^CMAKE_CXX_COMPILER_LAUNCHER:.*ccache' "$1/CMakeCache.txt"
}
if [ $# -ge 1 ] && built_by_rewriting_ccache "$1"; then
  echo "note: ccache (base_dir $(env -u CCACHE_BASEDIR ccache -k base_dir)) built $1 with rewritten paths; building both copies instead"
  set --
fi

if [ $# -ge 1 ]; then
  first_build=$(cd "$1" && pwd)
  if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "error: the checkout has changes that are not committed; $first_build is not a build of $commit" >&2
    exit 2
  fi
  cmake --build "$first_build" -j "$(nproc)" >/dev/null
  first=$(package "$first_build" "$work/first")
else
  first=$(build_copy first)
fi
second=$(build_copy second)

sum_first=$(sha256sum "$first" | cut -d' ' -f1)
sum_second=$(sha256sum "$second" | cut -d' ' -f1)
echo "commit $commit, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
echo "$sum_first  $(basename "$first") (${first_build:-$work/first/aurivent-src/build})"
echo "$sum_second  $(basename "$second") ($work/second/aurivent-src/build)"
if [ "$sum_first" = "$sum_second" ]; then
  echo "reproducible: the two packages are the same bytes"
  exit 0
fi

keep=1
echo "NOT reproducible: the packages differ (both builds kept in $work)"
mkdir -p "$work/x1" "$work/x2"
dpkg-deb -R "$first" "$work/x1"
dpkg-deb -R "$second" "$work/x2"
diff -r -q "$work/x1" "$work/x2" || true
if command -v diffoscope >/dev/null 2>&1; then
  diffoscope --text - "$first" "$second" | head -200 || true
fi
exit 1
