#!/bin/bash
# Choosing a game and a deal through the keys, headless on a fresh device: a
# player is made; on the title screen the dial turns to FreeCell, whose deal
# number is typed in the deal-number form (from the title's menu); the dial
# turns back to Klondike; the new-game grid (from the menu) moves its cursor
# to FreeCell, Select marks it and Select again starts it: the play screen
# deals FreeCell's deal 4242. The screenshots stay in WORK for review.
#   pellwyn_choice.sh PROGRAM WORK
set -eu
program=$1 work=$2
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-choice

{
  first_player_keys
  cat <<SCRIPT
wait 6000
screenshot title.png
key press left
wait 2000
dump turned.txt
key press menu
wait 300
screenshot menu.png
key press down
key press return
wait 500
key press back
char 4242
wait 300
screenshot deal-number.png
dump typed.txt
key press down
key press down
key press return
wait 500
dump dealt-number.txt
key press right
wait 2000
key press menu
wait 300
key press return
wait 500
screenshot new-game.png
dump grid.txt
key press right
key press return
wait 300
screenshot new-game-marked.png
dump marked.txt
key press return
wait 6000
dump play.txt
screenshot play.png
SCRIPT
} > script.txt
"$program" --headless --root root --script script.txt

grep -q '^game_type=2$' turned.txt || fail "the dial did not turn to FreeCell" turned.txt
grep -q '^top_form=1395$' typed.txt || fail "no deal-number form" typed.txt
grep -q '^gadget=1395:1210:gdtTxtEnt .*text="4242"$' typed.txt || fail "the number was not typed" typed.txt
grep -q '^forms=1190 1000$' dealt-number.txt || fail "OK did not close the deal-number form" dealt-number.txt
grep -q '^top_form=1456$' grid.txt || fail "no new-game form" grid.txt
grep -q '^gadget=1456:20:gdtLbl .*text="Klondike"$' grid.txt || fail "the grid does not name Klondike" grid.txt
grep -q '^gadget=1456:20:gdtLbl .*text="FreeCell"$' marked.txt || fail "the grid did not mark FreeCell" marked.txt
grep -q '^forms=1190 1010$' play.txt || fail "no play screen over the profile" play.txt
grep -q '^game.type=2$' play.txt || fail "the play screen does not play FreeCell" play.txt
grep -q '^game.deal=4242$' play.txt || fail "the play screen does not deal 4242" play.txt
echo ok
