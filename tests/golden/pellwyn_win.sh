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
  # The end throws the cards off the table before the game-won form comes.
  printf 'wait 70000\ndump after.txt\nscreenshot after.png\n'
} > script.txt
run_script "$program"

expect before.txt 'top_form=1010'
expect before.txt "game.type=$type"
expect before.txt "game.deal=$deal"
expect won.txt 'game.won=1'
expect alerts-closed.txt 'forms=1190 1010'
expect after.txt 'forms=1190 1010 1384'

# counts FILE PAGE: the games played and won on statistics page PAGE (all or game).
counts() { sed -n "s/^statistics\.$2=played:\([0-9]*\) won:\([0-9]*\) .*/\1 \2/p" "$1"; }
for page in all game; do
  read -r played won <<<"$(counts before.txt $page)"
  expect after.txt "statistics.$page=played:$((played + 1)) won:$((won + 1)) "
done
echo ok
