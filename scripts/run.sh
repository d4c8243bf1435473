#!/bin/sh
# Sets up a fresh Debian 12 machine, builds QLX and starts it.
# There is no window yet: this prints the cable catalogue with each line's matched loss,
# R0 and X0 at 14 MHz, the first thing the calculator works from.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build
exec ./build/bin/qlx-cli cables --freq 14
