#!/bin/sh
# Makes the Debian package korvatex_VERSION_ARCH.deb from a native build
# folder that is built: installs it with "cmake --install --strip" into a
# staging root under /usr (the layout is cmake/install.cmake's), adds the
# control file (packaging/deb/control.in, the version from CMakeLists.txt,
# the libraries the program needs from dpkg-shlibdeps) and the md5sums, and
# builds the package with dpkg-deb. The same build gives the same package
# whatever the umask, the time zone, the locale or the build folder: every
# folder and program is 0755 and every other file 0644, owned by root, in
# the order of their names; when SOURCE_DATE_EPOCH is set (a release sets
# it to its last commit's time) every file and the package's members carry
# that time; and xz compresses on one thread, whose output does not depend
# on the number of processors.
#   make_deb.sh BUILD_FOLDER [OUTPUT_FOLDER]    (OUTPUT_FOLDER: BUILD_FOLDER)
set -eu
build=$1
output=${2:-$1}
here=$(cd "$(dirname "$0")/.." && pwd)
for tool in cmake dpkg dpkg-deb md5sum objcopy; do
  command -v $tool >/dev/null 2>&1 || { echo "make_deb.sh: $tool is not installed" >&2; exit 1; }
done
version=$(sh "$here/tools/version.sh")
architecture=$(dpkg --print-architecture)
package="$output/korvatex_${version}_${architecture}.deb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/debian/korvatex"
export LC_ALL=C

DESTDIR="$root" cmake --install "$build" --prefix /usr --strip > "$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; exit 1; }
# The compiler's .comment section says nothing a user needs (lintian).
find "$root/usr/bin" -type f -exec objcopy --remove-section=.comment {} +
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -perm /111 -exec chmod 0755 {} +
find "$root" -type f ! -perm /111 -exec chmod 0644 {} +

mkdir -m 0755 "$root/DEBIAN"
# The libraries the programs link at run time, wherever the layout puts
# them (libstdc++ and libgcc are linked in), and sensible-utils, whose
# sensible-browser "korvatex /?" may start.
if command -v dpkg-shlibdeps >/dev/null 2>&1; then
  printf 'Source: korvatex\n\nPackage: korvatex\nArchitecture: any\n' > "$work/debian/control"
  # shellcheck disable=SC2046
  libraries=$(cd "$work" && dpkg-shlibdeps -O $(find debian/korvatex/usr -type f -perm /111 | sort) |
    sed -n 's/^shlibs:Depends=//p')
else
  libraries="libc6"
fi
# Installed-Size as dpkg-gencontrol counts it: each file's KiB, rounded up,
# and 1 for each folder and link.
size=$(find "$root" -mindepth 1 -path "$root/DEBIAN" -prune -o \
  \( -type f -printf '%s\n' \) -o -printf '1024\n' |
  awk '{ total += int(($1 + 1023) / 1024) } END { print total }')

sed -e "s/@VERSION@/$version/" -e "s/@ARCHITECTURE@/$architecture/" \
    -e "s/@INSTALLED_SIZE@/$size/" -e "s/@DEPENDS@/$libraries, sensible-utils/" \
    "$here/packaging/deb/control.in" > "$root/DEBIAN/control"
(cd "$root" && find usr -type f | sort | xargs md5sum) > "$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
fi
mkdir -p "$output"
dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "$root" "$package" > /dev/null
echo "$package"
