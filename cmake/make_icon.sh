#!/bin/sh
# Makes the program's icon file from its SVG drawing: PNG images at 16, 32
# and 48 pixels stored as bitmaps, and at 256 pixels stored as PNG, as
# Windows expects.
#   make_icon.sh RSVG_CONVERT ICOTOOL SOURCE.svg OUTPUT.ico
set -eu
rsvg_convert=$1 icotool=$2 source=$3 output=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48 256; do
  "$rsvg_convert" -w $size -h $size -o "$work/$size.png" "$source"
done
"$icotool" -c -o "$output" "$work/16.png" "$work/32.png" "$work/48.png" -r "$work/256.png"
