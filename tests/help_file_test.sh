#!/bin/sh
# The compiled help file holds every page of help/ as the CP932 form of its
# UTF-8 source, under the Japanese language ID; the result-code page words
# every message as the program does, and the examples are what the built
# program really puts on the clipboard. Needs libchm-bin (see preamble.sh).
#   help_file_test.sh KORVATEX.CHM HELP_SOURCE_FOLDER PROGRAM
set -u
chm="$1"
sources="$2"
program="$3"
. "$(dirname "$0")/preamble.sh"
[ -f "$chm" ] || missing_tool chmcmd "apt-get install fp-utils; the build makes $chm with it"
for tool in enum_chmLib extract_chmLib; do
  command -v "$tool" >/dev/null 2>&1 || missing_tool "$tool" "apt-get install libchm-bin"
done
version=$(sh "$(dirname "$0")/../tools/version.sh")

enum_chmLib "$chm" > "$work/topics" || fail "enum_chmLib cannot read $chm"
extract_chmLib "$chm" "$work/chm" > /dev/null || fail "extract_chmLib cannot extract $chm"
for page in "$sources"/*.htm "$sources"/*.hhc "$sources"/*.hhk; do
  name=${page##*/}
  sed -e "s/@PROJECT_VERSION@/$version/g" -e 's/charset=UTF-8/charset=Shift_JIS/' "$page" > "$work/source"
  grep -q "[[:space:]]/$name\$" "$work/topics" || fail "$name is not in the help file"
  iconv -f CP932 -t UTF-8 "$work/chm/$name" 2>/dev/null |
    cmp -s - "$work/source" ||
    fail "$name in the help file is not the CP932 form of its source"
done
od -An -tx1 "$work/chm/#SYSTEM" | tr -d ' \n' | grep -Eq '^(..)*0400....11040000' ||
  fail "the help file's language is not 0x411 Japanese"

# The help window (the one entry of #WINDOWS: 32-bit little-endian fields
# after an 8-byte header) opens at a set position and size, with the
# navigation pane open, wide enough to read, on the contents tab, and on
# the first page of the contents; the Linux page is in the contents, later.
field() { od -An -tu4 -j $((8 + $1)) -N4 "$work/chm/#WINDOWS" | tr -d ' '; }
string_at() { tail -c +$(($(field "$1") + 1)) "$work/chm/#STRINGS" | tr '\000' '\n' | head -n 1; }
[ "$(field 0x4C)" -ge 160 ] || fail "the navigation pane is $(field 0x4C) pixels wide"
[ $(($(field 0x28) - $(field 0x20))) -ge 640 ] && [ $(($(field 0x2C) - $(field 0x24))) -ge 480 ] ||
  fail "the help window is not given a size of at least 640 by 480"
[ "$(field 0x74)" = 0 ] && [ "$(field 0x78)" = 0 ] ||
  fail "the navigation pane is closed or not on the contents tab"
sed -n 's/.*name="Local" value="\([^"]*\)".*/\1/p' "$work/chm/korvatex.hhc" > "$work/contents"
[ "$(head -n 1 "$work/contents")" = index.htm ] && [ "$(string_at 0x68)" = index.htm ] ||
  fail "the help window does not open on index.htm, the first page of the contents"
grep -qx linux.htm "$work/contents" || fail "the contents do not lead to linux.htm"

has() {  # has PAGE TEXT: the page holds TEXT (UTF-8 here) as CP932 bytes
  needle=$(printf '%s' "$2" | iconv -f UTF-8 -t CP932) &&
    LC_ALL=C grep -qF -- "$needle" "$work/chm/$1" || fail "$1 lacks '$2'"
}
# The messages of codes 2 to 13, as the catalogue holds them (its section
# of messages, up to the first blank line); each %s stands for the part
# the page writes as a placeholder.
awk '/^# The messages/ { on = 1 } on && /^$/ { exit } on && /^k[A-Za-z]+ "/' \
  "$(dirname "$0")/../src/text/texts.txt" | sed 's/^[^"]*"//; s/"$//' > "$work/messages"
[ "$(wc -l < "$work/messages")" -ge 14 ] || fail "the catalogue's messages were not found"
while IFS= read -r message; do
  printf '%s\n' "$message" | sed 's/%s/\n/g' > "$work/pieces"
  while IFS= read -r piece; do [ -z "$piece" ] || has codes.htm "$piece"; done < "$work/pieces"
done < "$work/messages"
for code in 0 1 2 3 4 5 6 7 8 9 10 11 12 13; do has codes.htm "<dt><strong>$code</strong></dt>"; done
has start.htm "<code>korvatex.exe /W 化学式 [桁数]</code>"
has linux.htm "KORVATEX_CLIPBOARD"

# The examples: every line of the program's own output is on the page.
KORVATEX_CLIPBOARD=true LC_ALL=C.UTF-8 "$program" Fe 2>/dev/null | tr -d '\r' > "$work/Fe"
KORVATEX_CLIPBOARD=true LC_ALL=C.UTF-8 "$program" /W CuSO4.5H2O 4 2>/dev/null > "$work/W"
[ "$(wc -l < "$work/Fe")" -gt 15 ] || fail "the program gave no element report"
while IFS= read -r line; do has element.htm "$line"; done < "$work/Fe"
while IFS= read -r line; do has formula.htm "$line"; done < "$work/W"
finish "the help file"
