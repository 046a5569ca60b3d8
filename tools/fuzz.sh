#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60). Exits non-zero when any target finds a crash, a leak, a
# time-out or undefined behaviour; the input that did it is kept in
# build-fuzz/findings/<target>/.
#   tools/fuzz.sh [--plain] [--record] [--merge] [--jobs N] [SECONDS] [TARGET...]
#   tools/fuzz.sh --replay [TARGET...]
# New inputs that reach new code go to build-fuzz/corpus/<target>/; the seeds
# in fuzz/corpus/<target>/ are only read. Every run adds a line per target to
# build-fuzz/runs.tsv; --record adds it to fuzz/campaigns.tsv too (the
# inputs run so far, kept with the sources). --merge then minimises
# fuzz/corpus/<target>/ together with what the runs found: the smallest set
# of inputs that reaches the same code replaces the seeds.
# --plain builds and runs without the sanitizers (build-fuzz-plain/), several
# times faster, for long campaigns; what they find is only trusted once
# --replay has run every input of fuzz/corpus/<target>/ (and of
# build-fuzz-plain/corpus/<target>/) through the sanitized build.
# --jobs N runs N fuzzers of each target side by side on one corpus: a target
# that mostly waits (engine_replies waits on its boxes' threads and their
# read time-outs) then keeps its core busy. Their inputs and CPU seconds are
# added up into the one line of the run.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
record=false
merge=false
plain=false
replay=false
jobs=1
while [ $# -gt 0 ]; do
  case "$1" in
    --record) record=true; shift ;;
    --merge) merge=true; shift ;;
    --plain) plain=true; shift ;;
    --replay) replay=true; shift ;;
    --jobs)
      jobs=${2:-}
      case "$jobs" in ''|*[!0-9]*|0) echo "--jobs needs a count of 1 or more" >&2; exit 2 ;; esac
      shift 2 ;;
    *) break ;;
  esac
done
usage="usage: tools/fuzz.sh [--plain] [--record] [--merge] [--jobs N] [SECONDS] [TARGET...] | --replay [TARGET...]"
if $replay; then
  $plain || $record || $merge && { echo "$usage" >&2; exit 2; }
  seconds=0
else
  seconds=${1:-60}
  [ $# -gt 0 ] && shift
  case "$seconds" in
    ''|*[!0-9]*) echo "$usage" >&2; exit 2 ;;
  esac
fi
if $plain; then
  build="$top/build-fuzz-plain"
  sanitizers=OFF
  kind=plain
else
  build="$top/build-fuzz"
  sanitizers=ON
  kind=asan+ubsan
fi

# The compiler and libFuzzer's runtime besides the usual packages.
"$top/tools/deps.sh" clang libclang-rt-dev

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAURIVENT_FUZZ=ON -DAURIVENT_FUZZ_SANITIZERS=$sanitizers -DAURIVENT_BUILD_TESTS=OFF \
  -DAURIVENT_BUILD_BENCHMARKS=OFF >/dev/null
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" --target aurivent_fuzz -j "$(nproc)"

# The longest input worth trying: a little more than the largest thing the
# parser is given in use. Longer inputs only repeat what shorter ones reach,
# at a cost that grows with their length.
max_len() {
  case "$1" in
    hid_replies) echo 65 ;;                                # one reply and its length
    engine_replies) echo 512 ;;                            # a few dozen steps
    settings_files|settings_save) echo 4096 ;;             # a device file is ~2.6 KiB
    channel_lines|script_frames|update_reply) echo 8192 ;;
    *) echo 65536 ;;
  esac
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$top"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# Files the targets write (settings, scripts) go to a folder of this run,
# in memory where there is one.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/aurivent-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Allocation stacks are left out of reports while fuzzing (they cost more
# than the parsing); a finding is replayed with them.
fuzz_asan="detect_leaks=1:strict_string_checks=1:malloc_context_size=0"
replay_asan="detect_leaks=1:strict_string_checks=1"
ubsan="print_stacktrace=1:halt_on_error=1"

if $replay; then
  failed=()
  for target in "${targets[@]}"; do
    program="$build/bin/fuzz_$target"
    [ -x "$program" ] || { echo "no fuzz target $target" >&2; exit 2; }
    inputs=("$top/fuzz/corpus/$target")
    for more in "$build/corpus/$target" "$top/build-fuzz-plain/corpus/$target"; do
      [ -d "$more" ] && inputs+=("$more")
    done
    mkdir -p "$scratch/$target" "$build/findings/$target"
    log="$build/findings/$target.replay.log"
    set +e
    TMPDIR="$scratch/$target" XDG_CONFIG_HOME="$scratch/$target/config" ASAN_OPTIONS="$replay_asan" UBSAN_OPTIONS="$ubsan" \
      "$program" -runs=0 -timeout=20 -rss_limit_mb=2560 -max_len="$(max_len "$target")" \
        -artifact_prefix="$build/findings/$target/" "${inputs[@]}" >"$log" 2>&1
    rc=$?
    set -e
    replayed=$(sed -n 's/^#\([0-9]*\).*INITED.*/\1/p' "$log" | tail -1)
    echo "== $target: ${replayed:-?} inputs replayed under the sanitizers, exit $rc"
    if [ $rc -ne 0 ]; then
      failed+=("$target")
      grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20
    fi
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "findings in: ${failed[*]} (logs in $build/findings/)" >&2
    exit 1
  fi
  echo "no findings"
  exit 0
fi

failed=()
summary=()
for target in "${targets[@]}"; do
  program="$build/bin/fuzz_$target"
  [ -x "$program" ] || { echo "no fuzz target $target" >&2; exit 2; }
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings" "$scratch/$target"
  log="$build/findings/$target.log"
  if [ "$jobs" -gt 1 ]; then echo "== $target: ${seconds} s, $jobs fuzzers"; else echo "== $target: ${seconds} s"; fi
  # On a shared machine the fuzzer gets a share of a core: the CPU seconds it
  # got (user + system) tell its speed, the wall seconds only the load.
  TIMEFORMAT='%3U %3S'
  pids=()
  for ((job = 1; job <= jobs; job++)); do
    joblog=$log
    if [ "$jobs" -gt 1 ]; then joblog="$build/findings/$target.job$job.log"; fi
    { time TMPDIR="$scratch/$target" XDG_CONFIG_HOME="$scratch/$target/config" \
      ASAN_OPTIONS="$fuzz_asan" UBSAN_OPTIONS="$ubsan" \
      "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len="$(max_len "$target")" \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$top/fuzz/corpus/$target" >"$joblog" 2>&1 ; } 2>"$joblog.cpu" &
    pids+=("$!:$joblog")
  done
  rc=0
  runs=0
  cpu=0
  rm -f "$log.all"
  for entry in "${pids[@]}"; do
    joblog=${entry#*:}
    wait "${entry%%:*}" || rc=$?
    jobruns=$(sed -n 's/^stat::number_of_executed_units: *//p' "$joblog" | tail -1)
    runs=$((runs + ${jobruns:-0}))
    cpu=$(awk -v sum="$cpu" '{ printf "%.1f", sum + $1 + $2 }' "$joblog.cpu")
    if [ "$joblog" != "$log" ]; then cat "$joblog" >>"$log.all"; fi
  done
  if [ "$jobs" -gt 1 ]; then mv "$log.all" "$log"; fi
  rate=$(( runs / (seconds > 0 ? seconds : 1) ))
  cpu_rate=$(awk -v r="$runs" -v c="$cpu" 'BEGIN { printf "%d", (c > 0 ? r / c : 0) }')
  summary+=("$(printf '%-16s %12s inputs %9s/s %9s/CPU s' "$target" "$runs" "$rate" "$cpu_rate")")
  line=$(printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%MZ)" "$target" "$seconds" "$runs" "$kind" "$cpu")
  echo "$line" >>"$build/runs.tsv"
  if $record; then
    [ -f "$top/fuzz/campaigns.tsv" ] || printf 'date\ttarget\tseconds\tinputs\tbuild\tcpu_seconds\n' >"$top/fuzz/campaigns.tsv"
    echo "$line" >>"$top/fuzz/campaigns.tsv"
  fi
  if $merge && [ $rc -eq 0 ]; then
    minimal=$(mktemp -d "$build/merge.XXXXXX")
    TMPDIR="$scratch/$target" ASAN_OPTIONS=detect_leaks=0 \
      "$program" -merge=1 -timeout=20 -rss_limit_mb=2560 -max_len="$(max_len "$target")" "$minimal" \
        "$top/fuzz/corpus/$target" "$corpus" \
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
