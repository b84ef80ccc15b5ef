#!/bin/sh
# Two releases of the same commit are the same, bit for bit: tools/release.sh
# runs in two fresh clones, in folders of different names and depths, one
# after the other, under a different time zone, umask and locale, and the
# two SHA256SUMS must be the same bytes. When they are not, it shows what
# differs in the first pair of files that differ: with diffoscope where it
# is installed, else the differing bytes (cmp -l) and the names of the
# members that differ. The first release is then checked as a user would:
# sha256sum -c, the packages (package_test.sh) and the help file
# (help_file_test.sh, which reads it back after its times were written, and
# the time in its header).
# Changes to tracked files that are not committed are committed in both
# clones with the last commit's time, so that a developer tests the tree
# being worked on. Needs what tools/release.sh needs (see preamble.sh).
#   release_test.sh
set -u
here=$(cd "$(dirname "$0")/.." && pwd -P)
. "$here/tests/preamble.sh"
command -v git >/dev/null 2>&1 || missing_tool git "apt-get install git"

head=$(git -C "$here" rev-parse HEAD) || exit 1
epoch=$(git -C "$here" log -1 --format=%ct)
git -C "$here" diff HEAD --binary > "$work/changes.diff"
# A locale other than the first one's: Japanese where it is installed.
other_locale=C
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && other_locale=ja_JP.UTF-8

# release FOLDER UMASK TZ LANG: clones the commit into FOLDER and makes the
# release there with that umask, time zone and locale.
release() {
  echo "== release in $1 (umask $2, TZ=$3, LANG=$4)"
  mkdir -p "${1%/*}"
  git clone -q --no-checkout "$here" "$1" && git -C "$1" checkout -q --detach "$head" || exit 1
  if [ -s "$work/changes.diff" ]; then
    git -C "$1" apply --binary "$work/changes.diff" &&
      GIT_AUTHOR_NAME=release_test GIT_AUTHOR_EMAIL=release_test@localhost GIT_AUTHOR_DATE="@$epoch" \
      GIT_COMMITTER_NAME=release_test GIT_COMMITTER_EMAIL=release_test@localhost \
      GIT_COMMITTER_DATE="@$epoch" git -C "$1" commit -q -a -m "Changes not yet committed" || exit 1
  fi
  (cd "$1" && umask "$2" && env -u LC_ALL TZ="$3" LANG="$4" sh tools/release.sh)
  status=$?
  case $status in
  0) ;;
  69) missing_tool "a tool of tools/release.sh" "sh tools/install-packages.sh --tests" ;;
  *) echo "FAIL: tools/release.sh in $1 ended with $status"; exit 1 ;;
  esac
}
one="$work/one"
two="$work/second release/of/korvatex-$$"
release "$one" 022 UTC0 C.UTF-8
sleep 2
release "$two" 077 JST-9 "$other_locale"

# members ARCHIVE FOLDER: unpacks ARCHIVE's members into FOLDER and prints
# their list with modes, owners, sizes and times.
members() {
  mkdir -p "$2"
  case "$1" in
  *.tar.gz) tar -tvzf "$1" && tar -xzf "$1" -C "$2" ;;
  *.deb) dpkg-deb -c "$1" && dpkg-deb -x "$1" "$2" && dpkg-deb -e "$1" "$2/DEBIAN" ;;
  *.zip) zipinfo -l "$1" && unzip -q "$1" -d "$2" ;;
  esac
}
# differences A B: what differs between the files A and B.
differences() {
  if command -v diffoscope >/dev/null 2>&1; then
    diffoscope --text - --max-text-report-size 60000 "$1" "$2"
    return
  fi
  echo "(diffoscope is not installed: the differing bytes, then the members)"
  cmp -l "$1" "$2" | head -n 20
  members "$1" "$work/a" > "$work/a.list" 2>&1
  members "$2" "$work/b" > "$work/b.list" 2>&1
  diff "$work/a.list" "$work/b.list"
  diff -rq "$work/a" "$work/b"
}

if cmp -s "$one/dist/SHA256SUMS" "$two/dist/SHA256SUMS"; then
  echo "ok: the two releases' SHA256SUMS are the same"
else
  fail "the two releases differ:"
  diff "$one/dist/SHA256SUMS" "$two/dist/SHA256SUMS"
  sed 's/^[0-9a-f]*  //' "$one/dist/SHA256SUMS" | while read -r file; do
    if ! cmp -s "$one/dist/$file" "$two/dist/$file"; then
      echo "== what differs in $file"
      differences "$one/dist/$file" "$two/dist/$file"
      break
    fi
  done
fi

# The first release as a user checks it.
version=$(sh "$here/tools/version.sh")
[ "$(wc -l < "$one/dist/SHA256SUMS")" = 3 ] && (cd "$one/dist" && sha256sum -c SHA256SUMS) ||
  fail "sha256sum -c SHA256SUMS does not pass on the three files"
for file in "korvatex-$version.tar.gz" "korvatex-$version-win64.zip" \
            "korvatex_${version}_$(dpkg --print-architecture).deb"; do
  [ -f "$one/dist/$file" ] || fail "dist/$file was not made"
done
sh "$here/tests/package_test.sh" "$one/dist/korvatex_${version}_$(dpkg --print-architecture).deb" ||
  failed=1
sh "$here/tests/package_test.sh" "$one/dist/korvatex-$version-win64.zip" || failed=1
chm="$one/build-release/linux/KORVATEX.CHM"
sh "$here/tests/help_file_test.sh" "$chm" "$one/build-release/korvatex-$version/help" \
  "$one/build-release/linux/korvatex" && echo "ok: the release's help file reads back" || failed=1
# Its header holds the last commit's time of day in milliseconds, big-endian.
expected=$(printf '%08x' $((epoch % 86400 * 1000)))
header=$(od -An -v -tx1 -j16 -N4 "$chm" | tr -d ' \n')
[ "$header" = "$expected" ] && echo "ok: the help file holds the last commit's time" ||
  fail "the help file's header holds the time $header, not $expected"
exit $failed
