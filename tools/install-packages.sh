#!/bin/sh
# Installs what building and testing korvatex needs on Debian (run as root).
set -eu
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  cmake make g++ libgtest-dev \
  g++-mingw-w64-x86-64 \
  xvfb xclip >/dev/null
echo "packages installed"
