#!/bin/bash
# Deal 1 of Klondike won on the play screen, headless on a fresh device (the
# moves: wins/klondike.txt), then the end of the won game: the cards
# are thrown off the table until none is left, and none of their pictures
# stays behind (the table then equals the same screen drawn anew after a
# suspend and resume). Pictures of the win and of the cards on their way stay
# in WORK (won.png, end1.png ... gone.png).
#   pellwyn_won.sh PROGRAM MOVES WORK SAME
set -eu
program=$1 moves=$2 work=$3 same=$4
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-won

{
  # A first start: a player is made, then the title screen's Select deals;
  # the tour that follows a new player's first deal is closed with Back.
  first_player_keys
  printf 'wait 6000\n'
  start_game_keys
  cat "$moves"
  won_keys
  cat <<'SCRIPT'
wait 7000
screenshot end1.png
wait 1500
screenshot end2.png
wait 2000
screenshot end3.png
wait 3000
screenshot end4.png
wait 60000
dump gone.txt
screenshot gone.png
suspend
wait 500
resume
wait 1500
screenshot redrawn.png
SCRIPT
} > script.txt
"$program" --headless --root root --script script.txt

grep -q '^game.won=1$' won.txt || fail "the game was not won" won.txt
for f in 1 2 3 4; do
  grep -q "^game.pile=$f f: 1\.[0-3]u 2\." won.txt || fail "foundation $f is not built" won.txt
done
# The win's trophies (the first trophy's alert over the first win's, then
# a win without an undo and one without a hint) are closed one by one.
grep -q '^forms=1190 1010$' alerts-closed.txt || fail "the trophy alerts did not close" alerts-closed.txt
grep -q '^forms=1190 1010 1384$' gone.txt || fail "no game-won form after the end" gone.txt
if grep -q '^game.pile=[0-9]* [a-z]: [0-9]' gone.txt; then fail "cards are left on the table" gone.txt; fi
"$same" gone.png redrawn.png "${clock_areas[@]}" || { echo "card pictures stay on the table: $work/gone.png"; exit 1; }
echo ok
