#!/bin/sh
# Runs two builds of korvatex over the same requests and fails when they
# differ in any byte: exit status, clipboard text, standard output and
# messages. With --clipboard only the exit status and the clipboard text
# count, for builds that are meant to differ in what they print. Each
# program runs from the same folder, beside the same data file, so that
# paths in messages agree; given DATA_FILE_B, program B runs beside that
# one instead (under the same name), to show that two data files, such as
# one file saved in two encodings, read alike.
#   compare_programs.sh [--clipboard] PROGRAM_A PROGRAM_B DATA_FILE [DATA_FILE_B]
set -u
clipboard_only=false
if [ "${1:-}" = --clipboard ]; then clipboard_only=true; shift; fi
program_a="$1"
program_b="$2"
data_file="$3"
data_file_b="${4:-$3}"
# Without the data file both programs fail alike, and would compare equal.
for file in "$data_file" "$data_file_b"; do
  [ -f "$file" ] || { echo "compare_programs.sh: no data file $file" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"

# One request a line; the words of a line are the arguments.
{
  echo ""
  echo "/X"
  for z in $(seq 0 112); do echo "$z"; done
  for symbol in H He Li Fe Hg Uuo Mt Rg Xx fe FE Ｆｅ ２６ "８x" -1 +8 99999999999999999999 \
                鉄 てつ テツ iron IRON Ｉｒｏｎ ダームスタチウム Roentgenium xyzzy すい; do
    echo "$symbol"
  done
  for formula in H2O CuSO4.5H2O "CuSO4・5H2O" "（ＣＨ３）２ＣＯ" "K4[Fe(CN)6]" Li2CO3 TcO2 LiTcH \
                 "Ca(OH)2" "[Co(NH3)6]Cl3" h2o "H2O." "((H)" "H99999999999999999999"; do
    echo "/W $formula"
    for digits in 0 2 4 7 8 -1 ３; do echo "/W $formula $digits"; done
  done
} > "$work/requests"

# Each request as its status, then what reached the clipboard, then
# (unless only the clipboard counts) its standard output and error.
run_all() {
  cp "$1" "$work/run/korvatex"
  cp "$2" "$work/run/KORVATEX.CSV"
  while IFS= read -r request; do
    rm -f "$work/clipboard"
    # shellcheck disable=SC2086
    (cd "$work/run" && LC_ALL=C.UTF-8 KORVATEX_CLIPBOARD="cat >>'$work/clipboard'" ./korvatex \
       $request </dev/null >"$work/output" 2>&1)
    echo "status $? clipboard:"
    cat "$work/clipboard"
    $clipboard_only || { echo "printed:"; cat "$work/output"; }
  done < "$work/requests"
}

run_all "$program_a" "$data_file" > "$work/a"
run_all "$program_b" "$data_file_b" > "$work/b"
if cmp -s "$work/a" "$work/b"; then
  echo "ok: the same bytes for $(wc -l < "$work/requests") requests"
else
  echo "FAIL: the programs differ:"
  diff "$work/a" "$work/b" | head -40
  exit 1
fi
