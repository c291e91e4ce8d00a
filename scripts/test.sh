#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan
# (a compiler warning fails the build), runs every fuzz target briefly with
# libFuzzer (scripts/fuzz.sh), then runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
      -DPELLWYN_SANITIZE=ON -DPELLWYN_WERROR=ON -DPELLWYN_TESTS=ON -DPELLWYN_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

# Every fuzz target built with libFuzzer (build/fuzz) and run for a few seconds.
bash scripts/fuzz.sh 5

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build"
ctest -j "$(nproc)" --output-on-failure --timeout 600
