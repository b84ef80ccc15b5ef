#!/bin/sh
# The program writes a real X11 clipboard (through xclip, with
# KORVATEX_CLIPBOARD unset) on a virtual X server, and xclip reads back the
# UTF-8 text. Needs Xvfb and xclip (see missing_tool.sh).
set -u
program="$1"
data_file="$2"
. "$(dirname "$0")/missing_tool.sh"
for tool in Xvfb xclip; do
  command -v "$tool" >/dev/null 2>&1 || missing_tool "$tool" "apt-get install xvfb xclip"
done

work=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$program" "$work/korvatex"
cp "$data_file" "$work/KORVATEX.CSV"

display=":$((90 + $$ % 100))"
Xvfb "$display" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
socket="/tmp/.X11-unix/X${display#:}"
for _ in $(seq 100); do
  [ -e "$socket" ] && break
  sleep 0.1
done

fail=0
check() {  # check ARGS EXPECTED_STATUS EXPECTED_CLIPBOARD
  env -u KORVATEX_CLIPBOARD -u WAYLAND_DISPLAY DISPLAY="$display" LANG=C.UTF-8 \
    "$work/korvatex" $1 2>"$work/stderr"
  status=$?
  actual=$(DISPLAY="$display" xclip -o -selection clipboard 2>/dev/null)
  if [ "$status" != "$2" ] || [ "$actual" != "$3" ]; then
    echo "FAIL: korvatex $1: status $status (want $2), clipboard '$actual' (want '$3')"
    cat "$work/stderr"
    fail=1
  else
    echo "ok: korvatex $1"
  fi
}
tab=$(printf '\t')
check "/W CuSO4.5H2O 2" 0 "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71"
check "Xx" 5 ""   # every run empties the clipboard first
check "/W H2O 3" 0 "化学式：H2O${tab}分子量・式量＝ 18.015"
exit $fail
