#!/usr/bin/env bash
# Installs what is missing, builds everything once in one tree (build/test:
# clang with AddressSanitizer and UBSan, a compiler warning fails the build),
# runs every fuzz target briefly with libFuzzer (scripts/fuzz.sh), then runs
# every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

build=build/test
bash scripts/test_tree.sh
cmake --build "$build" -j "$(nproc)"

# Every fuzz target run for a few seconds (built above, in the same tree).
bash scripts/fuzz.sh 5

# The tests' temporary files in memory where there is room: the readers that
# go through files sync every save, which costs little there.
scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build"
ctest -j "$(nproc)" --output-on-failure --timeout 600
