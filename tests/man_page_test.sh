#!/bin/sh
# The man page renders without a warning, has its sections, and lists every
# result code under EXIT STATUS, and its title line carries the project's
# version. Its Japanese form (LANGUAGE ja) the same, under its Japanese
# headings, with as many entries as the English page beside it. Needs man
# (see missing_tool.sh).
#   man_page_test.sh PAGE [ja]
set -u
page="$1"
language="${2:-en}"
. "$(dirname "$0")/missing_tool.sh"
command -v man >/dev/null 2>&1 || missing_tool man "apt-get install man-db groff-base"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; failed=1; }
failed=0
version=$(sh "$(dirname "$0")/../tools/version.sh")
grep -q "^\.TH KORVATEX 1 \"[0-9-]*\" \"korvatex $version\"" "$page" ||
  fail "the title line does not give version $version"
others=$(sed -n 's/.*korvatex \([0-9][0-9.]*\).*/\1/p' "$page" | grep -vxF "$version")
[ -z "$others" ] || fail "the page names version $others, not $version"

LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" \
  > "$work/text" 2> "$work/warnings"
[ -s "$work/warnings" ] && fail "man warns: $(cat "$work/warnings")"
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
sed -n "/^$4\$/,/^$5\$/p" "$work/text" > "$work/codes"
for code in 0 1 2 3 4 5 6 7 8 9 10 11 12 13; do
  grep -Eq "^ {7}$code +[^ ]" "$work/codes" || fail "$4 lacks code $code"
done
for word in KORVATEX_CLIPBOARD WAYLAND_DISPLAY wl-copy xclip xsel pbcopy \
            KORVATEX.INI KORVATEX.CSV KORVATEX.CHM; do
  sed 's/\\-/-/g' "$page" | grep -qF -- "$word" || fail "the page does not mention $word"
done
# No word is broken across lines, at any width: a name copied from the page
# must work.
for width in 60 70 80; do
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=$width man -E UTF-8 -l "$page" 2>/dev/null |
    grep -E '[[:alnum:]_.]‐$' && fail "a word is hyphenated at width $width"
done
[ "$failed" = 0 ] && echo "ok: the man page"
exit $failed
