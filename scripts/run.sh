#!/bin/sh
# Sets up a fresh Debian 12 machine, builds QLX and starts the desktop program.
# TL.DEF, the file of defaults and window positions, is kept beside the program (build/bin).
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
exec ./build/bin/qlx
