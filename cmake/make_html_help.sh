#!/bin/sh
# Makes the HTML copy of the help from its UTF-8 sources: the pages and the
# style sheet, still UTF-8, as the pages declare. Read with a web browser where no
# viewer for the compiled help file is installed. The pages write the
# version as @PROJECT_VERSION@; it is filled in here.
#   make_html_help.sh SOURCE_FOLDER OUTPUT_FOLDER VERSION
set -eu
sources="$1"
output="$2"
version="$3"

rm -rf "$output"
mkdir -p "$output"
for file in "$sources"/*.htm; do
  sed "s/@PROJECT_VERSION@/$version/g" "$file" > "$output/${file##*/}"
done
cp "$sources/korvatex.css" "$output/"
