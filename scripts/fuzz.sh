#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60) from the seed
# corpus in fuzz/corpus. Any crash, hang, sanitizer report or broken invariant fails the run.
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
./scripts/setup.sh --fuzz
CXX=clang++-14 CC=clang-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQLX_FUZZ=ON -DQLX_BUILD_GUI=OFF -DQLX_BUILD_TESTS=OFF -DQLX_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake --build build-fuzz
for target in numbers defaults cli typing touchstone; do
    # A fresh working corpus each run: the seeds stay as they are in the repository.
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    echo "fuzz: $target for $SECONDS_EACH s"
    ASAN_OPTIONS=detect_leaks=1 ./build-fuzz/bin/fuzz_$target -max_total_time="$SECONDS_EACH" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build-fuzz/$target-" "$work" "fuzz/corpus/$target"
done
