#!/usr/bin/env bash
# The fuzz runs of ./test.sh. Builds every target of tests/fuzz with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/, then
#   --fuzz [SECONDS]        fuzzes each target from its corpus for SECONDS (30) with CV_JOBS processes;
#   --fuzz-short [SECONDS]  CI's pass: each target runs over its corpus, then fuzzes from seed 1 for
#                           SECONDS (10) all told, so every parser gets the same share however fast
#                           it is; CV_JOBS targets run at once.
# tests/fuzz/corpus/<target>/ is read, never written: inputs found to add coverage are kept in
# build-fuzz/corpus/<target>/ for the next run (--fuzz only: the short pass starts from the
# corpus alone, so that a landing is judged by what it brings). An input that crashes a target
# (or leaks, hangs or runs out of memory) is copied into tests/fuzz/corpus/<target>/, where the
# ordinary test run replays it until the fault is mended; commit it with the mend.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
mode=$1
default=30
[ "$mode" = --fuzz-short ] && default=10
seconds=${2:-$default}
dir="$CV_ROOT/build-fuzz"
src="$CV_ROOT/tests/fuzz"

cv_configure "$dir" -DCV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
cmake --build "$dir" -j "$CV_JOBS" --target cvfuzz

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$CV_ROOT/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$dir/logs"

# One target: its figures go to $dir/results/<name>, a line "<name>: ..." ending in FAILED or not.
fuzz_one() {
  local source=$1 target name seeds crashes log status=0 summary found work
  target=$(basename "$source" .cpp)
  name=${target#fuzz_}
  seeds="$src/corpus/$name"
  crashes="$dir/crashes/$name"
  log="$dir/logs/$name.log"
  mkdir -p "$seeds" "$crashes"
  rm -f "$crashes"/*
  local options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$crashes/")
  if [ "$mode" = --fuzz ]; then
    work="$dir/corpus/$name"
    mkdir -p "$work"
    "$dir/fuzz/$target" "${options[@]}" -fork="$CV_JOBS" -max_total_time="$seconds" \
      "$work" "$seeds" > "$log" 2>&1 || status=$?
    # The last progress line of fork mode: "#RUNS: cov: N ft: N corp: N exec/s N ...".
    summary=$(grep -E '^#[0-9]+: cov:' "$log" | tail -1 | awk '{ sub(":", "", $1); sub("#", "", $1);
      print "runs " $1 ", cov " $3 ", ft " $5 ", corpus " $7 ", exec/s " $9 }' || true)
  else
    work=$(mktemp -d)
    "$dir/fuzz/$target" "${options[@]}" -seed=1 -max_total_time="$seconds" \
      "$work" "$seeds" > "$log" 2>&1 || status=$?
    rm -rf "$work"
    summary=$(grep -E '^#[0-9]+\s+DONE' "$log" | tail -1 | awk '{ sub("#", "", $1); print "runs " $1 ", cov " $4 ", ft " $6 }' || true)
  fi
  found=$(find "$crashes" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    for f in "$crashes"/*; do [ -f "$f" ] && cp "$f" "$seeds/"; done
    echo "$name: FAILED (exit $status; $found input(s) copied to tests/fuzz/corpus/$name/; see $log)"
  else
    echo "$name: ${summary:-no figures (see $log)}"
  fi > "$dir/results/$name"
}

rm -rf "$dir/results"
mkdir -p "$dir/results"
start=$SECONDS
for source in "$src"/fuzz_*.cpp; do
  if [ "$mode" = --fuzz ]; then
    fuzz_one "$source"  # already spread over CV_JOBS processes
  else
    while [ "$(jobs -rp | wc -l)" -ge "$CV_JOBS" ]; do wait -n || true; done
    fuzz_one "$source" &
  fi
done
wait
failed=()
for source in "$src"/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  name=${name#fuzz_}
  [ -f "$dir/results/$name" ] || echo "$name: FAILED (no result; see $dir/logs/$name.log)" > "$dir/results/$name"
  cat "$dir/results/$name"
  if grep -q ': FAILED' "$dir/results/$name"; then failed+=("$name"); fi
done
echo "Fuzzing took $((SECONDS - start)) s."
if [ ${#failed[@]} -ne 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
