#!/bin/sh
# Installs the Debian 12 packages korvatex needs.
#   sh tools/install-packages.sh           building and running the program
#   sh tools/install-packages.sh --tests   that, and everything the whole test
#                                          suite needs (tools/test.sh; under CI
#                                          a suite whose tool is missing fails)
# Runs itself through sudo when started by a user other than root.
set -eu
case "${1:-}" in
"") tests=false ;;
--tests) tests=true ;;
*) echo "usage: sh tools/install-packages.sh [--tests]" >&2; exit 2 ;;
esac
if [ "$(id -u)" != 0 ]; then exec sudo sh "$0" "$@"; fi
export DEBIAN_FRONTEND=noninteractive

# Building and running: the compiler, CMake, iconv (part of libc-bin),
# which turns the program's texts and its data file into CP932, chmcmd
# (fp-utils), which compiles the help file KORVATEX.CHM (the program builds
# without it where it has no package), and the clipboard tools of an X11
# and a Wayland desktop, xclip and wl-clipboard, without which the program
# shows its result there but cannot copy it.
packages="cmake make g++ libc-bin fp-utils xclip wl-clipboard"
if $tests; then
  # The quick checks' formatter and shell-script checker (tools/checks.sh);
  # the unit tests and a second compiler with its fuzzing runtime; a reader
  # of the help file; the X11 and Wayland clipboards on virtual displays
  # (xsel, and the servers); the man page, the Debian package and its checks; the Windows program,
  # cross-built, with its icon, and run under Wine (whose ANSI code page,
  # 932, comes from a Japanese locale); the release: git, zip, and
  # diffoscope's small form, which shows what differs between two builds
  # that should be the same (in a CI log, where nobody can look again),
  # without the hundreds of megabytes of tools it only recommends; pandoc
  # and po4a (with gettext), which make the manual's documents again from
  # their sources to compare them with the committed ones.
  packages="$packages clang-format-14 shellcheck libgtest-dev clang libclang-rt-14-dev
    libchm-bin xvfb xsel bsdutils weston man-db groff-base dpkg-dev unzip lintian
    g++-mingw-w64-x86-64 librsvg2-bin icoutils wine wine64 locales
    git zip diffoscope-minimal pandoc po4a gettext"
fi

# When everything is installed already, the package lists are not fetched.
# shellcheck disable=SC2086
if ! dpkg-query -W -f '${Status}\n' $packages 2>/dev/null | grep -qv '^install ok installed$' &&
   [ "$(dpkg-query -W -f '${Status}\n' $packages 2>/dev/null | wc -l)" -eq "$(echo $packages | wc -w)" ]; then
  echo "packages installed"
else
  apt-get update -qq
  if ! apt-cache show fp-utils >/dev/null 2>&1; then
    packages=$(echo "$packages" | sed 's/ fp-utils//')
  fi
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $packages >/dev/null
  echo "packages installed"
fi
if $tests && ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true
fi
