#!/bin/bash
# A game's rules changed through the keys, headless on a fresh device: a
# player is made, the title screen's menu opens Klondike's rules, the draw
# count steps from three cards to one and OK stores it; a second start of
# the program finds the new rule in the player's profile. Along the way every
# game's rules form is shown once (screenshots for review, not compared).
#   pellwyn_rules.sh PROGRAM WORK
set -eu
program=$1 work=$2
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-rules

# A first start asks for a player: A is typed on the on-screen keyboard, OK
# makes the player and "Play" on the player list leads to the title. The right
# soft key opens the menu, whose fourth item is the rules of the game in front.
{
  first_player_keys
  cat <<SCRIPT
wait 6000
dump title.txt
key press softkey2
wait 300
dump menu.txt
screenshot menu.png
$(repeat down 3)
key press return
wait 300
dump opened.txt
screenshot klondike.png
key press right
wait 100
dump stepped.txt
$(repeat down 5)
wait 100
dump on-ok.txt
key press return
wait 300
dump stored.txt
SCRIPT
} > first.txt
"$program" --headless --root root --script first.txt 2>stderr.txt || { cat stderr.txt; exit 1; }

# The second start: the rule is there; then the dial turns through the other
# eleven games (Right brings Pyramid to the front first) and each one's rules
# form is opened, pictured and left with Back.
{
  echo "wait 3000"
  echo "dump restarted.txt"
  for game in pyramid sultan yukon fourcorners clock canfield idiot golf calculation spider freecell; do
    echo "key press right"
    echo "wait 1500"
    echo "key press softkey2"
    echo "wait 300"
    echo "key press down"
    echo "key press down"
    echo "key press down"
    echo "key press return"
    echo "wait 300"
    echo "dump $game.txt"
    echo "screenshot $game.png"
    echo "key press back"
    echo "wait 300"
  done
} > second.txt
"$program" --headless --root root --script second.txt 2>stderr.txt || { cat stderr.txt; exit 1; }

expect() {
  grep -q "^$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
expect title.txt 'top_form=1000'
expect title.txt 'game_rules=1342=3 1345=3 1348=2 1351=2 1341=0'
expect opened.txt 'top_form=1320'
expect opened.txt 'gadget=1320:1342:gdtButton value=0 text="Three cards"'
expect stepped.txt 'gadget=1320:1342:gdtButton value=0 text="One card"'
expect stepped.txt 'game_rules=1342=3 '
expect stored.txt 'top_form=1000'
expect stored.txt 'game_rules=1342=1 1345=3 1348=2 1351=2 1341=0'
expect restarted.txt 'top_form=1000'
expect restarted.txt 'game_rules=1342=1 1345=3 1348=2 1351=2 1341=0'
for game in pyramid sultan yukon fourcorners clock canfield idiot golf calculation spider freecell; do
  case $game in
    freecell) form=1321 ;; spider) form=1322 ;; calculation) form=1324 ;; golf) form=1416 ;;
    idiot) form=1431 ;; canfield) form=1434 ;; clock) form=1437 ;; fourcorners) form=1439 ;;
    yukon) form=1441 ;; sultan) form=1419 ;; pyramid) form=1323 ;;
  esac
  expect $game.txt "top_form=$form"
done
echo ok
