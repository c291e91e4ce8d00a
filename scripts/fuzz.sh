#!/usr/bin/env bash
# Builds every fuzz target with libFuzzer (clang, AddressSanitizer and UBSan) in
# the test tree build/test (scripts/test_tree.sh) and runs each for a fixed time
# on a scratch copy of its seed corpus.
#   scripts/fuzz.sh [SECONDS [NAME...]]   SECONDS per target (default 5); NAMEs
#                                         pick targets (default: all of them)
# Targets run side by side, $FUZZ_JOBS at a time (default: one per core). Inputs
# that fail are kept in build/test/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
shift $(($# > 0 ? 1 : 0))
build=build/test

bash scripts/test_tree.sh
if [ $# -gt 0 ]; then
  targets=("${@/#/fuzz_}")
else
  # One target for each seed corpus.
  mapfile -t targets < <(find fuzz/corpus -mindepth 1 -maxdepth 1 -type d -printf 'fuzz_%f\n' | sort)
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

# Everything the runs write (corpus additions, the targets' own device roots
# and registry files in the temporary folder) goes to one scratch folder,
# removed at the end; in memory where there is room, as the targets that go
# through files sync every registry save.
scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/crashes"

run_one() {
  local target=$1 name=${1#fuzz_}
  local exe corpus=$scratch/corpus/$name log=$scratch/$name.log
  exe=$(find "$build/fuzz" -type f -name "$target" -perm -u+x)
  mkdir -p "$corpus" "$scratch/tmp/$name"
  cp -r "fuzz/corpus/$name/." "$corpus"
  if TMPDIR=$scratch/tmp/$name "$exe" -max_total_time="$seconds" -timeout=25 -seed=1 \
       -artifact_prefix="$build/crashes/$name-" "$corpus" >"$log" 2>&1; then
    sed -n "s/^Done \([0-9]*\) runs in \([0-9]*\) second.*/$name: \1 runs in \2 s/p" "$log"
  else
    echo "$name FAILED:"
    tail -n 40 "$log"
    return 1
  fi
}
export -f run_one
export build scratch seconds
printf '%s\n' "${targets[@]}" | xargs -P "${FUZZ_JOBS:-$(nproc)}" -I{} bash -c 'run_one {}'
