#!/bin/bash
# Two sessions of a player on one device, through the keys.
# The first start makes a player and shows the title screen; the dial turns
# to FreeCell, whose rules form changes the empty-column rule; a deal is
# played a few moves, Back leaves it to the title keeping the game, and Quit
# ends the program. The second start finds the rule and the saved game: Select
# asks to resume it, and the play screen shows the same piles as before. Then
# the player list grows to eight players, one is renamed, one deleted, and
# Play switches between two of them.
#   pellwyn_session.sh PROGRAM WORK
set -eu
program=$1 work=$2
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-session

# The players form from the title screen's menu (its tenth item).
players_form() { printf 'key press softkey2\nwait 300\n'; repeat down 9; printf 'key press return\nwait 500\n'; }
# pick ROW: the list's cursor on ROW and Select marks that player.
pick() { repeat up 8; repeat down "$1"; keys return; }
# button COUNT KEYS...: out of a list of COUNT players (down past its last
# row) onto Play; from there Right is New, Down Rename, Right Down Delete.
button() {
  local count=$1
  shift
  repeat up 8
  repeat down "$count"
  keys "$@" return
  printf 'wait 500\n'
}

# A player "A" made on the on-screen keyboard and "Play" on the list lead to
# the title. Left turns the dial to FreeCell; the menu's fourth item is its
# rules form, where Right on the empty-column rule changes it and OK stores
# it. Select deals; the tour that follows the deal is closed with Back. Two
# moves of the keypad; Back asks about leaving, Select keeps the game.
{
  printf 'wait 1000\nkey press return\n'
  repeat down 4
  printf 'key press return\nwait 500\nkey press down\nkey press return\nwait 6000\ndump title.txt\n'
  printf 'key press left\nwait 2000\ndump turned.txt\n'
  printf 'key press softkey2\nwait 300\n'
  repeat down 3
  printf 'key press return\nwait 500\ndump rules.txt\n'
  keys down right down down down return
  printf 'wait 1500\ndump stored.txt\n'
  printf 'key press action\nwait 15000\ndump tour.txt\nkey press back\nwait 1500\n'
  keys right action
  printf 'wait 1000\n'
  keys action right action
  printf 'wait 1000\ndump played.txt\nscreenshot played.png\n'
  printf 'key press back\nwait 1500\ndump leave.txt\nkey press return\nwait 1500\ndump left.txt\n'
  printf 'key press softkey1\n'
} > script.txt
run_script "$program"

expect() {
  grep -q "^$2\$" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
expect title.txt 'top_form=1000'
expect title.txt 'player=A'
expect title.txt 'players=1'
expect turned.txt 'game_type=2'
expect rules.txt 'top_form=1321'
expect rules.txt 'game_rules=1354=1 1348=1 1357=1 1341=0'
expect stored.txt 'top_form=1000'
expect stored.txt 'game_rules=1354=1 1348=2 1357=1 1341=0'
expect tour.txt 'top_form=1180'
expect played.txt 'top_form=1010'
expect played.txt 'game.type=2'
grep -q '^game.undo=0$' played.txt && { echo "the keys played no move"; cat played.txt; exit 1; }
expect leave.txt 'top_form=1220'
expect left.txt 'top_form=1000'
expect left.txt 'last_error='
grep '^game.pile=' played.txt > piles-before.txt

# The second start: the title with FreeCell and its rule; Select offers the
# saved game, Select again resumes it (a restored game opens no start form).
# Back and Select leave it for the title again.
{
  printf 'wait 3000\ndump restarted.txt\n'
  printf 'key press action\nwait 1500\ndump resume.txt\nscreenshot resume.png\n'
  printf 'key press return\nwait 6000\ndump resumed.txt\nscreenshot resumed.png\n'
  printf 'key press back\nwait 1500\nkey press return\nwait 1500\ndump title2.txt\n'
  # The list opens with its cursor on A's row and A marked: Play right away
  # plays on with A.
  players_form
  button 1
  printf 'wait 500\ndump kept.txt\n'
  # Seven more players, B to H: New, the letter (the keyboard starts on A,
  # its first row runs A to H), then down to OK.
  players_form
  for ((n = 1; n < 8; n++)); do
    button $n right
    repeat right $n
    keys return
    repeat down 4
    keys return
    printf 'wait 500\n'
  done
  printf 'dump eight.txt\nscreenshot eight.png\n'
  # C (row 2) renamed to CA: the keyboard's C, then A.
  pick 2
  button 8 down
  printf 'dump rename.txt\n'
  repeat right 2
  keys return
  repeat left 2
  keys return
  repeat down 4
  keys return
  printf 'wait 500\ndump renamed.txt\n'
  # D (row 3) deleted, answered with Yes.
  pick 3
  button 8 right down
  printf 'dump delete.txt\n'
  keys left return
  printf 'wait 500\ndump deleted.txt\nscreenshot deleted.png\n'
  # Play with F (row 4 of A B CA E F G H), then with B. The list opens on
  # its cursor on the first row and F marked: Play right away stays with F.
  pick 4
  button 7
  printf 'wait 1000\ndump switched.txt\n'
  players_form
  button 7
  printf 'wait 1000\ndump stayed.txt\n'
  players_form
  pick 1
  button 7
  printf 'wait 1000\ndump switched-back.txt\n'
} > script.txt
run_script "$program"

expect restarted.txt 'top_form=1000'
expect restarted.txt 'player=A'
expect restarted.txt 'game_type=2'
expect restarted.txt 'game_rules=1354=1 1348=2 1357=1 1341=0'
expect resume.txt 'top_form=1230'
expect resumed.txt 'game.type=2'
expect resumed.txt 'last_error='
grep '^game.pile=' resumed.txt > piles-after.txt
diff piles-before.txt piles-after.txt || { echo "the resumed game differs from the one left"; exit 1; }
expect title2.txt 'top_form=1000'
expect kept.txt 'top_form=1000'
expect kept.txt 'player=A'
expect eight.txt 'top_form=1191'
expect eight.txt 'players=8'
expect eight.txt 'player=H'
expect rename.txt 'gadget=1192:20:gdtLbl value=0 text="New name for C:"'
expect renamed.txt 'top_form=1191'
expect renamed.txt 'players=8'
expect delete.txt 'gadget=1193:20:gdtLbl value=0 text="Delete D and all of their scores and saved games?"'
expect deleted.txt 'top_form=1191'
expect deleted.txt 'players=7'
expect switched.txt 'top_form=1000'
expect switched.txt 'player=F'
expect switched.txt 'players=7'
expect stayed.txt 'player=F'
expect switched-back.txt 'top_form=1000'
expect switched-back.txt 'player=B'
expect switched-back.txt 'last_error='
# On disk: one database per player under the current names.
saves="root/My Documents/Pellwyn"
for name in A B CA E F G H; do
  [ -f "$saves/$name-QZSUser.pdb" ] || { echo "no database for $name"; ls "$saves"; exit 1; }
done
for name in C D; do
  [ ! -f "$saves/$name-QZSUser.pdb" ] || { echo "the database of $name stayed"; exit 1; }
done
echo ok
