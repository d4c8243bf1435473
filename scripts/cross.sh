#!/bin/sh
# Builds QLX's calculation core and qlx-cli for another system and runs their tests there:
#   ./scripts/cross.sh windows   mingw-w64 into build-windows/, tests under wine, qlx-cli.exe
#                                checked against the native qlx-cli, and the zip for Windows users
# (build-windows/qlx-cli-VERSION-windows-x86_64.zip)
set -eu
cd "$(dirname "$0")/.."
target=${1:-}
case "$target" in
windows)
    ./scripts/setup.sh --windows
    # A wine prefix of the build's own: nothing of the user's, and made once.
    export WINEPREFIX="$PWD/build-windows/wine"
    export WINEDEBUG=-all
    cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
        -DQLX_BUILD_GUI=OFF -DQLX_BUILD_BENCH=OFF ${QLX_CMAKE_ARGS:-}
    cmake --build build-windows
    # The tests run under wine (CMAKE_CROSSCOMPILING_EMULATOR in the toolchain file).
    ctest --test-dir build-windows --output-on-failure -j2
    # qlx-cli.exe prints what the native program prints.
    ./scripts/setup.sh
    cmake -S . -B build -G Ninja ${QLX_CMAKE_ARGS:-}
    cmake --build build --target qlx-cli
    ./scripts/compare-cli.sh build/bin/qlx-cli "/usr/lib/wine/wine64 build-windows/bin/qlx-cli.exe"
    rm -f build-windows/qlx-cli-*.zip
    (cd build-windows && cpack -G ZIP)
    unzip -l build-windows/qlx-cli-*-windows-x86_64.zip
    ;;
*)
    echo "usage: $0 windows" >&2
    exit 2
    ;;
esac
