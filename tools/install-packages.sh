#!/bin/sh
# Installs everything that building korvatex and running its whole test
# suite need on Debian 12 (under CI a suite whose tool is missing fails).
# Runs itself through sudo when started by a user other than root.
set -eu
if [ "$(id -u)" != 0 ]; then exec sudo sh "$0" "$@"; fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  cmake make g++ clang libclang-rt-14-dev libgtest-dev \
  g++-mingw-w64-x86-64 librsvg2-bin icoutils \
  xvfb xclip xsel weston wl-clipboard \
  fp-utils libchm-bin man-db groff-base \
  dpkg-dev unzip lintian \
  wine wine64 locales >/dev/null
# Wine takes its ANSI code page (932) from a Japanese locale.
localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true
echo "packages installed"
