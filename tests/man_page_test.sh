#!/bin/sh
# The man page renders without a warning, has its sections, lists every
# result code under its exit status heading, and its title line carries the
# project's version. Its Japanese form (LANGUAGE ja) the same, under its
# Japanese headings, with as many entries as the English page beside it.
# Both render at 80, 70 and 60 columns adjusted to the left only: no blank
# run inside a sentence, no blank beside Japanese punctuation, no word
# hyphenated or, in katakana, broken, and no command written inline (SOURCE, the manual's source
# in the page's language: its code spans) broken across lines. The English
# page declares its encoding, as preconv reads it. A reference to a part of
# the manual names the page's own section, not a help page. Needs man and
# groff (see preamble.sh).
#   man_page_test.sh PAGE en|ja SOURCE
set -u
page="$1"
language="$2"
source="$3"
. "$(dirname "$0")/preamble.sh"
command -v man >/dev/null 2>&1 || missing_tool man "apt-get install man-db groff-base"
version=$(sh "$(dirname "$0")/../tools/version.sh")
grep -q "^\.TH \"KORVATEX\" \"1\" \"[0-9\\-]*\" \"korvatex $version\"" "$page" ||
  fail "the title line does not give version $version"
others=$(sed -n 's/.*korvatex \([0-9][0-9]*\.[0-9.]*\).*/\1/p' "$page" | grep -vxF "$version")
[ -z "$others" ] || fail "the page names version $others, not $version"
[ "$(head -n 1 "$page")" = '.\" -*- coding: UTF-8 -*-' ] || fail "the first line does not declare UTF-8"
awk '/^\.TH /{ th = 1 } th && /^\.ad l$/{ left = 1 } /^\.ad [^l]/{ other = 1 }
     END { exit !(left && !other) }' "$page" || fail "the page is not adjusted to the left only"

# The Japanese punctuation that no blank stands beside.
marks=$(dirname "$0")/../doc/manual/punctuation.txt
closing=$(sed -n 's/^closing //p' "$marks")
opening=$(sed -n 's/^opening //p' "$marks")
[ -n "$closing" ] && [ -n "$opening" ] || fail "no punctuation in $marks"

render() {  # render WIDTH [PAGE]: the page as man shows it, warnings on standard error
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=$1 man --warnings -E UTF-8 -l "${2:-$page}"
}
render 80 > "$work/text" 2> "$work/warnings"
[ -s "$work/warnings" ] && fail "man warns: $(cat "$work/warnings")"
LC_ALL=C.UTF-8 groff -k -t -man -Tutf8 -ww -z "$page" 2> "$work/warnings"
[ -s "$work/warnings" ] && fail "groff warns: $(cat "$work/warnings")"
if [ "$language" = ja ]; then
  set -- 名前 書式 説明 終了ステータス 環境変数 ファイル 例
  english="$(dirname "$page")/korvatex.1"
  [ "$(grep -c '^\.TP' "$page")" = "$(grep -c '^\.TP' "$english")" ] ||
    fail "the page has not the entries of $english"
else
  set -- NAME SYNOPSIS DESCRIPTION "EXIT STATUS" ENVIRONMENT FILES EXAMPLES
fi
for section in "$@"; do
  grep -q "^$section\$" "$work/text" || fail "no section $section"
done
sed -n "/^$4\$/,/^[^ ]/p" "$work/text" > "$work/codes"
for code in 0 1 2 3 4 5 6 7 8 9 10 11 12 13; do
  grep -Eq "^ {7}$code +[^ ]" "$work/codes" || fail "$4 lacks code $code"
done
for word in KORVATEX_CLIPBOARD WAYLAND_DISPLAY wl-copy xclip xsel \
            KORVATEX.INI KORVATEX.CSV KORVATEX.CHM; do
  sed 's/\\-/-/g' "$page" | grep -qF -- "$word" || fail "the page does not mention $word"
done

# A reference to a part of the manual names the page's own section: a
# help page's title (one that differs from the section's heading) is in
# the text no more often than the source writes it other than as a link.
render 80 2>/dev/null | tr -d ' \n' > "$work/joined"
tr -d ' \n' < "$source" > "$work/source"
count() { grep -oF -- "$1" "$2" | wc -l; }
sed -n 's/^# \(.*\) {#[^}]*man="\([^"]*\)".*/\1|\2/p' "$source" | while IFS='|' read -r title name; do
  [ "$title" != "$name" ] || continue
  bare=$(printf '%s' "$title" | tr -d ' ')
  [ "$(count "$bare" "$work/joined")" -le $(($(count "$bare" "$work/source") - $(count "[$bare](#" "$work/source"))) ] ||
    echo "FAIL: the page refers to the help page \"$title\", not to its section $name"
done > "$work/found"
[ -s "$work/found" ] && cat "$work/found" && failed=1

# The running text: the page without its examples (no-fill blocks, laid
# out as written) and without the tags of its lists (a short tag and its
# text share a line, set apart by blanks).
awk '/^\.nf/{ skip = 1 } /^\.fi/{ skip = 0; next } skip { next }
     tag { tag = 0; next } /^\.TP/{ tag = 1 } { print }' "$page" > "$work/prose.1"
# The commands written inline, each of which must stand on one line (but
# those of divisions the man page does not keep, ::: {only="help"}).
awk '/^::: \{only=/ { skip = $0 !~ /[" ]man[" ]/; next } /^:::$/ { skip = 0; next } !skip' "$source" |
  awk -v RS= -F '`' '/^```|^    / { next }
  { gsub(/\n/, " "); for (i = 2; i <= NF; i += 2) if ($i ~ / /) print $i }' |
  sed "s/@PROJECT_VERSION@/$version/g" | sort -u > "$work/spans"
[ -s "$work/spans" ] || fail "$source has no command written inline"
awk -F '`' '{ for (i = 2; i <= NF; i += 2) print $i }' "$source" | grep -E "[$closing$opening]" > "$work/marks"
for width in 60 70 80; do
  render $width > "$work/text" 2> "$work/warnings"
  [ -s "$work/warnings" ] && fail "man warns at width $width: $(cat "$work/warnings")"
  grep -E '[[:alnum:]_.]‐$' "$work/text" && fail "a word is hyphenated at width $width"
  # Nor is a word written in katakana broken.
  sed 's/^ *//' "$work/text" | awk '{ print previous "|" $0; previous = $0 }' |
    LC_ALL=C.UTF-8 grep -P '[\x{30A1}-\x{30FA}\x{30FC}]\|[\x{30A1}-\x{30FA}\x{30FC}]' > "$work/found"
  [ -s "$work/found" ] && fail "a katakana word is broken at width $width: $(head -n 1 "$work/found")"
  render $width "$work/prose.1" 2>/dev/null | grep -v 'KORVATEX(1)' | sed 's/^ *//' > "$work/prose"
  # Two blanks only after a sentence's end, as groff sets them.
  grep -nE '[^ .?!)"”]  +[^ ]' "$work/prose" | sed 's/^/  /' > "$work/found"
  [ -s "$work/found" ] && fail "blanks inside a sentence at width $width:" && cat "$work/found"
  # A mark written as itself, in a code span (`？`), may stand alone.
  awk 'FNR == NR { span[$0]; next }
       { for (s in span) while ((at = index($0, s)) > 0) $0 = substr($0, 1, at - 1) "x" substr($0, at + length(s)) }
       { print }' "$work/marks" "$work/prose" |
    grep -nE " [$closing]|[$opening] |[$closing] " | sed 's/^/  /' > "$work/found"
  [ -s "$work/found" ] && fail "a blank beside Japanese punctuation at width $width:" && cat "$work/found"
  while IFS= read -r span; do
    grep -qF -- "$span" "$work/text" || fail "'$span' is broken across lines at width $width"
  done < "$work/spans"
done
finish "the man page ($language)"
