# shellcheck shell=sh
# Sourced by the clipboard tests, which end what they started, found by an
# entry NAME=VALUE of its environment, as it was when the process started:
# every program the test starts inherits it (a clipboard tool the program
# leaves serving in a session of its own too), and a process that ended is
# no longer listed (one not yet collected shows no environment).

# marked_pids NAME=VALUE: the process ids, one a line, of the processes
# whose environment holds the entry NAME=VALUE. The caller's shell is not
# among them unless it started with the entry (an entry exported later is
# not in a shell's own environment); grep, the only program this starts,
# runs without NAME.
marked_pids() {
  for _file in $(env -u "${1%%=*}" grep -lsxzF -e "$1" /proc/[0-9]*/environ); do
    _file=${_file#/proc/}
    echo "${_file%/environ}"
  done
}

# end_marked NAME=VALUE: ends every process whose environment holds the
# entry, and waits until none is left: a termination signal first, then,
# for one still running after 2 s, a kill. Fails when one still runs after
# 4 s. The ended ones that were the caller's children are waited for (only
# they: a child without the entry is left to run, for the test launcher to
# name); the others (a tool left serving in a session of its own, adopted
# by the test launcher, or by init outside it) until they have been
# collected too, for at most 3 s, so that none is left in the process
# table.
end_marked() {
  _tries=0 _ended=
  while _pids=$(marked_pids "$1") && [ -n "$_pids" ]; do
    _tries=$((_tries + 1))
    [ "$_tries" -gt 200 ] && return 1
    _signal=TERM
    [ "$_tries" -gt 100 ] && _signal=KILL
    # shellcheck disable=SC2086 # one word a process id
    kill -s "$_signal" $_pids 2>/dev/null
    _ended="$_ended $_pids"
    sleep 0.02
  done
  # shellcheck disable=SC2086 # one word a process id
  [ -z "$_ended" ] || wait $_ended
  for _pid in $_ended; do
    _tries=0
    while [ -e "/proc/$_pid" ] && [ "$_tries" -lt 150 ]; do
      _tries=$((_tries + 1))
      sleep 0.02
    done
  done
  return 0
}
