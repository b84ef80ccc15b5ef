#!/bin/sh
# The committed documents are what their sources make: tools/make-manual.sh
# makes them again, in a scratch folder, and every one must be the same as
# the committed file. make-manual.sh also fails when the English
# translation does not follow the Japanese source (po4a marks a changed
# paragraph fuzzy, a new one untranslated). Every page of the help is in its
# contents, its index and its project's file list. The Windows readme, read
# in Notepad, has no line that begins with closing Japanese punctuation or
# ends with an opening one (punctuation.txt), and no markup. Needs pandoc,
# po4a and msgfmt (see preamble.sh), of the versions that made the
# committed documents (doc/manual/made-with.txt): another version may write
# them differently, and the test says so and is skipped (fails under CI).
#   manual_test.sh SOURCE_FOLDER
set -u
root="$1"
. "$(dirname "$0")/preamble.sh"
for tool in pandoc po4a msgfmt; do
  command -v "$tool" >/dev/null 2>&1 ||
    missing_tool "$tool" "sh tools/install-packages.sh --tests installs pandoc, po4a and gettext"
done
made_with="pandoc $(pandoc --version | sed -n '1s/^pandoc //p'), po4a $(po4a --version | sed -n '1s/^po4a version \([0-9.]*[0-9]\).*/\1/p')"
if [ "$made_with" != "$(cat "$root/doc/manual/made-with.txt")" ]; then
  echo "The committed documents were made with $(cat "$root/doc/manual/made-with.txt");" \
    "this machine has $made_with, which may write them differently."
  missing_tool "$(cat "$root/doc/manual/made-with.txt")" \
    "the versions doc/manual/made-with.txt names; or run sh tools/make-manual.sh and commit what these make"
fi
if ! sh "$root/tools/make-manual.sh" "$work" > "$work/log" 2>&1; then
  echo "FAIL: the documents cannot be made:"
  sed 's/^/  /' "$work/log"
  exit 1
fi
count=0
for made in "$work"/doc/*.1 "$work"/doc/manual/*.md "$work"/help/*.htm "$work"/help/*.hh? \
  "$work"/packaging/windows/*; do
  name=${made#"$work"/}
  count=$((count + 1))
  if ! cmp -s "$made" "$root/$name"; then
    echo "FAIL: $name is not what its source makes (run sh tools/make-manual.sh):"
    diff "$root/$name" "$made" | head -n 20 | sed 's/^/  /'
    failed=1
  fi
done
# And no page of the help is left over from a section that is gone.
for page in "$root"/help/*.htm; do
  [ -f "$work/help/${page##*/}" ] || fail "help/${page##*/} is made from no section"
done
[ "$count" -ge 15 ] || fail "only $count documents were made"
# Each page is in the contents, the index and the project.
for page in "$work"/help/*.htm; do
  name=${page##*/}
  grep -q "\"Local\" value=\"$name\"" "$work/help/korvatex.hhc" || fail "the contents lack $name"
  grep -q "\"Local\" value=\"${name}[#\"]" "$work/help/korvatex.hhk" || fail "the index leads to no part of $name"
  grep -qx "$name" "$work/help/korvatex.hhp" || fail "the help's project does not list $name"
done
readme=$work/packaging/windows/README-ja.txt.in
marks=$root/doc/manual/punctuation.txt
closing=$(sed -n 's/^closing //p' "$marks")
opening=$(sed -n 's/^opening //p' "$marks")
grep -nE "^ *[$closing]|[$opening]\$|\\^|\\*|_[^ ]+_|\\]\\(#" "$readme" | sed 's/^/  /' > "$work/found"
[ -s "$work/found" ] && fail "the readme has broken lines or markup:" && cat "$work/found"
finish "$count documents are what their sources make"
