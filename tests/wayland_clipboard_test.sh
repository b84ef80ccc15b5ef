#!/bin/sh
# The program writes a real Wayland clipboard through wl-copy, with
# KORVATEX_CLIPBOARD unset: on Weston, run with its X11 backend on a
# virtual X server (its headless backend has no seat for wl-copy), under a
# runtime folder and socket of its own. Needs Xvfb, weston, wl-clipboard
# and script (see preamble.sh).
set -u
. "$(dirname "$0")/preamble.sh"
for tool in Xvfb weston wl-copy wl-paste script; do
  command -v "$tool" >/dev/null 2>&1 ||
    missing_tool "$tool" "apt-get install xvfb weston wl-clipboard bsdutils"
done
. "$(dirname "$0")/clipboard_session.sh"
start_xvfb "$work"
XDG_RUNTIME_DIR="$work/runtime"
WAYLAND_DISPLAY="korvatex-test-$$"
export XDG_RUNTIME_DIR WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  >"$work/weston.log" 2>&1 &
for _ in $(seq 1500); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  sleep 0.02
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "FAIL: weston did not start"; cat "$work/weston.log"; exit 1; }

tool_path=$(tools_only wl-copy cat)  # wl-copy reads its input through cat
write_clipboard=wl-copy
read_clipboard="wl-paste --no-newline"
check_common wl-copy
check_tool_words wl-copy WAYLAND_DISPLAY=no-such-wayland-socket
exit $fail
