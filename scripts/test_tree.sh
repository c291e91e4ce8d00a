#!/usr/bin/env bash
# Configures the one sanitizer tree (build/test) that scripts/test.sh and
# scripts/fuzz.sh share: clang with AddressSanitizer and UBSan on every source,
# warnings as errors, the tests, and the fuzz targets as libFuzzer programs too.
# Each source compiles once; the libraries carry libFuzzer's coverage hooks.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/test
# A tree configured earlier with another compiler is configured anew.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
      -DPELLWYN_SANITIZE=ON -DPELLWYN_WERROR=ON -DPELLWYN_LIBFUZZER=ON -DPELLWYN_TESTS=ON -DPELLWYN_BENCH=OFF >/dev/null
