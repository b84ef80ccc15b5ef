#!/bin/sh
# Builds korvatex and runs the whole test suite: the unit and end-to-end
# tests, the X11 clipboard test on a virtual X server, the help file, install
# layout and man page tests (CTest); the Debian package, unpacked and run;
# the cross-build of the Windows program and its ZIP package.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian package"
(cd build && cpack -G DEB)
sh tests/package_test.sh "build/korvatex_7.20_$(dpkg --print-architecture).deb"

echo "== Windows program (MinGW-w64 cross-build)"
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
cmake --build build-win -j"$jobs"
ls -l build-win/korvatex.exe build-win/KORVATEX.CSV build-win/KORVATEX.CHM
(cd build-win && cpack -G ZIP)
sh tests/package_test.sh build-win/korvatex-7.20-win64.zip

echo "== Windows program under Wine"
sh tests/wine/wine_test.sh build-win || [ $? = 77 ]

echo "== Sanitizers (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -DKORVATEX_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Fuzzing (AFL++, ${FUZZ_SECONDS:-45} s a target)"
sh tools/fuzz.sh
