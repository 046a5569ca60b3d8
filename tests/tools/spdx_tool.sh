#!/usr/bin/env bash
# tools/spdx.sh on a tree of its own: --check names each source file without
# the licence tag and fails; the tool adds it in each file type's comment
# form (after a #! line or an XML declaration), once, and leaves data alone.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
tag='SPDX-License-Identifier: GPL-3.0-or-later'
mkdir -p "$tree/app" "$tree/tools" "$tree/res" "$tree/fuzz/corpus/x" "$tree/packaging/debian"
printf 'int x;\n' >"$tree/app/A.cpp"
printf '#pragma once\n' >"$tree/app/A.h"
printf 'int y;\n' >"$tree/app/plugin.c"
printf '#!/usr/bin/env bash\necho hi\n' >"$tree/tools/run.sh"
printf '#!/usr/bin/env python3\nprint(1)\n' >"$tree/tools/tool.py"
printf 'add_library(x a.cpp)\n' >"$tree/CMakeLists.txt"
printf '<?xml version="1.0"?>\n<component/>\n' >"$tree/res/app.metainfo.xml.in"
printf '.TH X 1\n' >"$tree/res/X.1.in"
printf '[Unit]\nDescription=x\n' >"$tree/res/x.service.in"
printf '#!/bin/sh\nexit 0\n' >"$tree/packaging/debian/postinst"
printf '// %s\nint z;\n' "$tag" >"$tree/app/Tagged.cpp"
printf 'seed data\n' >"$tree/fuzz/corpus/x/seed"
printf '# readme\n' >"$tree/README.md"
printf 'GNU GENERAL PUBLIC LICENSE\n' >"$tree/LICENSE"
chmod +x "$tree/tools/run.sh" "$tree/packaging/debian/postinst"
# A git checkout, as the tool is run on this repository: files come in git's
# order, a data file without extension (LICENSE) among the first.
git -C "$tree" init -q
git -C "$tree" add -A

set +e
listed=$("$top/tools/spdx.sh" --check "$tree" 2>&1)
rc=$?
set -e
[ $rc -eq 1 ] || fail "--check exited $rc on a tree without tags"
for f in app/A.cpp app/A.h app/plugin.c tools/run.sh tools/tool.py CMakeLists.txt res/app.metainfo.xml.in \
    res/X.1.in res/x.service.in packaging/debian/postinst; do
  grep -q "no licence tag: $f\$" <<<"$listed" || fail "--check does not name $f"
done
grep -q 'Tagged.cpp\|seed\|README\|LICENSE' <<<"$listed" && fail "--check names a file that needs no tag: $listed"

"$top/tools/spdx.sh" "$tree" >/dev/null
"$top/tools/spdx.sh" --check "$tree" >/dev/null || fail "--check still fails after the tool ran"
[ "$(head -1 "$tree/app/A.cpp")" = "// $tag" ] || fail "A.cpp: $(head -1 "$tree/app/A.cpp")"
[ "$(head -1 "$tree/app/plugin.c")" = "/* $tag */" ] || fail "plugin.c: $(head -1 "$tree/app/plugin.c")"
[ "$(sed -n 2p "$tree/tools/run.sh")" = "# $tag" ] && [ "$(head -1 "$tree/tools/run.sh")" = '#!/usr/bin/env bash' ] \
  || fail "run.sh: the tag is not right after the #! line"
[ -x "$tree/tools/run.sh" ] || fail "run.sh lost its executable bit"
[ "$(sed -n 2p "$tree/res/app.metainfo.xml.in")" = "<!-- $tag -->" ] || fail "metainfo: not after the XML declaration"
[ "$(head -1 "$tree/res/X.1.in")" = ".\\\" $tag" ] || fail "man page: $(head -1 "$tree/res/X.1.in")"
[ "$(head -1 "$tree/res/x.service.in")" = "# $tag" ] || fail "unit: $(head -1 "$tree/res/x.service.in")"
[ "$(grep -c SPDX "$tree/app/Tagged.cpp")" = 1 ] || fail "a tagged file got a second tag"
[ "$(cat "$tree/fuzz/corpus/x/seed")" = "seed data" ] || fail "a fuzz seed was changed"
[ "$(cat "$tree/LICENSE")" = "GNU GENERAL PUBLIC LICENSE" ] || fail "LICENSE was changed"
cp -r "$tree" "$tree.again"
"$top/tools/spdx.sh" "$tree" >/dev/null
diff -r "$tree" "$tree.again" >/dev/null || { rm -rf "$tree.again"; fail "a second run changed files"; }
rm -rf "$tree.again"
echo "1 passed, 0 failed"
