#!/bin/sh
# Fuzzes every target with AFL++ for a bounded time (FUZZ_SECONDS each,
# default 45), instrumented with AFL++'s GCC wrapper and built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails when a target
# crashes or hangs; new crashes are left in build-fuzz/findings/<target>/.
#   FUZZ_SECONDS=600 sh tools/fuzz.sh            all targets, longer
#   FUZZ_SECONDS=600 sh tools/fuzz.sh formula    one target
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-45}
if ! command -v afl-fuzz >/dev/null 2>&1; then
  echo "fuzz: afl-fuzz is not installed (apt-get install afl++)" >&2
  exit 1
fi

# Debian's afl-gcc-fast plugin does not load into Debian's GCC 12, so the
# targets use afl-g++, which instruments at the assembler (GCC-GCC mode).
export AFL_QUIET=1
CXX=afl-g++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target korvatex_data \
  $(for t in fold split_record settings element_report formula command_main; do echo fuzz_$t; done)

export AFL_SKIP_CPUFREQ=1 AFL_NO_UI=1 AFL_NO_AFFINITY=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
targets=${*:-fold split_record settings element_report formula command_main}
status=0
printf '%-16s %10s %8s %8s %8s\n' target executions paths crashes hangs
for target in $targets; do
  findings=build-fuzz/findings/$target
  rm -rf "$findings"; mkdir -p build-fuzz/findings
  afl-fuzz -i fuzz/corpus/$target -o "$findings" -m none -t 2000 -V "$seconds" \
    -- build-fuzz/fuzz/fuzz_$target >"build-fuzz/fuzz-$target.log" 2>&1 || true
  stats=$findings/default/fuzzer_stats
  if [ ! -f "$stats" ]; then
    echo "fuzz: $target did not start; see build-fuzz/fuzz-$target.log" >&2
    tail -5 "build-fuzz/fuzz-$target.log" >&2
    status=1
    continue
  fi
  value() { sed -n "s/^$1 *: *//p" "$stats"; }
  printf '%-16s %10s %8s %8s %8s\n' "$target" "$(value execs_done)" "$(value corpus_count)" \
    "$(value saved_crashes)" "$(value saved_hangs)"
  if [ "$(value saved_crashes)" != 0 ] || [ "$(value saved_hangs)" != 0 ]; then status=1; fi
done
exit $status
