#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60). Exits non-zero when any target finds a crash, a leak, a
# time-out or undefined behaviour; the input that did it is kept in
# build-fuzz/findings/<target>/.
#   tools/fuzz.sh [--record] [--merge] [SECONDS] [TARGET...]
# New inputs that reach new code go to build-fuzz/corpus/<target>/; the seeds
# in fuzz/corpus/<target>/ are only read. Every run adds a line per target to
# build-fuzz/runs.tsv; --record adds it to fuzz/campaigns.tsv too (the
# inputs run so far, kept with the sources). --merge then minimises
# fuzz/corpus/<target>/ together with what the runs found: the smallest set
# of inputs that reaches the same code replaces the seeds.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-fuzz"
record=false
merge=false
while [ $# -gt 0 ]; do
  case "$1" in
    --record) record=true; shift ;;
    --merge) merge=true; shift ;;
    *) break ;;
  esac
done
seconds=${1:-60}
[ $# -gt 0 ] && shift
case "$seconds" in
  ''|*[!0-9]*) echo "usage: tools/fuzz.sh [--record] [--merge] [SECONDS] [TARGET...]" >&2; exit 2 ;;
esac

# The compiler and libFuzzer's runtime besides the usual packages.
"$top/tools/deps.sh" clang libclang-rt-dev

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAURIVENT_FUZZ=ON -DAURIVENT_BUILD_TESTS=OFF -DAURIVENT_BUILD_BENCHMARKS=OFF >/dev/null
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" --target aurivent_fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$top"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# Files the targets write (settings, scripts) go to a folder of this run,
# in memory where there is one.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/aurivent-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=()
summary=()
for target in "${targets[@]}"; do
  program="$build/bin/fuzz_$target"
  [ -x "$program" ] || { echo "no fuzz target $target" >&2; exit 2; }
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings" "$scratch/$target"
  log="$build/findings/$target.log"
  echo "== $target: ${seconds} s"
  set +e
  TMPDIR="$scratch/$target" XDG_CONFIG_HOME="$scratch/$target/config" \
  ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$top/fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(( ${runs:-0} / (seconds > 0 ? seconds : 1) ))
  summary+=("$(printf '%-16s %12s inputs %9s/s' "$target" "${runs:-?}" "$rate")")
  line=$(printf '%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%MZ)" "$target" "$seconds" "${runs:-0}")
  echo "$line" >>"$build/runs.tsv"
  if $record; then
    [ -f "$top/fuzz/campaigns.tsv" ] || printf 'date\ttarget\tseconds\tinputs\n' >"$top/fuzz/campaigns.tsv"
    echo "$line" >>"$top/fuzz/campaigns.tsv"
  fi
  if $merge && [ $rc -eq 0 ]; then
    minimal=$(mktemp -d "$build/merge.XXXXXX")
    TMPDIR="$scratch/$target" ASAN_OPTIONS=detect_leaks=0 \
      "$program" -merge=1 -timeout=20 -rss_limit_mb=2560 -max_len=65536 "$minimal" "$top/fuzz/corpus/$target" "$corpus" \
      >"$build/findings/$target.merge.log" 2>&1
    if [ -n "$(ls -A "$minimal")" ]; then
      rm -rf "$top/fuzz/corpus/$target"
      mv "$minimal" "$top/fuzz/corpus/$target"
      echo "   corpus: $(ls "$top/fuzz/corpus/$target" | wc -l) inputs after minimising"
    else
      rm -rf "$minimal"
    fi
  fi
  if [ $rc -ne 0 ]; then
    failed+=("$target")
    echo "FINDING in $target (exit $rc):"
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20
  fi
done

echo "== inputs run"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (logs and inputs in $build/findings/)" >&2
  exit 1
fi
echo "no findings"
