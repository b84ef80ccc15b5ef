#!/bin/sh
# Prints the project's version, which is written once: in CMakeLists.txt.
sed -n 's/^project(korvatex VERSION \([0-9.]*\) .*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
