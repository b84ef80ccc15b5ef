#!/bin/sh
# Makes the Windows ZIP korvatex-VERSION-win64.zip from a MinGW-w64 build
# folder that is built: installs it with "cmake --install --strip" into the
# one folder korvatex-VERSION-win64 (the program, KORVATEX.CSV,
# KORVATEX.CHM, README.txt, LICENSE.txt) and zips that folder. The same
# build gives the same ZIP whatever the umask, the time zone, the locale or
# the build folder: the entries in the order of their names, the program
# 0755 and the other files 0644, no owners or extra times (zip -X), and the
# time that ZIP writes in local time written in UTC; when SOURCE_DATE_EPOCH
# is set (a release sets it to its last commit's time) every entry carries
# that time.
#   make_zip.sh BUILD_FOLDER [OUTPUT_FOLDER]    (OUTPUT_FOLDER: BUILD_FOLDER)
set -eu
build=$1
output=${2:-$1}
here=$(cd "$(dirname "$0")/.." && pwd)
for tool in cmake zip; do
  command -v $tool >/dev/null 2>&1 || { echo "make_zip.sh: $tool is not installed" >&2; exit 1; }
done
version=$(sh "$here/tools/version.sh")
name="korvatex-$version-win64"
mkdir -p "$output"
package="$(cd "$output" && pwd)/$name.zip"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C TZ=UTC0

cmake --install "$build" --prefix "$work/$name" --strip > "$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; exit 1; }
chmod 0755 "$work/$name"
find "$work/$name" -type f -exec chmod 0644 {} +
chmod 0755 "$work/$name/korvatex.exe"
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  find "$work/$name" -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
fi
rm -f "$package"
(cd "$work" && find "$name" -type f | sort | zip -q -X -9 "$package" -@)
echo "$package"
