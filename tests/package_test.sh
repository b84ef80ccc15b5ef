#!/bin/sh
# Checks a package that cpack made. A .deb: its control fields, and the
# program unpacked with dpkg -x runs through /usr/bin/korvatex and finds its
# files in /usr/lib/korvatex; lintian finds nothing but what the package
# itself overrides (needs lintian, see missing_tool.sh). A .zip: it holds korvatex.exe (a Windows
# program), KORVATEX.CSV and KORVATEX.CHM in one folder.
#   package_test.sh PACKAGE_FILE
set -u
package="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; failed=1; }
failed=0

case "$package" in
*.deb)
  for field in "Package: korvatex" "Version: 7.20" "Recommends: wl-clipboard | xclip | xsel" \
               "Suggests: xchm"; do
    dpkg-deb -f "$package" | grep -qxF "$field" || fail "the control file lacks '$field'"
  done
  dpkg-deb -f "$package" Depends | grep -q libc6 || fail "no Depends on libc6"
  dpkg -x "$package" "$work/root" || exit 1
  root=$(cd "$work/root" && pwd -P)
  [ "$(readlink "$root/usr/bin/korvatex")" = ../lib/korvatex/korvatex ] ||
    fail "usr/bin/korvatex is not a link to ../lib/korvatex/korvatex"
  for file in lib/korvatex/KORVATEX.CSV lib/korvatex/KORVATEX.CHM share/man/man1/korvatex.1.gz \
              lib/korvatex/html/index.htm share/doc/korvatex/copyright share/doc/korvatex/changelog.gz; do
    [ -f "$root/usr/$file" ] || fail "usr/$file is not in the package"
  done
  env -u WAYLAND_DISPLAY -u DISPLAY LC_ALL=C.UTF-8 KORVATEX_CLIPBOARD="cat > '$work/clipboard'" \
    "$root/usr/bin/korvatex" /W "K4[Fe(CN)6]" 2 2> "$work/stderr"
  status=$?
  clipboard=$(cat "$work/clipboard" 2>/dev/null)
  [ "$status" = 0 ] && [ "$clipboard" = "化学式：K4[Fe(CN)6]$(printf '\t')分子量・式量＝ 368.37" ] ||
    fail "usr/bin/korvatex /W K4[Fe(CN)6] 2: status $status, clipboard '$clipboard'" \
         "$(cat "$work/stderr")"
  . "$(dirname "$0")/missing_tool.sh"
  command -v lintian >/dev/null 2>&1 || missing_tool lintian "apt-get install lintian"
  lintian --fail-on error,warning "$package" > "$work/lintian" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$work/lintian")"
  ;;
*.zip)
  unzip -Z1 "$package" > "$work/list" || exit 1
  folder=$(sed -n 's|[^/]*$||p' "$work/list" | sort -u)
  [ "$(echo "$folder" | wc -l)" = 1 ] || fail "the files are not in one folder: $folder"
  for file in korvatex.exe KORVATEX.CSV KORVATEX.CHM; do
    grep -qxF "$folder$file" "$work/list" || fail "$file is not in the ZIP"
  done
  [ "$(unzip -p "$package" "${folder}korvatex.exe" | head -c 2)" = MZ ] ||
    fail "korvatex.exe is not a Windows program"
  ;;
*) echo "FAIL: not a .deb or .zip: $package"; exit 1 ;;
esac
[ "$failed" = 0 ] && echo "ok: $package"
exit $failed
