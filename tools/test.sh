#!/bin/sh
# Builds korvatex and runs the whole test suite: the unit and end-to-end
# tests (CTest), the X11 clipboard test on a virtual X server, and the
# cross-build of the Windows program.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Windows program (MinGW-w64 cross-build)"
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
cmake --build build-win -j"$jobs"
ls -l build-win/korvatex.exe build-win/KORVATEX.CSV
