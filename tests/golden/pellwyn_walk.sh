#!/bin/bash
# Every form the menus reach, opened and closed through the keys, headless on
# a fresh device: a player is made; each item of the title screen's menu (the
# right soft key, with its Look, Settings and Help submenus) opens its form,
# which is dumped, pictured and closed with Back (or its Cancel button); then
# a Klondike deal is started and the play screen's game menu is walked the
# same way. Every form must be the one expected, with no error recorded, and
# closing it must lead back to the screen below. The screenshots stay in WORK
# as review pictures; they are not compared.
#   pellwyn_walk.sh PROGRAM WORK
set -eu
program=$1 work=$2
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-walk

# visit NAME FORM BELOW DOWNS SUBDOWNS [CLOSE_KEYS...]: the menu of the right
# soft key, DOWNS items down, then SUBDOWNS down its submenu (- for none);
# the form is dumped and pictured as NAME and closed with CLOSE_KEYS (Back
# when none are given). Each visit is listed in visits.txt with the form it
# must show and the form it must come back to.
visit() {
  local name=$1 form=$2 below=$3 downs=$4 sub=$5
  shift 5
  echo "$name $form $below" >> visits.txt
  menu_item "$downs" "$sub"
  printf 'wait 500\ndump %s.txt\nscreenshot %s.png\n' "$name" "$name"
  [ $# -gt 0 ] || set -- back
  keys "$@"
  # The screen below takes a moment after a form closes before its soft keys
  # answer again.
  printf 'wait 1500\ndump %s-closed.txt\n' "$name"
}

# The deal-number form's Back rubs out a digit: its Cancel button closes it.
cancel_seed="down down right return"
{
  # A player "A" made on the on-screen keyboard, then "Play" on the list.
  first_player_keys
  printf 'wait 6000\ndump title.txt\n'
  visit new-game 1456 1000 0 -
  visit deal-number 1395 1000 1 - $cancel_seed
  visit game-options 1300 1000 2 -
  visit rules 1320 1000 3 -
  visit statistics 1386 1000 4 -
  visit trophies 1426 1000 5 -
  visit card-backs 1390 1000 6 0
  visit card-fronts 1430 1000 6 1
  visit backgrounds 1410 1000 6 2
  visit theme 1415 1000 6 3
  visit sound 1040 1000 7 0
  visit language 1080 1000 7 1
  visit tutorial 1180 1000 8 0
  visit keys 1110 1000 8 1
  visit tips 1120 1000 8 2
  visit about 1100 1000 8 3
  visit players 1191 1000 9 -
  # Select deals Klondike; its first deal brings the tour, which Back closes.
  printf 'key press action\nwait 9000\ndump tour.txt\nkey press back\nwait 1500\ndump play.txt\n'
  visit play-new-deal 1422 1010 0 -
  visit play-restart 1423 1010 1 -
  visit play-choose-deal 1395 1010 6 - $cancel_seed
  visit play-rules 1320 1010 7 -
  visit play-card-backs 1390 1010 8 0
  visit play-card-fronts 1430 1010 8 1
  visit play-backgrounds 1410 1010 8 2
  visit play-colours 1415 1010 8 3
  visit play-sound 1040 1010 9 -
  visit play-statistics 1386 1010 10 -
  visit play-trophies 1426 1010 11 -
  visit play-how-to-play 1421 1010 12 -
  visit play-title 1220 1010 13 -
} > script.txt
run_script "$program"

expect() {
  grep -q "^$2\$" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
expect title.txt 'top_form=1000'
expect tour.txt 'top_form=1180'
expect play.txt 'top_form=1010'
while read -r name form below; do
  expect "$name.txt" "top_form=$form"
  expect "$name.txt" 'last_error='
  expect "$name-closed.txt" "top_form=$below"
  expect "$name-closed.txt" 'last_error='
done < visits.txt
echo ok
