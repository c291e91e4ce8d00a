#!/bin/bash
# The help and the language through the keys. A first start makes a player;
# the title screen's menu (left soft key) opens the language form, German is
# picked and OK restarts the program in German: the title and the player form
# read in German. A second start is still German: the menu's tour shows its
# first step, Done shows Klondike's rules, Next turns to "how to play", whose
# text is scrolled down a line and back (the screen changes and comes back
# the same).
#   pellwyn_help.sh PROGRAM WORK PNG_SAME
set -eu
program=$1
work=$2
same=$3
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-help

expect() {
  grep -q "^$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
run() {
  "$program" --headless --root root --script "$1" 2>stderr.txt || { cat stderr.txt; exit 1; }
}

# A player "II" typed on the keyboard, then the title screen. Its menu (the
# right soft key) has Settings as its eighth item, whose second item is the
# language. The language form has the focus on German; OK is below Italian.
cat > language.txt <<SCRIPT
wait 1000
key press down
key press return
key press return
$(repeat down 3)
key press return
wait 3000
key press softkey2
wait 300
dump menu.txt
$(repeat down 7)
key press return
key press down
key press return
wait 300
dump lang.txt
key press return
wait 300
screenshot language.png
$(repeat down 5)
key press return
wait 1500
dump restarted.txt
key press softkey2
wait 300
$(repeat down 9)
key press return
wait 300
dump players.txt
screenshot players.png
SCRIPT
run language.txt
expect menu.txt 'menus=1000:quick 1001:popup'
expect lang.txt 'top_form=1080'
expect lang.txt 'gadget=1080:1082:gdtChkBox value=1 text="English"'
expect restarted.txt 'top_form=1000'
expect restarted.txt 'player=II'
expect players.txt 'top_form=1191'
expect players.txt 'gadget=1191:20:gdtLbl value=0 text="Es spielt: II"'
expect players.txt 'gadget=1191:1202:gdtButton value=0 text="Spielen"'

# The second start brings back the player form left open; Back closes it.
# Then the tour in German, and the rules of the current game.
cat > rules.txt <<SCRIPT
wait 1500
key press back
wait 1000
key press softkey2
wait 300
$(repeat down 8)
key press return
key press return
wait 500
dump tour.txt
screenshot tour.png
key press left
key press return
wait 300
dump aim.txt
key press return
key press return
wait 300
dump play.txt
key press up
wait 300
screenshot top.png
key press down
wait 300
screenshot scrolled.png
key press up
wait 300
screenshot back.png
SCRIPT
run rules.txt
expect tour.txt 'player=II'
expect tour.txt 'top_form=1180'
expect tour.txt 'gadget=1180:1185:gdtLbl value=0 text="1/15"'
expect tour.txt 'gadget=1180:1184:gdtSclTxt value=0 text="Willkommen!'
expect aim.txt 'top_form=1421'
expect aim.txt 'gadget=1421:20:gdtLbl value=0 text="Das Ziel"'
expect aim.txt 'gadget=1421:21:gdtSclTxt value=0 text="Lege auf den Zielstapeln'
expect play.txt 'gadget=1421:20:gdtLbl value=0 text="Der Spielablauf"'
if "$same" top.png scrolled.png 2>/dev/null; then echo "scrolling the rules changed nothing"; exit 1; fi
"$same" top.png back.png || { echo "scrolling back up did not give the first lines again"; exit 1; }
echo ok
