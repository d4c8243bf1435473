#!/bin/sh
# Installs every Debian package QLX needs to build, test and run. Safe to run again:
# packages already present are left alone. Works as root or through sudo.
set -eu

PACKAGES="cmake ninja-build g++ pkg-config \
qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev \
libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev \
fonts-liberation2 xvfb xauth"

# With --fuzz, also clang and its libFuzzer runtime, for scripts/fuzz.sh; with --package, what
# building and checking the Debian package needs (scripts/package-test.sh).
if [ "${1:-}" = "--fuzz" ]; then
    PACKAGES="$PACKAGES clang-14 libclang-rt-14-dev"
fi
if [ "${1:-}" = "--package" ]; then
    PACKAGES="$PACKAGES dpkg-dev desktop-file-utils appstream"
fi
# With --windows, the cross compiler for Windows, wine to run its programs and tests, the
# GoogleTest sources to build for Windows, and zip for the package; without Qt (the Windows build
# is the calculator's core and qlx-cli).
# With --web, emscripten (Debian's, with its clang and binaryen) and the acorn module its
# optimiser needs; node runs the WebAssembly tests, and Chromium the page's.
if [ "${1:-}" = "--web" ]; then
    PACKAGES="cmake ninja-build emscripten node-acorn googletest nlohmann-json3-dev chromium"
fi
if [ "${1:-}" = "--windows" ]; then
    PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix wine64 wine googletest nlohmann-json3-dev zip unzip"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "setup: all packages present"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "setup: need root or sudo to install:$missing" >&2
    exit 1
fi

echo "setup: installing$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
