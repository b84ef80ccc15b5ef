#!/bin/sh
# Makes the HTML copy of the help from its UTF-8 sources: the pages and the
# style sheet, still UTF-8, each page declaring UTF-8 in place of the
# Shift_JIS of the compiled help file. Read with a web browser where no
# viewer for the compiled help file is installed.
#   make_html_help.sh SOURCE_FOLDER OUTPUT_FOLDER
set -eu
sources="$1"
output="$2"

rm -rf "$output"
mkdir -p "$output"
for file in "$sources"/*.htm; do
  sed 's/charset=Shift_JIS/charset=UTF-8/' "$file" > "$output/${file##*/}"
done
cp "$sources/korvatex.css" "$output/"
