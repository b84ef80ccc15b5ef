#!/bin/sh
# Builds korvatex and runs the whole test suite, one suite after another:
# the quick checks (tools/checks.sh: format, shellcheck, the include layers,
# and the first build, with warnings as errors as in every preset); the unit
# and end-to-end tests (built with GCC, then with Clang, whose
# programs must give the same bytes), the X11 clipboard test on a virtual X
# server, the help file, install layout and man page tests (CTest); the
# Debian package, unpacked and run; the cross-build of the Windows program,
# its ZIP package, and the program under Wine; the release, made twice and
# compared byte for byte; CTest again under the
# sanitizers; fuzzing in process with libFuzzer. A failing suite does not
# stop the others. The run ends with a summary, one row per suite, and fails
# when any suite failed (under CI=true, a suite that skipped counts as
# failed).
# The counters and the suites' functions are called through suite():
# shellcheck disable=SC2317
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
version=$(sh tools/version.sh)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
failed=0
printf '%-22s %-8s %s\n' suite result counts > "$logs/summary"

# suite NAME COUNTER COMMAND...: runs COMMAND with its output shown and kept
# in a log, and records the suite's row: passed, skipped (exit 77) or
# FAILED, and what `COUNTER LOG` prints about the log.
suite() {
  name=$1 counter=$2
  shift 2
  echo "== $name"
  log="$logs/$(printf '%s' "$name" | tr -c 'A-Za-z0-9' _)"
  { "$@" && echo 0 > "$log.status" || echo $? > "$log.status"; } 2>&1 | tee "$log"
  case "$(cat "$log.status")" in
  0) result=passed ;;
  77) result=skipped ;;
  *) result=FAILED ;;
  esac
  if [ "$result" = FAILED ] || { [ "$result" = skipped ] && [ "${CI:-}" = true ]; }; then
    failed=1
  fi
  printf '%-22s %-8s %s\n' "$name" "$result" "$("$counter" "$log")" >> "$logs/summary"
}

# Counters: each prints one short line of counts from a suite's log.
ctest_counts() {  # summed over every CTest run in the log
  total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$1" | awk '{ s += $1 } END { print s + 0 }')
  bad=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$1" | awk '{ s += $1 } END { print s + 0 }')
  skipped=$(grep -c '(Skipped)' "$1" || true)
  echo "$total tests, $((total - bad - skipped)) passed, $skipped skipped"
}
check_counts() {  # lines "ok..." and "FAIL..." of the shell checks
  echo "$(grep -c '^ok' "$1" || true) ok, $(grep -c '^FAIL' "$1" || true) failed"
}
fuzz_counts() {  # rows "target executions ...": one per target
  awk '$2 ~ /^[0-9]+$/ { targets++; runs += $2 }
       END { printf "%d targets, %d executions\n", targets, runs }' "$1"
}

debian_package() {
  # Under a builder's strict umask, which must not reach the package's modes.
  (umask 077 && sh packaging/make_deb.sh build) &&
    sh tests/package_test.sh "build/korvatex_${version}_$(dpkg --print-architecture).deb"
}
# preset NAME: configures and builds the preset NAME (warnings as errors);
# ctest_preset NAME: that, then its CTest.
preset() { cmake --preset "$1" && cmake --build --preset "$1" -j"$jobs"; }
ctest_preset() { preset "$1" && ctest --preset "$1" -j"$jobs"; }
# The default preset's CTest, and the tests its test preset leaves out:
# those that start other programs (label "system").
ctest_default() {
  preset default || return
  status=0
  ctest --preset default -j"$jobs" || status=$?
  ctest --preset system -j"$jobs" || status=$?
  return "$status"
}

windows_package() {
  preset mingw && ls -l build-win/korvatex.exe build-win/KORVATEX.CSV build-win/KORVATEX.CHM &&
    sh packaging/make_zip.sh build-win && sh tests/package_test.sh "build-win/korvatex-${version}-win64.zip"
}

# The builds are the presets of CMakePresets.json, each within the suite
# that needs it, so that a build that fails (a new warning is an error)
# fails its row. Those that run CTest ask for the tests by name
# (BUILD_TESTING): the README's first command configures build/ for the
# program alone.
suite "Checks" check_counts sh tools/checks.sh --build
suite "CTest" ctest_counts ctest_default
suite "Debian package" check_counts debian_package

# The same program and tests built with Clang: the suite passes, and both
# programs give the same bytes for the same requests.
suite "CTest, Clang" ctest_counts ctest_preset clang
suite "GCC and Clang agree" check_counts \
  sh tools/compare_programs.sh build/korvatex build-clang/korvatex build/KORVATEX.CSV

suite "Windows ZIP" check_counts windows_package
suite "Windows under Wine" check_counts sh tests/wine/wine_test.sh build-win

# The release, made twice from the same commit in two fresh clones (in
# folders of different names and depths, under different time zones, umasks
# and locales), gives the same files bit for bit.
suite "Reproducible release" check_counts sh tests/release_test.sh

suite "CTest, ASan and UBSan" ctest_counts ctest_preset asan

suite "Fuzzing" fuzz_counts sh tools/fuzz.sh

echo "== Summary"
cat "$logs/summary"
exit $failed
