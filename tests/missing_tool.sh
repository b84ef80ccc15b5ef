# shellcheck shell=sh
# Sourced by the shell tests that need a tool beyond the build's own.
# missing_tool WHAT HOW_TO_INSTALL: run by hand, the test is skipped (exit
# 77, which CTest counts as skipped) with a line that says so; under CI
# (CI=true) a missing tool fails the test, so no suite passes unrun.
missing_tool() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $1 is not installed ($2), and under CI every suite must run"
    exit 1
  fi
  echo "SKIPPED: $1 is not installed ($2)"
  exit 77
}
