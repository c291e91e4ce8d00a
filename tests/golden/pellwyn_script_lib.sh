# Steps shared by the scripted Pellwyn runs (sourced by their scripts).

# fresh_work WORK NAME: an empty work folder, made the current one, and a
# runtime namespace of this run's own.
fresh_work() {
  rm -rf "$1"
  mkdir -p "$1"
  cd "$1"
  export WINCE_INSTANCE_NAMESPACE="$2-$$"
}

# run_script PROGRAM: runs script.txt headless on the device folder root.
run_script() {
  "$1" --headless --root root --script script.txt 2>stderr.txt || { cat stderr.txt; exit 1; }
}

# compare_golden SAME GOLDEN_DIR PREFIX NAME...: each NAME.png against
# GOLDEN_DIR/PREFIX-NAME.png; with PELLWYN_UPDATE_GOLDEN=1 they become the golden ones.
compare_golden() {
  local same=$1 dir=$2 prefix=$3 picture
  shift 3
  for picture in "$@"; do
    if [ "${PELLWYN_UPDATE_GOLDEN:-0}" = 1 ]; then
      cp "$picture.png" "$dir/$prefix-$picture.png"
      continue
    fi
    "$same" "$picture.png" "$dir/$prefix-$picture.png" ||
      { echo "$PWD/$picture.png differs from $dir/$prefix-$picture.png"; exit 1; }
  done
}
