#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when something a run leaves behind (a log, a trace, a core dump, a
# CTest or CMake folder) lies at the top of the repository, tracked or not.
# Builds belong in build*/ (ignored); the top holds only the project's own
# files and its source folders.
#   tools/check-root.sh [TOP]
set -euo pipefail
top=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}" && pwd)

# Files that belong at the top.
allowed_files='^(README(\.md)?|CMakeLists\.txt|CMakePresets\.json|LICENSE|COPYING|AUTHORS|NEWS|CHANGELOG(\.md)?|CONTRIBUTING\.md|SECURITY\.md|\.gitignore|\.gitattributes|\.mailmap|\.clang-format|\.clang-tidy|\.editorconfig|\.git)$'
# Folders that only a run makes.
output_dirs='^(Testing|CMakeFiles|_CPack_Packages|bin|lib|Language|Images|home)$'

stray=()
while IFS= read -r -d '' entry; do
  name=${entry##*/}
  if [ -d "$entry" ] && [ ! -L "$entry" ]; then
    [[ "$name" =~ $output_dirs ]] && stray+=("$name/")
  elif [[ ! "$name" =~ $allowed_files ]]; then
    stray+=("$name")
  fi
done < <(find "$top" -mindepth 1 -maxdepth 1 -print0)

# Build folders are the ignored build*/ ones, whatever their name says.
if git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  filtered=()
  for name in "${stray[@]}"; do
    git -C "$top" check-ignore -q -- "${name%/}" && continue
    filtered+=("$name")
  done
  stray=("${filtered[@]}")
fi

if [ ${#stray[@]} -gt 0 ]; then
  printf 'left at the top of the repository: %s\n' "${stray[@]}"
  echo "a run's output belongs in the build folder (or a mktemp -d folder), not here"
  exit 1
fi
echo "the top of the repository holds only the project's own files"
