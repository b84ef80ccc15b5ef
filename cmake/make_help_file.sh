#!/bin/sh
# Compiles the help file from its UTF-8 sources: every source is converted to
# CP932 in a staging folder, its declared charset with it (Shift_JIS),
# and chmcmd compiles the project there. Fails on any character CP932 lacks
# and on every warning of chmcmd (a missing file or a broken link). The
# pages write the version as @PROJECT_VERSION@; it is filled in here.
# chmcmd writes the time of day it compiles at into the file; when
# SOURCE_DATE_EPOCH is set (a release sets it to its last commit's time),
# that time is written in its place (set_chm_time.sh), so that the same
# sources give the same file.
#   make_help_file.sh CHMCMD SOURCE_FOLDER STAGING_FOLDER OUTPUT_FILE VERSION
set -eu
chmcmd="$1"
sources="$2"
staging="$3"
output="$4"
version="$5"

rm -rf "$staging"
mkdir -p "$staging"
for file in "$sources"/*; do
  sed -e "s/@PROJECT_VERSION@/$version/g" -e "s/charset=UTF-8/charset=Shift_JIS/" "$file" |
    iconv -f UTF-8 -t CP932 > "$staging/${file##*/}"
done
(cd "$staging" && "$chmcmd" korvatex.hhp) > "$staging/chmcmd.log" 2>&1 || {
  cat "$staging/chmcmd.log"
  exit 1
}
if grep -Ei 'warning|error' "$staging/chmcmd.log"; then
  exit 1
fi
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  sh "$(dirname "$0")/set_chm_time.sh" "$staging/KORVATEX.CHM" "$SOURCE_DATE_EPOCH"
fi
mv "$staging/KORVATEX.CHM" "$output"
