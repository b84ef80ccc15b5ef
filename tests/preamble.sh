# shellcheck shell=sh
# Sourced first by every shell test: what each needs before its checks.
#   $work          a scratch folder, removed when the test ends, however it
#                  ends (a test with more to end sets its own EXIT trap, and
#                  removes $work there too)
#   fail TEXT      prints "FAIL: TEXT" and marks the test failed; the checks
#                  go on
#   finish WHAT    ends the test: "ok: WHAT" and status 0 when no check
#                  failed, else status 1
#   missing_tool WHAT HOW_TO_INSTALL
#                  run by hand, the test is skipped (exit 77, which CTest
#                  counts as skipped) with a line that says so; under CI
#                  (CI=true) a missing tool fails the test, so no suite
#                  passes unrun
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
finish() {
  [ "$failed" = 0 ] && echo "ok: $1"
  exit "$failed"
}
missing_tool() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $1 is not installed ($2), and under CI every suite must run"
    exit 1
  fi
  echo "SKIPPED: $1 is not installed ($2)"
  exit 77
}
