# Replaces {{kName}} and {{kName|A|B}} in the manual's source with the text
# kName of the program's catalogue (the first file read, texts.txt), its
# %s filled in turn with A, B. Fails on a name the catalogue lacks.
FNR == NR {
  if (match($0, /^k[A-Za-z0-9]+[ \t]+"/)) {
    name = $0; sub(/[ \t].*/, "", name)
    text = $0; sub(/^[^"]*"/, "", text); sub(/"[ \t]*$/, "", text)
    catalogue[name] = text
  }
  next
}
{
  line = $0; out = ""
  while (match(line, /\{\{k[A-Za-z0-9]+(\|[^}|]*)*\}\}/)) {
    token = substr(line, RSTART + 2, RLENGTH - 4)
    n = split(token, part, "|")
    if (!(part[1] in catalogue)) {
      printf "%s:%d: %s is not in the catalogue\n", FILENAME, FNR, part[1] > "/dev/stderr"
      failed = 1; exit 1
    }
    text = catalogue[part[1]]; filled = ""
    for (i = 2; i <= n && (at = index(text, "%s")) > 0; i++) {
      filled = filled substr(text, 1, at - 1) part[i]
      text = substr(text, at + 2)
    }
    if (i <= n || index(text, "%s") > 0) {
      printf "%s:%d: %s takes another count of fillers\n", FILENAME, FNR, part[1] > "/dev/stderr"
      failed = 1; exit 1
    }
    out = out substr(line, 1, RSTART - 1) filled text
    line = substr(line, RSTART + RLENGTH)
  }
  print out line
}
END { exit failed }
