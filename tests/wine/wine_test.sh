#!/bin/sh
# Runs the cross-built korvatex.exe under Wine, in a fresh prefix, and
# checks byte for byte in CP932 what reaches the Windows clipboard, also
# beside a program that holds the clipboard after every change, from
# folders named in any script and with settings files in CP932 and UTF-8,
# and the exit status of every result code; warning boxes as the user
# reads them, under the Japanese code page and code page 1252, on a
# virtual X server; and every Windows example of the manual, run through
# cmd as a batch file, with the clipboard, the boxes and what it prints as
# the manual shows them.
# Usage: wine_test.sh BUILD_WIN_DIR
# Needs wine, Xvfb and the ja_JP.UTF-8 locale (see ../preamble.sh).
set -u
build=$(cd "$1" && pwd)
. "$(dirname "$0")/../preamble.sh"
for tool in wine iconv; do
  command -v "$tool" >/dev/null 2>&1 || missing_tool "$tool" "apt-get install wine wine64"
done
command -v Xvfb >/dev/null 2>&1 || missing_tool Xvfb "apt-get install xvfb"
xvfb_pid=
trap 'wineserver -k 2>/dev/null; [ -z "$xvfb_pid" ] || kill "$xvfb_pid"; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8
# Wine takes its ANSI code page from the locale: 932 needs ja_JP.UTF-8.
locale -a 2>/dev/null | grep -qi '^ja_JP.utf-\?8$' ||
  missing_tool "the ja_JP.UTF-8 locale" "localedef -i ja_JP -f UTF-8 ja_JP.UTF-8"
wineboot -i >/dev/null 2>&1

app="$work/app"
mkdir -p "$app" "$work/nodata" "$work/wide"
cp "$build/korvatex.exe" "$build/clipboard_tool.exe" "$app/"
cp "$build/korvatex.exe" "$work/nodata/"
cp "$build/korvatex.exe" "$work/wide/"
to_cp932() { iconv -f UTF-8 -t CP932; }

# The data file with the mercury line of the worked example on line 81.
fixtures=$(cd "$(dirname "$0")/../fixtures" && pwd)
mercury=$(cat "$fixtures/mercury.csv")
printf '%s\r\n' "$mercury" | to_cp932 > "$work/hg.line"
awk -v hg="$(cat "$work/hg.line")" 'NR == 81 { print hg; next } { print }' \
  "$build/KORVATEX.CSV" > "$app/KORVATEX.CSV"
{ printf 'T'; printf ',%.0s' $(seq 30); printf '\r\n1\r\n'; } > "$work/wide/KORVATEX.CSV"
for dir in empty titleonly nohg short nonumbers; do
  mkdir -p "$work/$dir"
  cp "$build/korvatex.exe" "$work/$dir/"
done
: > "$work/empty/KORVATEX.CSV"
head -n 1 "$build/KORVATEX.CSV" > "$work/titleonly/KORVATEX.CSV"
# Line 9 with nothing after "=": the data file beside the program stays.
printf '1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\nDataFile=\r\n' > "$work/nohg/KORVATEX.INI"
sed '81d' "$build/KORVATEX.CSV" > "$work/nohg/KORVATEX.CSV"
head -n 101 "$build/KORVATEX.CSV" > "$work/short/KORVATEX.CSV"
sed '2,$s/^[0-9]*,/x,/' "$build/KORVATEX.CSV" > "$work/nonumbers/KORVATEX.CSV"
# Two folders of 60 double-byte characters each, 240 CP932 bytes, in a
# path longer than 260 bytes; a second one a byte longer, so that one of the
# two has a double-byte character across the 260th byte.
folder=$(printf '元素表%.0s' $(seq 20))
for deep in "$work/$folder/$folder" "$work/x$folder/$folder"; do
  mkdir -p "$deep"
  cp "$build/korvatex.exe" "$build/KORVATEX.CSV" "$deep/"
done

fail=0
report() {  # report OK|FAIL TEXT
  printf '%s: %s\n' "$1" "$2"
  [ "$1" = ok ] || fail=1
}
# Runs PROGRAM under Wine in DIR, its output dropped, and returns its exit
# status. Neither program ends with 1, but korvatex.exe for "/?": any other
# run that ends with 1 was ended by Wine failing to start or end it (seen
# once in some thousand runs), not by the program. It is run once more, and
# what Wine said is shown at the end. A second 1 stands.
run_in() {  # run_in DIR PROGRAM ARGS...
  run_dir=$1; shift
  said=$(mktemp "$work/said.XXXXXX")
  for try in 1 2; do
    (cd "$run_dir" && wine "$@" >/dev/null 2>"$said"); run_status=$?
    [ "$run_status" = 1 ] && [ "${2:-}" != "/?" ] && [ "$try" = 1 ] || break
    printf '%s: Wine ended it with 1 (%s), run again\n' "$*" \
      "$(tr '\n' ' ' < "$said")" >> "$work/wine.said"
  done
  rm -f "$said"
  return "$run_status"
}
clipboard() { run_in "$app" clipboard_tool.exe read "$work/clip" && cat "$work/clip"; }
status_of() {  # status_of DIR ARGS...
  dir=$1; shift
  run_in "$dir" korvatex.exe "$@"; echo $?
}
expect_clipboard() {  # expect_clipboard WHAT EXPECTED_UTF8
  printf '%s' "$2" | to_cp932 > "$work/want"
  if clipboard > "$work/got" && cmp -s "$work/got" "$work/want"; then report ok "$1"
  else report FAIL "$1: clipboard was '$(iconv -f CP932 -t UTF-8 < "$work/got")'"; fi
}
# The CF_UNICODETEXT beside it: the same text in UTF-16LE, under the
# Japanese locale 0411.
expect_unicode() {  # expect_unicode WHAT EXPECTED_UTF8
  printf '%s' "$2" | iconv -f UTF-8 -t UTF-16LE > "$work/want"
  locale_id=$(cd "$app" && wine clipboard_tool.exe unicode "$work/got" | tr -d '\r')
  if [ "$locale_id" = 0411 ] && cmp -s "$work/got" "$work/want"; then report ok "$1 (Unicode)"
  else report FAIL "$1: locale $locale_id, Unicode text '$(iconv -f UTF-16LE -t UTF-8 < "$work/got")'"; fi
}
expect_status() {  # expect_status CODE DIR ARGS...
  want=$1; shift
  got=$(status_of "$@")
  if [ "$got" = "$want" ]; then report ok "exit $want: $*"; else report FAIL "exit $got, want $want: $*"; fi
}

# The element report for mercury, byte for byte: sed ends each line with
# CR LF; the command substitution drops only the last LF, put back after it.
status_of "$app" Hg >/dev/null
hg_report="$(sed 's/$/\r/' "$fixtures/mercury-report.txt")
"
expect_clipboard "report for Hg" "$hg_report"
expect_unicode "report for Hg" "$hg_report"
# By name, its CP932 argument compared with the data file's CP932 names.
for name in 水銀 すいぎん スイギン mercury; do
  status_of "$app" "$name" >/dev/null
  expect_clipboard "report for $name" "$hg_report"
done
tab=$(printf '\t')
status_of "$app" /W CuSO4.5H2O 2 >/dev/null
expect_clipboard "formula weight line" "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71"
# Under an English code page as well: the Unicode text is decoded from
# code page 932, not from the code page of the user's settings.
(cd "$app" && LANG=C.UTF-8 wine korvatex.exe /W CuSO4.5H2O 2 >/dev/null 2>&1)
expect_clipboard "formula weight, English code page" "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71"
expect_unicode "formula weight, English code page" "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71"
status_of "$app" /W ＣｕＳＯ４・５Ｈ２Ｏ ２ >/dev/null
expect_clipboard "full-width arguments" "化学式：CuSO4･5H2O${tab}分子量・式量＝ 249.71"
nested="$(printf '(%.0s' $(seq 30))H2O$(printf ')%.0s' $(seq 30))"
status_of "$app" /W "$nested" 3 >/dev/null
expect_clipboard "30 levels of nesting" "化学式：${nested}${tab}分子量・式量＝ 18.015"

# Command lines exactly as another program would pass them.
run_line() {  # run_line RAW_LINE
  printf '%s' "$1" | to_cp932 > "$app/line.txt"
  (cd "$app" && wine clipboard_tool.exe run line.txt >/dev/null 2>&1); echo $?
}
check_line() {  # check_line RAW_LINE EXPECTED_STATUS EXPECTED_CLIPBOARD
  got=$(run_line "$1")
  if [ "$got" != "$2" ]; then report FAIL "exit $got, want $2: $1"; return; fi
  expect_clipboard "command line: $1" "$3"
}
check_line 'korvatex.exe /W "Ca(OH)2" 2' 0 "化学式：Ca(OH)2${tab}分子量・式量＝ 74.10"
check_line '"korvatex.exe"/W C"a(OH)"2 2' 0 "化学式：Ca(OH)2${tab}分子量・式量＝ 74.10"
check_line 'korvatex.exe   /w	"Ca (OH)2"' 9 ""
check_line 'korvatex.exe /W H2O 2 ""' 3 ""
check_line 'korvatex.exe \"Fe' 5 ""
check_line 'korvatex.exe /W H\2O 3' 9 ""
check_line 'korvatex.exe /W "Ｃａ（ＯＨ）２" ２' 0 "化学式：Ca(OH)2${tab}分子量・式量＝ 74.10"
check_line 'korvatex.exe "表" /W' 3 ""  # the trail byte 0x5C of 表 does not escape the quote

# Folders named in any script, each with the program and its data file:
# a Latin letter and a character outside the Basic Multilingual Plane (𠮷,
# in family names), neither of them in CP932; Hangul whose UTF-8 bytes,
# read as CP932, would pair the last one with the backslash after it; and
# a Japanese folder under code page 1252, an English system.
h2o="化学式：H2O${tab}分子量・式量＝ 18.02"
while IFS='|' read -r lang name; do
  mkdir -p "$work/$name"
  cp "$build/korvatex.exe" "$app/KORVATEX.CSV" "$work/$name/"
  got=$(cd "$work/$name" && LANG=$lang wine korvatex.exe /W H2O 2 >/dev/null 2>&1; echo $?)
  if [ "$got" = 0 ]; then expect_clipboard "a folder named $name, $lang" "$h2o"
  else report FAIL "a folder named $name, $lang: exit $got"; fi
done <<FOLDERS
ja_JP.UTF-8|Müller
ja_JP.UTF-8|𠮷野家
ja_JP.UTF-8|자료
C.UTF-8|元素データ
FOLDERS

# Settings files as other software saves them: UTF-8 as Notepad does,
# without and with a byte order mark, CP932, also under code page 1252, and
# UTF-16. Line 4 gives 3 decimal places, line 9 a data file in a Japanese
# folder, in CP932 or as a spreadsheet saves "CSV UTF-8", by its full path
# or relative to the settings file; there is none beside the program, and
# the program is started from another folder.
windows_path() { printf 'Z:%s' "$1" | tr / '\134'; }  # \134: the backslash
mkdir -p "$work/設定" "$work/共有データ"
cp "$build/korvatex.exe" "$work/設定/"
cp "$app/KORVATEX.CSV" "$work/共有データ/元素表.csv"
{ printf '\357\273\277'; iconv -f CP932 -t UTF-8 "$app/KORVATEX.CSV"; } > "$work/共有データ/utf8.csv"
shared=$(windows_path "$work/共有データ/元素表.csv")
while IFS='|' read -r lang encoding data; do
  { case $encoding in "UTF-8 BOM") printf '\357\273\277' ;; UTF-16LE) printf '\377\376' ;; esac
    printf '%s\r\n' '[元素データ表示]' 'a=1' 'b=2' '桁数=3' 'c=' 'd=' 'e=' 'f=' "データ=$data" |
      case $encoding in CP932) to_cp932 ;; UTF-16LE) iconv -f UTF-8 -t UTF-16LE ;; *) cat ;; esac
  } > "$work/設定/KORVATEX.INI"
  got=$(cd "$work" && LANG=$lang wine 設定/korvatex.exe /W H2O >/dev/null 2>&1; echo $?)
  if [ "$got" = 0 ]; then expect_clipboard "settings in $encoding, $lang, $data" "化学式：H2O${tab}分子量・式量＝ 18.015"
  else report FAIL "settings in $encoding, $lang, $data: exit $got"; fi
done <<SETTINGS
ja_JP.UTF-8|UTF-8|$shared
ja_JP.UTF-8|UTF-8 BOM|$shared
ja_JP.UTF-8|CP932|$shared
C.UTF-8|CP932|$shared
ja_JP.UTF-8|UTF-16LE|$(windows_path "$work/共有データ/utf8.csv")
ja_JP.UTF-8|CP932|..\\共有データ\\元素表.csv
SETTINGS

# Every result code as the exit status.
expect_status 0 "$app" Fe
# Folder paths of more than 255 CP932 bytes: the program still finds its
# data file beside it.
expect_status 0 "$work/$folder/$folder" Fe
expect_status 0 "$work/x$folder/$folder" Fe
expect_status 1 "$app" /?
expect_status 2 "$app"
expect_status 3 "$app" /X
expect_status 4 "$work/nodata" Fe
expect_status 4 "$work/nodata" 鉄
expect_status 4 "$work/empty" 鉄
expect_status 4 "$work/titleonly" Fe
expect_status 5 "$work/nodata" Xx
# An edited data file: mercury's line deleted; numbered lines that stop at
# fermium; no line numbered at all, where position alone tells.
expect_status 4 "$work/nohg" Hg
expect_status 4 "$work/nohg" 80
expect_status 0 "$work/nohg" Tl
expect_status 4 "$work/short" 105
expect_status 0 "$work/short" 100
expect_status 0 "$work/nonumbers" 3
if clipboard | iconv -f CP932 -t UTF-8 | grep -q '^元素記号 : Li'; then report ok "by position: 3 is Li"
else report FAIL "by position: 3 is not Li"; fi
expect_status 5 "$app" Xx
expect_status 6 "$app" 0
expect_status 7 "$work/wide" 1
# Code 8: another program holds the clipboard open, longer than the two
# seconds the program tries for.
(cd "$app" && wine clipboard_tool.exe hold held released >/dev/null 2>&1) &
holder=$!
for _ in $(seq 300); do [ -e "$app/held" ] && break; sleep 0.1; done
# While it tries, it answers what other programs send its window: one that
# empties the clipboard waits, holding it, for an answer from the previous
# owner, and two runs at once would otherwise wait for each other.
(cd "$app" && wine clipboard_tool.exe ask > "$work/answered" 2>/dev/null) &
asker=$!
started=$(date +%s%N)
expect_status 8 "$app" Fe
tried_ms=$(( ($(date +%s%N) - started) / 1000000 ))
if [ "$tried_ms" -ge 1900 ] && [ "$tried_ms" -lt 6000 ]; then report ok "code 8 after $tried_ms ms of tries"
else report FAIL "code 8 after $tried_ms ms, want about two seconds of tries"; fi
wait $asker
answered=$(tr -d '\r' < "$work/answered")
case $answered in
[0-9] | [0-9][0-9] | [0-9][0-9][0-9]) report ok "answered a message while trying, in $answered ms" ;;
*) report FAIL "answered a message while trying: '$answered', want under a second" ;;
esac
touch "$app/released"
wait $holder

# A program that opens the clipboard for a moment after every change, as
# clipboard histories and remote-desktop clipboards do: no result is lost,
# one run after another or six at once.
(cd "$app" && wine clipboard_tool.exe watch watching unwatch > "$work/watched" 2>/dev/null) &
watcher=$!
for _ in $(seq 300); do [ -e "$app/watching" ] && break; sleep 0.1; done
printf '%s' "化学式：H2O${tab}分子量・式量＝ 18.02" | to_cp932 > "$work/want"
lost=
started=$(date +%s%N)
for run in $(seq 100); do
  status=$(status_of "$app" /W H2O 2)
  if [ "$status" != 0 ]; then lost="$lost run $run exit $status;"
  else
    clipboard > "$work/got"
    read_status=$?
    cmp -s "$work/got" "$work/want" ||
      lost="$lost run $run read back '$(iconv -f CP932 -t UTF-8 < "$work/got")' ($read_status);"
  fi
done
took_ms=$(( ($(date +%s%N) - started) / 1000000 ))
if [ -z "$lost" ]; then report ok "100 runs beside a clipboard watcher, none lost ($took_ms ms)"
else report FAIL "100 runs beside a clipboard watcher:$lost"; fi
lost=
for round in 1 2 3 4 5; do
  runs=
  for run in 1 2 3 4 5 6; do
    status_of "$app" /W H2O 2 > "$work/status.$run" &
    runs="$runs $!"
  done
  # shellcheck disable=SC2086 # one word for each run
  wait $runs
  for run in 1 2 3 4 5 6; do
    status=$(cat "$work/status.$run")
    [ "$status" = 0 ] || lost="$lost round $round run $run exit $status;"
  done
  clipboard > "$work/got"
  read_status=$?
  cmp -s "$work/got" "$work/want" ||
    lost="$lost round $round read back '$(iconv -f CP932 -t UTF-8 < "$work/got")' ($read_status);"
done
if [ -z "$lost" ]; then report ok "6 runs at once, 5 rounds, beside the watcher, none lost"
else report FAIL "6 runs at once, 5 rounds, beside the watcher:$lost"; fi
touch "$app/unwatch"
wait $watcher
# Unless the watcher held the clipboard after most changes, the runs above
# prove nothing.
held=$(tr -d '\r' < "$work/watched")
if [ "${held:-0}" -ge 100 ]; then report ok "the watcher held the clipboard $held times"
else report FAIL "the watcher held the clipboard only '${held}' times"; fi
expect_status 9 "$app" /W h2o
expect_status 10 "$app" /W H2O 7
expect_status 11 "$app" /W H2O 8
expect_status 12 "$app" /W Li2O 2
expect_status 13 "$app" /W TcO2 0

# The help file: missing, a warning box under the title names it, and the
# exit status stays 1; opened, no box (the run ends by itself). Only these
# runs have a display: without one a message box is not shown at all. The
# Wine session started without one ends first, as its desktop would have
# none.
wineserver -k 2>/dev/null; wineserver -w
. "$(dirname "$0")/../xvfb.sh"
start_xvfb "$work"
# Every box is read back as UTF-16, as the user reads it: under the
# Japanese code page and under code page 1252 (an English system, which
# Wine takes from the locale of each process) alike.
expect_box() {  # expect_box WHAT LANG DIR STATUS CAPTION TEXT ARGS...
  what=$1 lang=$2 dir=$3 want_status=$4
  want_box="$5
$6"
  shift 6
  rm -f "$work/box"
  (cd "$dir" && LANG=$lang timeout 60 wine korvatex.exe "$@" \
     >/dev/null 2>&1; echo $? > "$work/box-status") &
  run=$!
  (cd "$app" && wine clipboard_tool.exe box "$work/box" >/dev/null 2>&1)
  wait $run
  got_box=$(iconv -f UTF-16LE -t UTF-8 "$work/box" 2>/dev/null)
  if [ "$(cat "$work/box-status")" = "$want_status" ] && [ "$got_box" = "$want_box" ]; then
    report ok "$what: the warning box"
  else
    report FAIL "$what: exit $(cat "$work/box-status"), box '$got_box'"
  fi
}
title="元素データ表示 Ver.$(sh "$(dirname "$0")/../../tools/version.sh")"
help_missing="ヘルプファイル \"$(windows_path "$work/nodata/KORVATEX.CHM")\" を開けません。"
# A folder whose name CP932 cannot hold whole: the message names it with
# "?" for each such character.
mkdir -p "$work/表ü𠮷"
cp "$build/korvatex.exe" "$work/表ü𠮷/"
outside=$(windows_path "$work/表??")
while IFS='|' read -r what lang dir want_status caption text args; do
  # shellcheck disable=SC2086 # the arguments are split at blanks on purpose
  expect_box "$what" "$lang" "$dir" "$want_status" "$caption" "$text" $args < /dev/null
done <<BOXES
help file missing|ja_JP.UTF-8|$work/nodata|1|$title|$help_missing|/?
help file missing, folder outside CP932, code page 1252|C.UTF-8|$work/表ü𠮷|1|$title|ヘルプファイル "$outside\KORVATEX.CHM" を開けません。|/?
no arguments, code page 1252|C.UTF-8|$app|2|$title|パラメータが足りません。|
digits out of range, code page 1252|C.UTF-8|$app|11|分子量・式量計算|小数点以下の桁数は、０から７までです。|/W H2O 9
data file missing, folder outside CP932, code page 1252|C.UTF-8|$work/表ü𠮷|4|$title|データファイル "$outside\KORVATEX.CSV" がありません。|Fe
BOXES
# The manual's Windows examples ("> " blocks of its source, messages filled
# in from the catalogue), each as a CP932 batch file with CR LF line ends,
# run by cmd in a fresh folder that holds what the ZIP holds. After each
# korvatex.exe command the batch reads the clipboard into N.clip, keeping
# the result code; a watcher answers the boxes, each into N.box. What the
# batch prints is what the other commands print.
examples="$work/examples"
root=$(cd "$(dirname "$0")/../.." && pwd)
awk -f "$root/doc/manual/expand.awk" "$root/src/text/texts.txt" "$root/doc/manual/korvatex.ja.md" |
  sed "s/@PROJECT_VERSION@/$(sh "$root/tools/version.sh")/g" |
  awk -v dir="$examples" '
    /^```/ { if (inside) inside = 0; else { inside = 1; first = 1 }; next }
    !inside { next }
    first {
      first = 0
      if ($0 !~ /^> /) { inside = 0; next }
      b++; n = 0; out = dir "/" b; system("mkdir -p " out)
      print FNR > (out "/line"); close(out "/line")
      print "@echo off" > (out "/batch"); printf "" > (out "/console.want")
    }
    /^> / {
      command = substr($0, 3); print command > (out "/batch")
      if (command ~ /korvatex\.exe/) {
        n++; print "@clipboard_tool.exe read " n ".clip %ERRORLEVEL%" > (out "/batch")
        print command > (out "/" n ".command"); close(out "/" n ".command")
        file = ""
      } else file = out "/console.want"
      next
    }
    /^クリップボード：$/ { file = out "/" n ".clip.want"; printf "" > file; next }
    /^メッセージボックス「.*」：$/ {
      file = out "/" n ".box.want"; caption = $0
      sub(/^メッセージボックス「/, "", caption); sub(/」：$/, "", caption)
      print caption > file; next
    }
    file != "" { print > file }
  '
# match_lines WANT GOT: GOT has the lines of WANT, where a line "…" stands
# for any lines.
match_lines() {
  if [ ! -s "$1" ]; then [ ! -s "$2" ]; return; fi
  awk 'FNR == NR { want[++wanted] = $0; next } { got[++had] = $0 }
    function matches(i, j,  k) {
      if (i > wanted) return j > had
      if (want[i] == "…") { for (k = j; k <= had + 1; k++) if (matches(i + 1, k)) return 1; return 0 }
      return j <= had && want[i] == got[j] && matches(i + 1, j + 1)
    }
    END { exit !matches(1, 1) }' "$1" "$2"
}
ran=0
for example in "$examples"/*; do
  [ -f "$example/batch" ] || continue
  ran=$((ran + 1))
  where="the manual's Windows example at line $(cat "$example/line")"
  sed 's/$/\r/' "$example/batch" | to_cp932 > "$example/example.bat"
  cp "$build/korvatex.exe" "$build/KORVATEX.CSV" "$build/KORVATEX.CHM" "$build/clipboard_tool.exe" "$example/"
  (cd "$example" && wine clipboard_tool.exe boxes stop >/dev/null 2>&1) &
  watcher=$!
  # Into a file: a pipe would stay open as long as the help viewer that
  # "/?" opens, which inherits it.
  (cd "$example" && timeout 120 wine cmd /c example.bat > console.cp932 2>&1)
  iconv -f CP932 -t UTF-8 "$example/console.cp932" | tr -d '\r' > "$example/console"
  touch "$example/stop"
  wait $watcher
  if match_lines "$example/console.want" "$example/console"; then report ok "$where: what cmd prints"
  else report FAIL "$where: cmd prints '$(cat "$example/console")', not '$(cat "$example/console.want")'"; fi
  n=1
  while [ -f "$example/$n.command" ]; do
    command=$(cat "$example/$n.command")
    [ -f "$example/$n.clip.want" ] || : > "$example/$n.clip.want"
    # Line by line, so without a last line end.
    iconv -f CP932 -t UTF-8 "$example/$n.clip" 2>/dev/null | tr -d '\r' > "$example/$n.clip.got"
    if match_lines "$example/$n.clip.want" "$example/$n.clip.got"; then report ok "$where: $command: the clipboard"
    else report FAIL "$where: $command: the clipboard holds '$(cat "$example/$n.clip.got")'"; fi
    got_box=$(iconv -f UTF-16LE -t UTF-8 "$example/$n.box" 2>/dev/null)
    if [ "$got_box" = "$(cat "$example/$n.box.want" 2>/dev/null)" ]; then report ok "$where: $command: the box"
    else report FAIL "$where: $command: the box was '$got_box'"; fi
    n=$((n + 1))
  done
done
[ "$ran" -ge 10 ] || report FAIL "only $ran Windows examples were found in the manual"
wineserver -k 2>/dev/null; wineserver -w

# Last, as the help viewer stays open.
# A Japanese folder name: the shell is handed the path decoded from UTF-8.
mkdir -p "$work/ヘルプ"
cp "$build/korvatex.exe" "$build/KORVATEX.CHM" "$work/ヘルプ/"
got=$(cd "$work/ヘルプ" && timeout 60 wine korvatex.exe /? \
        >/dev/null 2>&1; echo $?)
if [ "$got" = 1 ]; then report ok "help file opened, no box"; else report FAIL "help file opened: exit $got"; fi

[ ! -s "$work/wine.said" ] || cat "$work/wine.said"
[ $fail = 0 ] && echo "wine: all checks passed" || echo "wine: some checks FAILED"
exit $fail
