#!/bin/sh
# The quick checks, the first row of tools/test.sh ("Checks"), and worth a
# run before every commit (about a minute with the build, seconds without):
#   format    the C++ of src/, tests/, fuzz/ and bench/ is as .clang-format
#             (clang-format 14, Debian 12's) writes it
#   shell     every shell script of the repository passes shellcheck
#             (.shellcheckrc)
#   layers    no include in src/ runs upward (cmake/check_includes.cmake)
#   build     the default preset builds with warnings as errors
#             (KORVATEX_WARNINGS_AS_ERRORS, which every preset sets)
# Prints one row per check, "ok ..." or "FAIL ...", with what it found.
# Without --build the build is left out. Fails when a check fails; a check
# whose tool is missing fails under CI=true and is skipped elsewhere (exit
# 77 when nothing failed). sh tools/install-packages.sh --tests installs
# the tools.
#   sh tools/checks.sh [--build]
set -u
cd "$(dirname "$0")/.." || exit 1
build=false
if [ "${1:-}" = --build ]; then build=true; fi
failed=0 skipped=0

# verdict NAME STATUS OUTPUT: the row of a check, and the first lines of
# what it found when it failed.
verdict() {
  if [ "$2" = 0 ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1"
    printf '%s\n' "$3" | head -n 40
    failed=1
  fi
}

# have NAME TOOL...: true when one of the tools is installed (set in $tool);
# else the check fails under CI and is skipped elsewhere.
have() {
  name=$1
  shift
  for tool in "$@"; do
    if command -v "$tool" >/dev/null 2>&1; then return 0; fi
  done
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $name: $1 is not installed (sh tools/install-packages.sh --tests)"
    failed=1
  else
    echo "skipped: $name: $1 is not installed (sh tools/install-packages.sh --tests)"
    skipped=1
  fi
  return 1
}

if have format clang-format-14 clang-format; then
  output=$(find src tests fuzz bench -name '*.cc' -o -name '*.h' | sort |
    xargs "$tool" --dry-run --Werror 2>&1)
  status=$?
  verdict "format ($("$tool" --version | sed -n 's/.*version \([0-9.]*\).*/\1/p'))" $status "$output"
fi

if have shell shellcheck; then
  output=$({ find tools tests cmake bench packaging -name '*.sh'; echo .ci/run; } | sort |
    xargs shellcheck -f gcc 2>&1)
  verdict shell $? "$output"
fi

output=$(cmake -DSOURCE_DIR=src -P cmake/check_includes.cmake 2>&1)
verdict layers $? "$output"

if $build; then
  jobs=$(nproc 2>/dev/null || echo 2)
  output=$({ cmake --preset default && cmake --build --preset default -j"$jobs"; } 2>&1)
  status=$?
  verdict "build (default preset, warnings as errors)" $status \
    "$(printf '%s\n' "$output" | grep -E -A3 'error|warning' || printf '%s\n' "$output" | tail -n 20)"
fi

if [ "$failed" = 1 ]; then exit 1; fi
if [ "$skipped" = 1 ]; then exit 77; fi
exit 0
