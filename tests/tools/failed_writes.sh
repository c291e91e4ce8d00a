#!/bin/bash
# The tools write their outputs in one step. With every write failing (a file
# size limit of 0, its signal ignored, makes a write fail as a full disk
# would) each tool says so and fails, the output made before stays as it was,
# and no temporary file is left beside it.
#   failed_writes.sh SOLDB PDBTOOL IMGPACK SOURCE_DIR WORK
set -u
soldb=$1 pdbtool=$2 imgpack=$3 source=$4 work=$5
rm -rf "$work"
mkdir -p "$work/extract"
failures=0

# One tool run twice: once to make the output, once with writes failing.
check() {
  local name=$1 output=$2
  shift 2
  if ! "$@" >"$work/$name.log" 2>&1; then
    echo "$name: the first run failed: $(cat "$work/$name.log")"
    failures=$((failures + 1))
    return
  fi
  cp -r "$output" "$work/$name.before"
  # The messages come through a pipe, which the size limit does not touch.
  local said
  if said=$( (trap '' XFSZ; ulimit -f 0; exec "$@") 2>&1); then
    echo "$name: reported success with writes failing"
    failures=$((failures + 1))
  fi
  if [[ "$said" != *"cannot write"* ]]; then
    echo "$name: does not say what it could not write: $said"
    failures=$((failures + 1))
  fi
  if ! diff -r "$work/$name.before" "$output" >/dev/null; then
    echo "$name: the old output changed"
    failures=$((failures + 1))
  fi
  local left
  left=$(find "$(dirname "$output")" -name '*.tmp')
  if [ -n "$left" ]; then
    echo "$name: left behind: $left"
    failures=$((failures + 1))
  fi
}

check soldb_asm "$work/klondike.soldb" "$soldb" asm "$source/data/carrowin/klondike.txt" "$work/klondike.soldb"
check pdbtool_build "$work/Sample.pdb" "$pdbtool" build "$source/tools/pdbtool/test/sample.txt" "$work/Sample.pdb"
check pdbtool_extract "$work/extract" "$pdbtool" extract "$work/Sample.pdb" "$work/extract"
check imgpack_pln "$work/screen.pln" "$imgpack" pln "$work/screen.pln" --raw "$source/tests/platform/golden/program_screen.png"
[ "$failures" -eq 0 ] && echo "every tool kept its old output"
exit $((failures != 0))
