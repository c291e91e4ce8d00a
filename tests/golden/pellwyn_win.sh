#!/bin/bash
# A game won through a line of moves, headless on a fresh device: a player
# is made, the title screen's dial turns to GAME and the deal-number form
# takes DEAL; Select deals it and the first deal's tour is closed. The lines
# of MOVES (taps, drags, keys and waits) are then played on the settled
# deal. The game must be won; once the alerts of the win are closed and the
# cards have been thrown off the table, the game-won form shows, and the
# statistics of the game and of all games count one more game played and
# one more won. Dumps and the script stay in WORK.
#   pellwyn_win.sh PROGRAM GAME DEAL MOVES WORK
set -eu
program=$1 game=$2 deal=$3 moves=$4 work=$5
source "$(dirname "$0")/pellwyn_script_lib.sh"
type=$(game_type "$game")
[ -n "$type" ] || { echo "no game '$game'"; exit 1; }
moves=$(realpath "$moves")
fresh_work "$work" "pellwyn-win-$game"

{
  first_player_keys
  printf 'wait 6000\n'
  choose_deal_keys "$type" "$deal"
  start_game_keys
  printf 'dump before.txt\n'
  cat "$moves"
  won_keys
  # The end throws the cards off the table, one at a time at random
  # intervals that shrink with the cards left (104 in Spider), before the
  # game-won form comes; a wait past that costs next to nothing.
  printf 'wait 150000\ndump after.txt\nscreenshot after.png\n'
} > script.txt
run_script "$program"

expect_line before.txt 'top_form=1010'
expect_line before.txt "game.type=$type"
expect_line before.txt "game.deal=$deal"
expect_line won.txt 'game.won=1'
expect_line alerts-closed.txt 'forms=1190 1010'
expect_line after.txt 'forms=1190 1010 1384'

# counts FILE PAGE: the games played, won and lost on statistics page PAGE (all or game).
counts() { sed -n "s/^statistics\.$2=played:\([0-9]*\) won:\([0-9]*\) lost:\([0-9]*\)$/\1 \2 \3/p" "$1"; }
for page in all game; do
  read -r played won lost <<<"$(counts before.txt $page)"
  [ -n "$lost" ] || { echo "before.txt: no statistics.$page line"; cat before.txt; exit 1; }
  expect_line after.txt "statistics.$page=played:$((played + 1)) won:$((won + 1)) lost:$lost"
done
echo ok
