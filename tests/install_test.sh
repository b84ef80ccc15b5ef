#!/bin/sh
# "cmake --install" puts the program in PREFIX/bin, KORVATEX.CSV in
# PREFIX/share/korvatex and the help file and its HTML copy (which declares
# UTF-8) in PREFIX/share/doc/korvatex, and the program finds them from its
# own folder, also started from PATH; the man page is installed in English
# and in Japanese.
#   install_test.sh CMAKE BUILD_FOLDER
set -u
cmake="$1"
build="$2"
. "$(dirname "$0")/preamble.sh"

mkdir "$work/prefix" "$work/fakebin"
prefix=$(cd "$work/prefix" && pwd -P)
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
for file in bin/korvatex share/korvatex/KORVATEX.CSV share/doc/korvatex/KORVATEX.CHM \
            share/man/man1/korvatex.1.gz share/man/ja/man1/korvatex.1.gz; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# man finds the Japanese page for Japanese, the English one otherwise, and
# renders the installed Japanese page.
if command -v man >/dev/null 2>&1; then
  for want in "ja $prefix/share/man/ja/man1/korvatex.1.gz" "en $prefix/share/man/man1/korvatex.1.gz"; do
    found=$(LC_ALL=C.UTF-8 MANPATH="$prefix/share/man" man -L "${want%% *}" -w korvatex 2>&1)
    [ "$found" = "${want#* }" ] || fail "man -L ${want%% *} korvatex finds '$found'"
  done
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/ja/man1/korvatex.1.gz" 2>&1 |
    grep -q '^終了ステータス$' || fail "man -l does not render the installed Japanese page"
fi
grep -qF 'charset=UTF-8' "$prefix/share/doc/korvatex/html/index.htm" 2>/dev/null ||
  fail "share/doc/korvatex/html/index.htm is not installed or does not declare UTF-8"

env -u WAYLAND_DISPLAY -u DISPLAY LC_ALL=C.UTF-8 KORVATEX_CLIPBOARD="cat > '$work/clipboard'" \
  "$prefix/bin/korvatex" /W CuSO4.5H2O 2 >/dev/null 2> "$work/stderr"
status=$?
tab=$(printf '\t')
[ "$status" = 0 ] && [ "$(cat "$work/clipboard" 2>/dev/null)" = "化学式：CuSO4.5H2O${tab}分子量・式量＝ 249.71" ] ||
  fail "bin/korvatex /W CuSO4.5H2O 2: status $status, clipboard '$(cat "$work/clipboard" 2>/dev/null)'" \
       "$(cat "$work/stderr")"

# "/?" from PATH, in a graphical session, opens the installed HTML help with
# the first xdg-open on PATH.
# shellcheck disable=SC2016 # "$1" is the fake xdg-open's own
printf '#!/bin/sh\nprintf %%s "$1" > "%s/opened"\n' "$work" > "$work/fakebin/xdg-open"
chmod +x "$work/fakebin/xdg-open"
env -u WAYLAND_DISPLAY DISPLAY=:99 PATH="$work/fakebin:$prefix/bin:$PATH" KORVATEX_CLIPBOARD=true \
  korvatex "/?" 2> "$work/stderr"
status=$?
opened=$(cat "$work/opened" 2>/dev/null)
[ "$status" = 1 ] && [ "$opened" = "$prefix/share/doc/korvatex/html/index.htm" ] ||
  fail "korvatex /?: status $status, opened '$opened'" "$(cat "$work/stderr")"
finish "the installed program"
