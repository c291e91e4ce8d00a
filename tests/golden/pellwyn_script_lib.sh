# Steps shared by the scripted Pellwyn runs (sourced by their scripts).

# fresh_work WORK NAME: an empty work folder, made the current one, and a
# runtime namespace of this run's own.
fresh_work() {
  rm -rf "$1"
  mkdir -p "$1"
  cd "$1"
  export WINCE_INSTANCE_NAMESPACE="$2-$$"
}

# golden_run NAME PROGRAM WORK PNG_SAME GOLDEN_DIR: the arguments of a run
# compared with golden pictures (program, work, same, golden) and its work
# folder set up as fresh_work does.
golden_run() {
  program=$2 work=$3 same=$4 golden=$5
  fresh_work "$work" "$1"
}

# expect FILE TEXT: FILE holds TEXT somewhere, or the run fails showing FILE.
expect() {
  grep -qF -- "$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}

# fail MESSAGE FILE: the run fails with MESSAGE, showing FILE.
fail() { echo "$1"; cat "$2"; exit 1; }

# expect_line FILE LINE: FILE holds the whole line LINE, or the run fails showing FILE.
expect_line() {
  grep -qxF -- "$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
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

# keys KEY...: the script lines that press each KEY in turn.
keys() { local k; for k in "$@"; do printf 'key press %s\n' "$k"; done; }

# repeat KEY N: the script lines that press KEY N times.
repeat() { local i; for ((i = 0; i < $2; i++)); do printf 'key press %s\n' "$1"; done; }

# first_player_keys: the keys of a first start that make player "A" on the
# on-screen keyboard (OK is four rows down) and play on from the player list
# to the title screen.
first_player_keys() {
  printf 'wait 1000\nkey press return\n'
  repeat down 4
  printf 'key press return\nwait 500\nkey press down\nkey press return\n'
}

# menu_item DOWNS SUBDOWNS: the script lines that open the menu of the right
# soft key and choose the item DOWNS down, then the item SUBDOWNS down the
# submenu that opens (- when the item opens none).
menu_item() {
  printf 'key press softkey2\nwait 300\n'
  repeat down "$1"
  printf 'key press return\nwait 300\n'
  if [ "$2" != - ]; then
    repeat down "$2"
    printf 'key press return\nwait 300\n'
  fi
}

# The play screen's areas that follow the clock, for png_same: the time of
# day on the toolbar and the game clock between the soft keys.
clock_areas=(170,0,70,22 80,296,80,24)

# game_type NAME: the type number of the game NAME (klondike 1 ... pyramid
# 12); nothing for another name.
game_type() {
  local names=(klondike freecell spider calculation golf idiot canfield clock fourcorners yukon sultan pyramid) i
  for i in "${!names[@]}"; do [ "${names[$i]}" = "$1" ] && echo $((i + 1)); done
  return 0
}

# choose_deal_keys TYPE DEAL: on the title screen of a new player (Klondike,
# every deal number 1), the keys that turn the dial to game TYPE the short
# way round (left brings the next type, right the one before) and type DEAL
# in the deal-number form of the title's menu.
choose_deal_keys() {
  local turns=$(($1 - 1)) key=left
  if [ "$turns" -gt 6 ]; then turns=$((13 - $1)) key=right; fi
  local i
  for ((i = 0; i < turns; i++)); do printf 'key press %s\nwait 600\n' "$key"; done
  printf 'key press menu\nwait 300\nkey press down\nkey press return\nwait 500\n'
  printf 'key press back\nchar %s\nwait 300\nkey press down\nkey press down\nkey press return\nwait 500\n' "$2"
}

# start_game_keys: Select on the title screen deals the chosen game; the
# deal is given time to land (Spider's long deal too) and the tour that
# follows a new player's first deal is closed with Back.
start_game_keys() {
  printf 'key press action\nwait 16000\nkey press back\nwait 300\n'
}

# won_keys: after the last move of a player's first win without undo or
# hint, the state dumped to won.txt (and pictured in won.png), then the four
# trophy alerts closed with Return one by one (the first-trophy alert over
# the game's first win, then a win without an undo and one without a hint)
# and the state dumped to alerts-closed.txt.
won_keys() {
  printf 'wait 2000\ndump won.txt\nscreenshot won.png\n'
  local i
  for i in 1 2 3 4; do printf 'key press return\nwait 500\n'; done
  printf 'dump alerts-closed.txt\n'
}
