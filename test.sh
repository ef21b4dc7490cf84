#!/usr/bin/env bash
# Builds and runs every test (ctest), the fuzz targets' corpora replayed among them.
#   ./test.sh --sanitize        the same with AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --fuzz [SECONDS]  builds the fuzz targets with clang and libFuzzer in build-fuzz/ and fuzzes each
#                               from its corpus for SECONDS (30) on every core (CV_JOBS sets fewer)
#   ./test.sh --fuzz-short [SECONDS]  CI's short pass: each fuzz target over its corpus, then fuzzed from a
#                               fixed seed for SECONDS (10) in all, CV_JOBS targets at once
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
cv_install_packages run test
case "${1:-}" in
  --fuzz | --fuzz-short) exec "$CV_ROOT/tools/fuzz.sh" "$@" ;;
esac
dir="$CV_ROOT/build"
# CV_BENCH=OFF leaves the benchmarks out (CI, which never runs them).
args=(-DCV_BENCH="${CV_BENCH:-ON}")
if [ "${1:-}" = "--sanitize" ]; then
  dir="$CV_ROOT/build-sanitize"
  # CV_SANITIZE_OPT: the optimization of the sanitized build (-O0 by default, CI's -O1).
  args=(-DCV_SANITIZE=ON -DCV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g ${CV_SANITIZE_OPT:--O0}")
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export LSAN_OPTIONS="suppressions=$CV_ROOT/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
cv_build "$dir" "${args[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j "$CV_JOBS"
