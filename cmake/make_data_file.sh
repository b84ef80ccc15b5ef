#!/bin/sh
# Converts the UTF-8 master of the element data file (or of the Windows
# readme) to the shipped form: CP932 bytes with CR LF line ends. Fails on
# any character CP932 lacks.
set -eu
master="$1"
output="$2"
iconv -f UTF-8 -t CP932 "$master" | sed 's/$/\r/' > "$output.tmp"
mv "$output.tmp" "$output"
