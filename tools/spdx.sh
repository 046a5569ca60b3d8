#!/usr/bin/env bash
# Puts the licence tag on every source file that lacks it, in the comment
# form of the file's language (after a #! line or an XML declaration).
#   tools/spdx.sh [--check] [TOP]
# --check changes nothing: it lists the files that lack the tag and exits 1
# when there is any. TOP is the tree to work on (default: this repository).
# Data (images, translations, fuzz seeds, Markdown) carries no tag.
set -euo pipefail

tag='SPDX-License-Identifier: GPL-3.0-or-later'
check=0
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
top=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}" && pwd)
cd "$top"

# Every file of the tree that is not ignored, tracked or new.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
  fi
}

# The comment form for a file, in $form: c (//), c-block (/* */), hash (#),
# xml, roff, or empty for a file that is not source. No process is started
# per file: the suite runs this over every file on a busy machine.
comment_form() {
  local path=$1 name=${1##*/} first=
  form=
  case "$path" in fuzz/corpus/*) return 0 ;; esac
  name=${name%.in}
  case "$name" in
    *.cpp | *.cc | *.h | *.hpp) form=c ;;
    *.c) form=c-block ;;
    *.sh | *.py | *.cmake | CMakeLists.txt | *.rules | *.supp | *.desktop | *.service | *.conf) form=hash ;;
    *.xml | *.manifest | *.qrc | *.ui) form=xml ;;
    *.[1-9]) form=roff ;;
    *.*) ;;
    *) IFS= read -r -n 2 first <"$path" 2>/dev/null || true
       [ "$first" = '#!' ] && form=hash ;;
  esac
  # A file that is not source (LICENSE, a changelog) is not an error.
  return 0
}

has_tag() {
  local line n=0
  while [ $n -lt 12 ] && IFS= read -r line; do
    [[ "$line" == *SPDX-License-Identifier:* ]] && return 0
    n=$((n + 1))
  done <"$1"
  return 1
}

add_tag() {
  local path=$1 form=$2 line
  case "$form" in
    c) line="// $tag" ;;
    c-block) line="/* $tag */" ;;
    hash) line="# $tag" ;;
    xml) line="<!-- $tag -->" ;;
    roff) line=".\\\" $tag" ;;
  esac
  local first
  first=$(head -n 1 "$path")
  local out
  out=$(mktemp "$path.spdx.XXXXXX")
  # After a #! line or an XML declaration; otherwise first.
  if [[ "$first" == '#!'* || "$first" == '<?xml'* ]]; then
    { head -n 1 "$path"; printf '%s\n' "$line"; tail -n +2 "$path"; } >"$out"
  else
    { printf '%s\n' "$line"; cat "$path"; } >"$out"
  fi
  chmod --reference="$path" "$out"
  mv "$out" "$path"
}

missing=0
while IFS= read -r path; do
  [ -f "$path" ] && [ ! -L "$path" ] || continue
  comment_form "$path"
  [ -n "$form" ] || continue
  has_tag "$path" && continue
  missing=$((missing + 1))
  if [ $check -eq 1 ]; then
    echo "no licence tag: $path"
  else
    add_tag "$path" "$form"
    echo "tagged: $path"
  fi
done < <(list_files)

if [ $check -eq 1 ] && [ $missing -gt 0 ]; then
  echo "$missing source files lack \"$tag\"; tools/spdx.sh adds it" >&2
  exit 1
fi
exit 0
