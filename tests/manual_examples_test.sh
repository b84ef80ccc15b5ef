#!/bin/sh
# Runs every example of the manual against the built program and compares
# what it prints. An example is a code block of the manual's source whose
# first line begins with "$ ": each such line is a command, run with sh in
# the example's own fresh folder (also HOME), without a clipboard (no
# DISPLAY or WAYLAND_DISPLAY) in a UTF-8 locale; the lines below it, up to
# the next command, are what it must print on standard output and standard
# error together, and it must end with status 0 (an example that shows a
# result code shows it with "; echo $?"). The messages in what it prints
# are written as the catalogue's texts ({{kName|...}}, expand.awk), so that
# the test checks the program's messages as the catalogue words them. The
# program's folder comes first in PATH, so that "korvatex" is the program
# built. (Windows examples, "> " blocks, are run by tests/wine/wine_test.sh.)
#   manual_examples_test.sh PROGRAM SOURCE...
set -u
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
version=$(sh "$(dirname "$0")/../tools/version.sh")
. "$(dirname "$0")/preamble.sh"
count=0
unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME KORVATEX_CLIPBOARD BROWSER
LC_ALL=C.UTF-8 PATH="$(dirname "$program"):$PATH"
export LC_ALL PATH

manual=$(dirname "$0")/../doc/manual
for source in "$@"; do
  rm -rf "$work/examples"
  mkdir -p "$work/examples"
  awk -f "$manual/expand.awk" "$manual/../../src/text/texts.txt" "$source" > "$work/source" || exit 1
  # examples/B/K.command, K.line and K.expected: command K of example B,
  # the line it stands on, and what it must print.
  awk -v dir="$work/examples" -v version="$version" '
    /^```/ { if (inside) { inside = 0; if (k) close(file) } else { inside = 1; first = 1; k = 0 }; next }
    !inside { next }
    first { first = 0; if ($0 !~ /^\$ /) { inside = 0; next } b++; system("mkdir -p " dir "/" b) }
    { gsub(/@PROJECT_VERSION@/, version) }
    /^\$ / {
      if (k) close(file)
      k++
      prefix = dir "/" b "/" k
      print substr($0, 3) > (prefix ".command"); close(prefix ".command")
      print FNR > (prefix ".line"); close(prefix ".line")
      file = prefix ".expected"; printf "" > file
      next
    }
    { print > file }
  ' "$work/source"
  for example in "$work/examples"/*; do
    [ -d "$example" ] || continue
    home="$work/home"
    rm -rf "$home"
    mkdir -p "$home"
    k=1
    while [ -f "$example/$k.command" ]; do
      count=$((count + 1))
      IFS= read -r command < "$example/$k.command"
      (cd "$home" && HOME="$home" sh -c "$command") > "$work/actual" 2>&1
      status=$?
      if ! cmp -s "$work/actual" "$example/$k.expected" || [ "$status" != 0 ]; then
        echo "FAIL: $source:$(cat "$example/$k.line"): \$ $command (status $status)"
        diff "$example/$k.expected" "$work/actual" | sed 's/^/  /'
        failed=1
      fi
      k=$((k + 1))
    done
  done
done
[ "$count" -gt 0 ] || { echo "FAIL: no example found in $*"; exit 1; }
finish "$count examples"
