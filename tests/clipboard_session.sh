# shellcheck shell=sh
# The sourcing test sets tool_path, write_clipboard and read_clipboard, and
# reads fail; $write_clipboard and $read_clipboard are commands of several
# words:
# shellcheck disable=SC2154,SC2034,SC2086
# Sourced by the tests that run the program against a real clipboard.
# Sets up a scratch folder with the program and its data file, starts a
# virtual X server on a free display, and checks runs against what the
# clipboard then holds and what they print.
#   . clipboard_session.sh PROGRAM DATA_FILE   (after preamble.sh, whose
#   $work it uses)
# Every process the test starts (the X server, the compositor, the tools
# left serving the clipboard, in sessions of their own) holds this entry,
# the test's own folder; at the end, also after a failure or a signal, each
# is ended and waited for.
KORVATEX_TEST_SESSION=$work
export KORVATEX_TEST_SESSION
. "$(dirname "$0")/processes.sh"
trap 'status=$?
  end_marked "KORVATEX_TEST_SESSION=$work" || { echo "FAIL: processes of the test still run"; status=1; }
  rm -rf "$work"
  exit $status' EXIT
trap 'exit 1' HUP INT TERM
cp "$1" "$work/korvatex"
cp "$2" "$work/KORVATEX.CSV"
tab=$(printf '\t')
version=$(sh "$(dirname "$0")/../tools/version.sh")  # the sourcing test lies in tests/
cr=$(printf '\r')
fail=0

. "$(dirname "$0")/xvfb.sh"
# korvatex ARGS...: the program with the clipboard tool found on
# PATH=$tool_path.
korvatex() {
  env -u KORVATEX_CLIPBOARD PATH="$tool_path" LANG=C.UTF-8 "$work/korvatex" "$@"
}

# check NAME ARGS STATUS CLIPBOARD: runs the program, then compares its
# status, what $read_clipboard gives, and its standard output, which shows
# the same. "precious" is on the clipboard before every run.
check() {
  printf precious | $write_clipboard
  read_within precious
  korvatex $2 >"$work/stdout" 2>"$work/stderr"
  status=$?
  read_within "$4"
  case "$actual" in *"$cr"*) actual="$actual (with CR)" ;; esac
  if [ "$status" != "$3" ] || [ "$actual" != "$4" ] || [ "$(cat "$work/stdout")" != "$4" ]; then
    echo "FAIL: $1: korvatex $2: status $status (want $3), clipboard '$actual' (want '$4')," \
         "standard output '$(cat "$work/stdout")'"
    cat "$work/stderr"
    fail=1
  else
    echo "ok: $1: korvatex $2"
  fi
}

# read_within TEXT: reads the clipboard into $actual until it holds TEXT,
# for at most 3 s. The tools return before the process they fork to serve
# the clipboard has taken it over, so it may hold the old text a moment.
read_within() {
  for _ in $(seq 150); do
    actual=$($read_clipboard 2>/dev/null)
    [ "$actual" = "$1" ] && return
    sleep 0.02
  done
}

# check_common NAME: the runs every clipboard tool must pass.
check_common() {
  check "$1" "/W CuSO4.5H2O 2" 0 "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71"
  check "$1" "Xx" 5 ""  # every run leaves the clipboard empty unless it puts a result there
  check "$1" "/W H2O 9" 11 ""
  check "$1" "Fe" 0 "$(LANG=C.UTF-8 KORVATEX_CLIPBOARD=true "$work/korvatex" Fe)"
  water="化学式：H2O${tab}分子量・式量＝ 18.02"
  # In a terminal that then closes (script ends when the program does): the
  # hang-up that the end of the terminal's session sends must not reach the
  # tool that serves the clipboard.
  printf precious | $write_clipboard
  read_within precious
  script -qec "env -u KORVATEX_CLIPBOARD PATH='$tool_path' LANG=C.UTF-8 '$work/korvatex' /W H2O 2" \
    /dev/null >/dev/null 2>&1 </dev/null
  sleep 0.1  # for the hang-up to take effect
  read_within "$water"
  if [ "$actual" = "$water" ]; then echo "ok: $1: the terminal closed"; else
    echo "FAIL: $1: after the terminal closed the clipboard holds '$actual'"
    fail=1
  fi
  # In a pipe: the result comes through, and the pipe ends with the program
  # (no tool left serving holds it open).
  piped=$(korvatex /W H2O 2 2>&1 | timeout 5 cat; echo "end $?")
  if [ "$piped" = "$water
end 0" ]; then echo "ok: $1: a pipe"; else
    echo "FAIL: $1: korvatex /W H2O 2 | cat gave '$piped'"
    fail=1
  fi
}

# check_tool_words NAME ENV...: with the session broken by the assignments,
# the tool's own words reach standard error before the message, code 8.
check_tool_words() {
  name=$1
  shift
  env -u KORVATEX_CLIPBOARD PATH="$tool_path" LANG=C.UTF-8 "$@" "$work/korvatex" Fe 2>"$work/stderr"
  status=$?
  if [ "$status" = 8 ] && [ "$(wc -l <"$work/stderr")" -ge 2 ] &&
     [ "$(tail -n 1 "$work/stderr")" = "元素データ表示 Ver.$version: クリップボードが使えません。" ]; then
    echo "ok: $name: the tool's words are shown"
  else
    echo "FAIL: $name: status $status (want 8), standard error:"
    cat "$work/stderr"
    fail=1
  fi
}

# A folder holding only the named tools, for PATH.
tools_only() {
  folder="$work/bin-$1"
  mkdir -p "$folder"
  for tool in "$@"; do ln -sf "$(command -v "$tool")" "$folder/$tool"; done
  echo "$folder"
}
