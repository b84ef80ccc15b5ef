#!/bin/sh
# Makes a release of the commit that is checked out, into dist/:
#   korvatex-VERSION.tar.gz         the source (git archive)
#   korvatex_VERSION_ARCH.deb       the Debian package (amd64 on a PC)
#   korvatex-VERSION-win64.zip      the Windows program and its files
#   SHA256SUMS                      their sums, as "sha256sum -c" reads them
# The version is CMakeLists.txt's. The program is built from the source
# archive itself, unpacked into build-release/, in release form (optimised,
# no debug information, stripped), natively and with MinGW-w64. dist/ and
# build-release/ are made anew each time.
#
# Anyone who builds the same commit with the same Debian packages gets the
# same files, bit for bit, whatever the folder, the time, the time zone, the
# umask or the locale: every time written is the time of the last commit
# (SOURCE_DATE_EPOCH), no folder's path is written into the programs
# (KORVATEX_REPRODUCIBLE), and the packages are put together in a fixed order
# with fixed owners and modes (packaging/make_deb.sh, make_zip.sh).
# tests/release_test.sh proves it.
#   sh tools/release.sh
set -eu
cd "$(dirname "$0")/.."
root=$(pwd -P)
fail() {
  echo "release.sh: $1" >&2
  exit "${2:-1}"
}

# Every tool the release needs, named in one line when missing (status 69).
missing=
for tool in git gzip tar cmake make g++ x86_64-w64-mingw32-g++ x86_64-w64-mingw32-windres \
            iconv chmcmd rsvg-convert icotool dpkg dpkg-deb dpkg-shlibdeps zip sha256sum; do
  command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
[ -z "$missing" ] ||
  fail "not installed:$missing (sh tools/install-packages.sh --tests installs them)" 69

# A release is made from a commit: changes that are not committed would be
# in neither the source archive nor the programs.
git rev-parse --verify -q HEAD >/dev/null || fail "$root is not a git checkout with a commit"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  fail "the checkout has changes that are not committed; commit them, or release from a clean checkout"

version=$(sh tools/version.sh)
[ -n "$version" ] || fail "no version in CMakeLists.txt"
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# The release's build is this script's alone: no compiler or flags from the
# caller's environment.
unset CC CXX CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
jobs=$(nproc 2>/dev/null || echo 2)
work="$root/build-release"
dist="$root/dist"
rm -rf "$work" "$dist"
mkdir -p "$work" "$dist"

# step NAME LOG COMMAND...: runs COMMAND with its output in build-release/LOG;
# when it fails, shows the end of that output and stops.
step() {
  echo "== $1"
  log="$work/$2"
  shift 2
  "$@" > "$log" 2>&1 || {
    tail -n 40 "$log" >&2
    fail "failed; the whole output is in $log"
  }
}

# The source: the files of the commit under the folder korvatex-VERSION/,
# with the commit's time, modes 0644 and 0755, LF line ends whatever the
# user's git settings, compressed without a name or time.
source_archive="korvatex-$version.tar.gz"
echo "== The source archive"
git -c tar.umask=0022 -c core.autocrlf=false -c core.eol=lf \
  archive --format=tar --prefix="korvatex-$version/" HEAD | gzip -9 -n > "$dist/$source_archive"
tar -xzf "$dist/$source_archive" -C "$work"
source="$work/korvatex-$version"

release="-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKORVATEX_REPRODUCIBLE=ON"
# The options in $3 are words; "$1" and the others are the inner shell's.
# shellcheck disable=SC2016,SC2086
step "The program for Linux" linux.log sh -c \
  'cmake -S "$1" -B "$2" $3 && cmake --build "$2" -j"$4"' sh "$source" "$work/linux" "$release" "$jobs"
# shellcheck disable=SC2016,SC2086
step "The program for Windows" win64.log sh -c \
  'cmake -S "$1" -B "$2" $3 -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64-x86_64.cmake" &&
   cmake --build "$2" -j"$4"' sh "$source" "$work/win64" "$release" "$jobs"
step "The Debian package" deb.log sh "$source/packaging/make_deb.sh" "$work/linux" "$dist"
step "The Windows ZIP" zip.log sh "$source/packaging/make_zip.sh" "$work/win64" "$dist"

deb=$(sed -n '$p' "$work/deb.log")
zip=$(sed -n '$p' "$work/zip.log")
(cd "$dist" && sha256sum "$source_archive" "${deb##*/}" "${zip##*/}" > SHA256SUMS)
echo "== korvatex $version, commit $(git rev-parse --short HEAD), SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
echo "in $dist:"
cat "$dist/SHA256SUMS"
echo "check with: (cd $dist && sha256sum -c SHA256SUMS)"
