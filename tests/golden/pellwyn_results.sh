#!/bin/bash
# A lost game through the keys and what follows it: a player is made, a
# Klondike deal is played for an hour of the virtual clock without a win,
# and "New deal" gives it up. The loss earns the trophy for an hour of play
# without a win: its alert comes with the first-trophy alert over it, and
# closing it shows the background it unlocks. Back then keeps the game and
# leads to the title, whose menu opens the statistics: one game lost on the
# all-games page and on the Klondike page. Screenshots of each form stay in
# WORK for review.
#   pellwyn_results.sh PROGRAM WORK
set -eu
program=$1 work=$2
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-results

# A first start asks for a player: A is typed on the on-screen keyboard,
# OK makes the player and "Play" on the player list leads to the title.
# Select deals Klondike; the first deal brings the tour, which Back closes;
# a key starts the game's clock.
{
  first_player_keys
  cat <<SCRIPT
wait 6000
key press action
wait 9000
key press back
wait 300
key press down
wait 3610000
key press n
wait 300
dump new-deal.txt
screenshot new-deal.png
key press return
wait 500
dump trophy.txt
screenshot first-trophy.png
key press return
wait 300
dump trophy-text.txt
screenshot trophy.png
key press return
wait 500
dump unlock.txt
screenshot unlock.png
key press return
wait 500
dump dealt.txt
key press back
wait 300
dump leave.txt
screenshot leave.png
key press return
wait 1000
key press menu
wait 300
screenshot menu.png
$(repeat down 4)
key press return
wait 500
dump stats.txt
screenshot stats.png
key press right
wait 300
dump stats-klondike.txt
screenshot stats-klondike.png
key press down
key press return
wait 300
dump reset.txt
screenshot reset.png
SCRIPT
} > script.txt
"$program" --headless --root root --script script.txt 2>stderr.txt || { cat stderr.txt; exit 1; }

expect() {
  grep -q "^$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
expect new-deal.txt 'top_form=1422'
# Trophy 47 (an hour lost since the last win) is the player's first.
expect trophy.txt 'forms=1190 1010 1428 1464'
expect trophy.txt 'top_form=1464'
expect trophy-text.txt 'gadget=1428:20:gdtLbl value=0 text="You played on through an hour of lost games."'
expect unlock.txt 'top_form=1433'
expect unlock.txt 'gadget=1433:20:gdtLbl value=0 text="New background"'
# The new deal is dealt under the alerts: the next number.
expect dealt.txt 'top_form=1010'
expect dealt.txt 'game.deal=2'
expect leave.txt 'top_form=1220'
expect stats.txt 'top_form=1386'
expect stats.txt 'gadget=1386:1357:gdtButton value=0 text="All games"'
expect stats.txt 'gadget=1386:29:gdtLbl value=0 text="1"'
expect stats.txt 'gadget=1386:32:gdtLbl value=0 text="1"'
expect stats.txt 'gadget=1386:35:gdtLbl value=0 text="-1"'
expect stats.txt 'gadget=1386:28:gdtLbl value=0 text="1:00:'
expect stats-klondike.txt 'gadget=1386:1357:gdtButton value=0 text="Klondike"'
expect stats-klondike.txt 'gadget=1386:32:gdtLbl value=0 text="1"'
expect reset.txt 'top_form=1448'
expect reset.txt 'gadget=1448:20:gdtLbl value=0 text="Clear the statistics of Klondike?"'
echo ok
