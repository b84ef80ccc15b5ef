#!/bin/sh
# Writes a given time into a compiled help file in place of the time it was
# compiled at, so that the same pages always compile to the same bytes.
# chmcmd writes the time of day, in milliseconds, twice: in the file's
# header (big-endian, at byte 16) and as entry 10 of the internal file
# /#SYSTEM (little-endian). Both become the time of day of SECONDS (seconds
# since 1970, UTC; the release takes the time of its last commit). The
# /#SYSTEM entry is found through the file's directory: the header gives the
# directory and content section 0, the directory's listing chunks (PMGL)
# give /#SYSTEM's offset there. Fails, leaving the file as it was, when the
# file is not laid out so.
#   set_chm_time.sh FILE.CHM SECONDS
set -eu
file="$1"
seconds="$2"
case "$seconds" in
'' | *[!0-9]*) echo "set_chm_time.sh: not a time in seconds: '$seconds'" >&2; exit 1 ;;
esac

# The byte offset of /#SYSTEM's time entry, or a line that says what is wrong.
offset=$(od -An -v -tu1 "$file" | awk '
  { for (i = 1; i <= NF; i++) b[n++] = $i + 0 }
  function u32(o) { return b[o] + 256 * (b[o + 1] + 256 * (b[o + 2] + 256 * b[o + 3])) }
  function encint(  v) {  # a number in 7-bit groups, high group first
    v = 0
    while (b[p] >= 128) { v = v * 128 + b[p] - 128; p++ }
    v = v * 128 + b[p]; p++
    return v
  }
  function text(o, k,  s, i) { s = ""; for (i = 0; i < k; i++) s = s sprintf("%c", b[o + i]); return s }
  END {
    if (text(0, 4) != "ITSF" || u32(4) != 3) { print "no ITSF version 3 header"; exit }
    directory = u32(72); content = u32(88)
    if (text(directory, 4) != "ITSP") { print "no ITSP directory"; exit }
    chunks = directory + u32(directory + 8); size = u32(directory + 16)
    for (chunk = u32(directory + 32); chunk != 4294967295 && !found; chunk = u32(start + 16)) {
      start = chunks + chunk * size
      if (text(start, 4) != "PMGL" || ++seen > 100000) { print "no PMGL chunk"; exit }
      end = start + size - u32(start + 4)
      for (p = start + 20; p < end && !found; ) {
        count = encint(); name = text(p, count); p += count
        section = encint(); at = encint(); count = encint()
        if (name == "/#SYSTEM" && section == 0) { found = 1; systemfile = content + at; last = systemfile + count }
      }
    }
    if (!found) { print "no /#SYSTEM in section 0"; exit }
    # /#SYSTEM: a 4-byte version, then entries of a 2-byte code, a 2-byte
    # length and the data.
    for (p = systemfile + 4; p + 8 <= last && last <= n; p += 4 + count) {
      code = b[p] + 256 * b[p + 1]; count = b[p + 2] + 256 * b[p + 3]
      if (code == 10 && count == 4) { print p + 4; exit }
    }
    print "no time entry in /#SYSTEM"
  }')
case "$offset" in
'' | *[!0-9]*) echo "set_chm_time.sh: $file: $offset" >&2; exit 1 ;;
esac

# The 4 bytes of the time of day in milliseconds, as octal escapes for
# printf: big-endian, then little-endian.
milliseconds=$((seconds % 86400 * 1000))
big='' little=''
for shift in 24 16 8 0; do
  byte=$(printf '\\%03o' $((milliseconds >> shift & 255)))
  big="$big$byte" little="$byte$little"
done
# shellcheck disable=SC2059
printf "$big" | dd of="$file" bs=1 seek=16 conv=notrunc 2>/dev/null
# shellcheck disable=SC2059
printf "$little" | dd of="$file" bs=1 seek="$offset" conv=notrunc 2>/dev/null
