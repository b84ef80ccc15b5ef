#!/bin/sh
# Checks a package that packaging/make_deb.sh or make_zip.sh made. A .deb:
# its control fields; its modes (every folder 0755, whatever the builder's
# umask); a program that needs no glibc newer than Ubuntu 22.04's 2.35;
# the program unpacked with dpkg -x runs as /usr/bin/korvatex and finds its
# data file in /usr/share/korvatex, its HTML help in /usr/share/doc and,
# run as root, the system's settings in /etc/korvatex; lintian, pedantic
# and with its notes, finds nothing but what the package itself overrides
# (needs lintian, see preamble.sh). A .zip: it holds korvatex.exe (a Windows program),
# KORVATEX.CSV, KORVATEX.CHM and the Japanese README.txt (CP932, CR LF) and
# LICENSE.txt in one folder, and korvatex.exe carries its version
# information, manifest and icon (read with wrestool and icotool from
# icoutils).
#   package_test.sh PACKAGE_FILE
set -u
package="$1"
. "$(dirname "$0")/preamble.sh"
version=$(sh "$(dirname "$0")/../tools/version.sh")

case "$package" in
*.deb)
  for field in "Package: korvatex" "Version: $version" "Recommends: xclip | xsel, wl-clipboard" \
               "Suggests: xchm"; do
    dpkg-deb -f "$package" | grep -qxF "$field" || fail "the control file lacks '$field'"
  done
  dpkg-deb -f "$package" Depends | grep -q libc6 || fail "no Depends on libc6"
  dpkg-deb -f "$package" Depends | grep -q sensible-utils || fail "no Depends on sensible-utils"
  dpkg-deb -c "$package" | awk '/^d/ && $1 != "drwxr-xr-x" { print $NF }' > "$work/folders"
  [ -s "$work/folders" ] && fail "folders that are not 0755: $(cat "$work/folders")"
  dpkg -x "$package" "$work/root" || exit 1
  root=$(cd "$work/root" && pwd -P)
  newest=$(objdump -T "$root/usr/bin/korvatex" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -n 1)
  [ "$(printf '%s\nGLIBC_2.35\n' "$newest" | sort -V | tail -n 1)" = GLIBC_2.35 ] ||
    fail "the program needs $newest, newer than Ubuntu 22.04's GLIBC_2.35"
  for file in bin/korvatex share/korvatex/KORVATEX.CSV share/doc/korvatex/KORVATEX.CHM \
              share/man/man1/korvatex.1.gz share/man/ja/man1/korvatex.1.gz \
              share/doc/korvatex/html/index.htm share/doc/korvatex/copyright \
              share/doc/korvatex/changelog.gz; do
    [ -f "$root/usr/$file" ] || fail "usr/$file is not in the package"
  done
  grep -qxF 'License: MIT' "$root/usr/share/doc/korvatex/copyright" ||
    fail "the copyright file names no MIT licence"
  # The changelog's newest entry is the version being packaged.
  gzip -dc "$root/usr/share/doc/korvatex/changelog.gz" 2>/dev/null | head -n 1 |
    grep -qF "korvatex ($version)" || fail "the changelog's newest entry is not version $version"
  env -u WAYLAND_DISPLAY -u DISPLAY LC_ALL=C.UTF-8 KORVATEX_CLIPBOARD="cat > '$work/clipboard'" \
    "$root/usr/bin/korvatex" /W "K4[Fe(CN)6]" 2 >/dev/null 2> "$work/stderr"
  status=$?
  clipboard=$(cat "$work/clipboard" 2>/dev/null)
  [ "$status" = 0 ] && [ "$clipboard" = "化学式：K4[Fe(CN)6]$(printf '\t')分子量・式量＝ 368.37" ] ||
    fail "usr/bin/korvatex /W K4[Fe(CN)6] 2: status $status, clipboard '$clipboard'" \
         "$(cat "$work/stderr")"
  # "/?" in a graphical session opens the HTML help under /usr/share/doc.
  mkdir "$work/fakebin"
  # shellcheck disable=SC2016 # "$1" is the fake xdg-open's own
  printf '#!/bin/sh\nprintf %%s "$1" > "%s/opened"\n' "$work" > "$work/fakebin/xdg-open"
  chmod +x "$work/fakebin/xdg-open"
  env -u WAYLAND_DISPLAY DISPLAY=:99 PATH="$work/fakebin:$PATH" KORVATEX_CLIPBOARD=true \
    "$root/usr/bin/korvatex" "/?" 2>/dev/null
  [ "$(cat "$work/opened" 2>/dev/null)" = "$root/usr/share/doc/korvatex/html/index.htm" ] ||
    fail "korvatex /? opened '$(cat "$work/opened" 2>/dev/null)'"
  # The system's settings file, when there is none of the user's own.
  if [ "$(id -u)" = 0 ] && [ ! -e /etc/korvatex ]; then
    mkdir /etc/korvatex
    printf '1\n2\n3\nDigits=1\n5\n6\n7\n8\nDataFile=\n' > /etc/korvatex/KORVATEX.INI
    weight=$(env -u WAYLAND_DISPLAY -u DISPLAY HOME="$work" XDG_CONFIG_HOME= LC_ALL=C.UTF-8 \
      KORVATEX_CLIPBOARD=true "$root/usr/bin/korvatex" /W H2O 2>&1)
    rm -r /etc/korvatex
    [ "$weight" = "化学式：H2O$(printf '\t')分子量・式量＝ 18.0" ] ||
      fail "/etc/korvatex/KORVATEX.INI is not read: '$weight'"
  fi
  command -v lintian >/dev/null 2>&1 || missing_tool lintian "apt-get install lintian"
  lintian -I --pedantic --fail-on error,warning,info,pedantic "$package" > "$work/lintian" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$work/lintian")"
  ;;
*.zip)
  unzip -Z1 "$package" > "$work/list" || exit 1
  folder=$(sed -n 's|[^/]*$||p' "$work/list" | sort -u)
  [ "$(echo "$folder" | wc -l)" = 1 ] || fail "the files are not in one folder: $folder"
  for file in korvatex.exe KORVATEX.CSV KORVATEX.CHM README.txt LICENSE.txt; do
    grep -qxF "$folder$file" "$work/list" || fail "$file is not in the ZIP"
  done
  unzip -p "$package" "${folder}korvatex.exe" > "$work/korvatex.exe"
  [ "$(head -c 2 "$work/korvatex.exe")" = MZ ] || fail "korvatex.exe is not a Windows program"
  # The readme: CP932 with CR LF line ends.
  unzip -p "$package" "${folder}README.txt" > "$work/readme"
  iconv -f CP932 -t UTF-8 "$work/readme" | grep -q 'ブロックの解除' ||
    fail "README.txt is not Japanese CP932 text on unblocking the ZIP"
  [ "$(grep -c "$(printf '\r')\$" "$work/readme")" = "$(wc -l < "$work/readme")" ] ||
    fail "README.txt has lines without CR LF"
  unzip -p "$package" "${folder}LICENSE.txt" | grep -q '^MIT License' ||
    fail "LICENSE.txt is not the MIT licence"
  # The resources of korvatex.exe: the version, the manifest, the icon.
  for tool in wrestool icotool iconv; do
    command -v $tool >/dev/null 2>&1 || missing_tool $tool "apt-get install icoutils"
  done
  # The version strings as lines KEY=VALUE (each key is a UTF-16 text that
  # ends a run of NULs, and its value the next).
  wrestool -x --raw --type=16 "$work/korvatex.exe" | iconv -f UTF-16LE -t UTF-8 -c |
    tr '\000' '\n' | grep -av '^$' |
    awk 'key { print key "=" $0; key = ""; next } match($0, /[A-Za-z]+$/) { key = substr($0, RSTART) }' \
    > "$work/version"
  for entry in FileVersion=$version ProductVersion=$version ProductName=korvatex \
               FileDescription=元素データ表示 OriginalFilename=korvatex.exe \
               "LegalCopyright=Copyright (C) 2026 The korvatex authors"; do
    grep -qxF "$entry" "$work/version" || fail "the version information lacks $entry"
  done
  wrestool -x --raw --type=24 "$work/korvatex.exe" > "$work/manifest"
  for text in 'level="asInvoker"' '>true/pm<' Microsoft.Windows.Common-Controls \
              '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF "$text" "$work/manifest" || fail "the manifest lacks $text"
  done
  wrestool -x --type=14 "$work/korvatex.exe" > "$work/korvatex.ico"
  icon_sizes=$(icotool -l "$work/korvatex.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
  [ "$icon_sizes" = "16 32 48 256 " ] || fail "the icon has sizes '$icon_sizes', not 16 32 48 256"
  ;;
*) echo "FAIL: not a .deb or .zip: $package"; exit 1 ;;
esac
finish "$package"
