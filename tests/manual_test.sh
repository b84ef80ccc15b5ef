#!/bin/sh
# The committed documents are what their sources make: tools/make-manual.sh
# makes them again, in a scratch folder, and every one must be the same as
# the committed file. make-manual.sh also fails when the English
# translation does not follow the Japanese source (po4a marks a changed
# paragraph fuzzy, a new one untranslated). Needs pandoc, po4a and msgfmt
# (see preamble.sh).
#   manual_test.sh SOURCE_FOLDER
set -u
root="$1"
. "$(dirname "$0")/preamble.sh"
for tool in pandoc po4a msgfmt; do
  command -v "$tool" >/dev/null 2>&1 ||
    missing_tool "$tool" "sh tools/install-packages.sh --tests installs pandoc, po4a and gettext"
done
if ! sh "$root/tools/make-manual.sh" "$work" > "$work/log" 2>&1; then
  echo "FAIL: the documents cannot be made:"
  sed 's/^/  /' "$work/log"
  exit 1
fi
count=0
for made in "$work"/doc/*.1 "$work"/doc/manual/*.md "$work"/help/*.htm "$work"/packaging/windows/*; do
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
[ "$count" -ge 12 ] || fail "only $count documents were made"
finish "$count documents are what their sources make"
