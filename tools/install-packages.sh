#!/bin/sh
# Installs what building and testing korvatex needs on Debian. Runs itself
# through sudo when started by a user other than root.
set -eu
if [ "$(id -u)" != 0 ]; then exec sudo sh "$0" "$@"; fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  cmake make g++ libgtest-dev \
  g++-mingw-w64-x86-64 \
  xvfb xclip \
  fp-utils libchm-bin man-db groff-base \
  dpkg-dev unzip >/dev/null
# The fuzzing suite, and the Wine suite, which is skipped (with a line that
# says so) where Wine cannot be installed.
apt-get install -y -qq --no-install-recommends afl++ locales >/dev/null
apt-get install -y -qq --no-install-recommends wine64 >/dev/null ||
  echo "wine64 could not be installed: the Windows program will not be run"
# Wine takes its ANSI code page (932) from a Japanese locale.
localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true
echo "packages installed"
