#!/bin/sh
# Sets up a fresh Debian 12 machine, builds QLX and runs every test.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
# QLX_CMAKE_ARGS adds settings of CI's (warnings as errors) to the configuration.
# shellcheck disable=SC2086
cmake -S . -B build -G Ninja ${QLX_CMAKE_ARGS:-}
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
