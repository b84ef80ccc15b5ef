#!/bin/sh
# Fuzzes every target in process with libFuzzer for a bounded time
# (FUZZ_SECONDS each, default 60), built with Clang under AddressSanitizer
# and UndefinedBehaviorSanitizer. Prints one row per target: executions,
# executions a second, coverage (edges reached) and crashes. Fails when a
# target crashes (the input is left in build-fuzz/findings/<target>/) and
# when Clang or libFuzzer is missing. New inputs that reach further are kept
# in build-fuzz/corpus/<target>/; the seeds stay in fuzz/corpus/<target>/.
#   FUZZ_SECONDS=600 sh tools/fuzz.sh            all targets, longer
#   FUZZ_SECONDS=600 sh tools/fuzz.sh formula    one target
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed (apt-get install clang libclang-rt-14-dev)" >&2
  exit 1
fi
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, long) { return 0; }' |
     clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
  echo "fuzz: clang++ cannot link libFuzzer (apt-get install libclang-rt-14-dev)" >&2
  exit 1
fi

cmake --preset libfuzzer >/dev/null
# The targets asked for, else all of them.
[ $# -gt 0 ] || set -- fold split_record settings element_report formula command_main
for target in "$@"; do
  cmake --build --preset libfuzzer -j2 --target korvatex_data "fuzz_$target" >/dev/null
done

# Filling every new block with a pattern finds nothing ASan would not, and
# a quarantine of freed memory far larger than one run frees only makes
# every allocation touch fresh pages: together they cost the targets that
# open files half their rate.
export ASAN_OPTIONS="${ASAN_OPTIONS:-max_malloc_fill_size=0:quarantine_size_mb=16}"
status=0
printf '%-16s %12s %10s %9s %8s\n' target executions exec/s coverage crashes
for target in "$@"; do
  corpus=build-fuzz/corpus/$target findings=build-fuzz/findings/$target
  log=build-fuzz/fuzz-$target.log
  mkdir -p "$corpus" && rm -rf "$findings" && mkdir -p "$findings"
  crashed=0
  "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || crashed=1
  crashes=$(find "$findings" -type f | wc -l)
  [ "$crashed" = 1 ] && [ "$crashes" = 0 ] && crashes=1  # ended on an error without an input
  stat() { sed -n "s/^stat::$1: *//p" "$log"; }
  coverage=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' "$log" | tail -n 1)
  printf '%-16s %12s %10s %9s %8s\n' "$target" "$(stat number_of_executed_units)" \
    "$(stat average_exec_per_sec)" "${coverage:-?}" "$crashes"
  if [ "$crashes" != 0 ]; then
    echo "fuzz: $target crashed; see $log and $findings/" >&2
    status=1
  fi
done
exit $status
