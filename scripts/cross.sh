#!/bin/sh
# Builds QLX's calculation core and qlx-cli for another system and runs their tests there:
#   ./scripts/cross.sh windows   mingw-w64 into build-windows/, tests under wine, qlx-cli.exe
#                                checked against the native qlx-cli, and the zip for Windows users
#                                (build-windows/qlx-cli-VERSION-windows-x86_64.zip)
#   ./scripts/cross.sh web       emscripten into build-wasm/, tests under node, and qlx-cli.js
#                                checked against the native qlx-cli
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
    # The tests run under wine (CMAKE_CROSSCOMPILING_EMULATOR in the toolchain file). The prefix
    # is made before they start and one wine server serves them all: two tests starting together
    # on a new prefix, or one starting while the server of the last shuts down, die with "wine
    # client error ... Connection reset by peer" and fail a test that never ran. Wine's own
    # services are started here too, away from any test: started by the first test, they would
    # keep its output open and ctest would wait for them for ever.
    wineboot -i
    wineserver -w
    wineserver -p
    wineboot </dev/null >/dev/null 2>&1
    trap 'wineserver -k 2>/dev/null || true' EXIT
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
web)
    ./scripts/setup.sh --web
    ./scripts/setup.sh
    cmake -S . -B build -G Ninja ${QLX_CMAKE_ARGS:-}
    cmake --build build --target qlx-cli qlx_timing
    # The optimiser's acorn module lies where Debian's node looks, not every node.
    export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
    # The machine's node runs the tests (emscripten's default adds a flag today's node refuses).
    # C++ exceptions stay off, emscripten's default: caught, they cost every call a trip through
    # JavaScript (a line solution took twice as long), and nothing in QLX throws in its work.
    emcmake cmake -S . -B build-wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DQLX_BUILD_GUI=OFF -DQLX_BUILD_BENCH=OFF \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" ${QLX_CMAKE_ARGS:-}
    cmake --build build-wasm
    ctest --test-dir build-wasm --output-on-failure -j2
    # The same timings natively and in node, for docs/PERFORMANCE.md.
    echo "timing, native:"; ./build/bin/qlx_timing
    echo "timing, node:"; node build-wasm/bin/qlx_timing.js
    ./scripts/compare-cli.sh build/bin/qlx-cli "node build-wasm/bin/qlx-cli.js"
    ;;
*)
    echo "usage: $0 windows|web" >&2
    exit 2
    ;;
esac
