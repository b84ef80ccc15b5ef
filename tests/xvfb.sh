# shellcheck shell=sh
# xvfb_pid is for the sourcing script:
# shellcheck disable=SC2034
# Sourced by every script that needs a virtual X server.
#   start_xvfb FOLDER: starts Xvfb on a display it picks itself (so that
#   parallel runs never collide), exports DISPLAY and sets xvfb_pid; the
#   display number is kept in FOLDER/display. Fails the script when the
#   server has not started within 30 s.
# The server does not reset when its last client leaves (-noreset): by
# default it does, and a clipboard tool started just then, between two runs
# of the program, meets a server in the middle of its reset and fails
# ("Connection reset by peer"), a failure that depends only on timing.
start_xvfb() {
  Xvfb -displayfd 3 -nolisten tcp -noreset 3>"$1/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1500); do
    [ -s "$1/display" ] && break
    sleep 0.02
  done
  [ -s "$1/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
  DISPLAY=":$(cat "$1/display")"
  export DISPLAY
}
