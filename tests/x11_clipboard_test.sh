#!/bin/sh
# The program writes a real X11 clipboard, with KORVATEX_CLIPBOARD unset, on
# a virtual X server: through xclip, and through xsel where xclip is not
# installed; each also from a terminal that closes, and in a pipe. Needs
# Xvfb, xclip, xsel and script (see preamble.sh).
set -u
. "$(dirname "$0")/preamble.sh"
for tool in Xvfb xclip xsel script; do
  command -v "$tool" >/dev/null 2>&1 || missing_tool "$tool" "apt-get install xvfb xclip xsel bsdutils"
done
. "$(dirname "$0")/clipboard_session.sh"
start_xvfb "$work"
unset WAYLAND_DISPLAY

for tool in xclip xsel; do
  tool_path=$(tools_only "$tool")
  case $tool in
  xclip) write_clipboard="xclip -selection clipboard -i" read_clipboard="xclip -o -selection clipboard" ;;
  xsel) write_clipboard="xsel --clipboard --input" read_clipboard="xsel --clipboard --output" ;;
  esac
  check_common "$tool"
  check_tool_words "$tool" DISPLAY="$DISPLAY.9"
done
exit $fail
