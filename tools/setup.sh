#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Aurivent, then starts it or runs the tests.
#   tools/setup.sh run [PROGRAM OPTIONS...]   build and start Aurivent
#   tools/setup.sh test                       build and run the whole test suite
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"
what=${1:-}
[ $# -gt 0 ] && shift

case "$what" in
  run|test) ;;
  *) echo "usage: tools/setup.sh run [PROGRAM OPTIONS...] | tools/setup.sh test" >&2; exit 2 ;;
esac

"$top/tools/deps.sh"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ "$what" = test ]; then
  cd "$build"
  exec ctest --output-on-failure -j "$(nproc)"
fi

# The service needs no screen at all.
for argument in "$@"; do
  [ "$argument" = --headless ] && exec "$build/bin/auriventd" "$@"
done
# Without a desktop session the program still runs, on a virtual screen.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting Aurivent on a virtual X screen (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/Aurivent" "$@"
fi
exec "$build/bin/Aurivent" "$@"
