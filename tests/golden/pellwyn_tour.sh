#!/bin/bash
# The tour across restarts. A new player's first deal is left while its cards
# still fly: the stop saves the game and opens no form, so the second start
# shows the restored game alone (no tour). The next deal brings the tour,
# once; after it a further deal and a third start open nothing. (The deal
# given up counts as a Klondike game played, so its rules do not follow the
# tour.) Then a new device: the first deal lands, the tour's Done brings
# Klondike's rules; after a restart neither comes back, nor at the next deal.
#   pellwyn_tour.sh PROGRAM WORK
set -eu
program=$1
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$2" pellwyn-tour

expect() {
  grep -qx "$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
run() {
  printf '%s\n' "$@" > script.txt
  run_script "$program"
}

# A player "A", then Select on the title deals; the stop comes mid-deal.
run "wait 1000" "key press return" "key press down" "key press down" "key press down" "key press down" \
  "key press return" "wait 500" "key press down" "key press return" "wait 6000" "key press action" \
  "wait 300" "dump dealing.txt"
expect dealing.txt 'forms=1190 1010'

# The restored game opens nothing, then or later. A new deal (the game
# menu's first item, confirmed) brings the tour; Done closes it. One more
# deal opens nothing.
run "wait 1500" "dump restored.txt" "wait 9000" "dump later.txt" \
  "key press softkey2" "wait 300" "key press return" "wait 300" "key press return" "wait 9000" "dump tour.txt" \
  "key press left" "key press return" "wait 300" "dump done.txt" \
  "key press softkey2" "wait 300" "key press return" "wait 300" "key press return" "wait 9000" "dump second.txt"
expect restored.txt 'forms=1190 1010'
expect later.txt 'forms=1190 1010'
expect tour.txt 'forms=1190 1010 1180'
expect done.txt 'forms=1190 1010'
expect second.txt 'forms=1190 1010'

run "wait 1500" "dump third.txt" "wait 9000" "dump third_later.txt"
expect third.txt 'forms=1190 1010'
expect third_later.txt 'forms=1190 1010'

rm -rf root
run "wait 1000" "key press return" "key press down" "key press down" "key press down" "key press down" \
  "key press return" "wait 500" "key press down" "key press return" "wait 6000" "key press action" \
  "wait 9000" "dump landed.txt" "key press left" "key press return" "wait 300" "dump rules.txt" \
  "key press back" "wait 300" "dump closed.txt"
expect landed.txt 'forms=1190 1010 1180'
expect rules.txt 'forms=1190 1010 1421'
expect closed.txt 'forms=1190 1010'
run "wait 1500" "dump back.txt" "wait 9000" "dump back_later.txt" \
  "key press softkey2" "wait 300" "key press return" "wait 300" "key press return" "wait 9000" "dump next.txt"
expect back.txt 'forms=1190 1010'
expect back_later.txt 'forms=1190 1010'
expect next.txt 'forms=1190 1010'
echo ok
