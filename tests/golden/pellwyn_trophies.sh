#!/bin/bash
# The trophy cabinet and the colour chooser through the keys, as a player
# reaches them: a first player "A" is made, the title screen's menu (the
# right soft key) opens the cabinet, the arrows walk along a shelf, down the
# shelves to a named trophy and off to Close; then the menu's Appearance,
# Colours, a theme two places on is chosen and OK recolours the game. The
# panel, opened in the upper half from a trophy whose panel was in the lower
# one and the other way round, is compared with golden pictures
# (PELLWYN_UPDATE_GOLDEN=1 renews them); the other screenshots are kept for
# review. Last, the program ends with a trophy shown and starts again with
# the cabinet, none of whose texts is left over.
#   pellwyn_trophies.sh PROGRAM WORK PNG_SAME GOLDEN_DIR
set -eu
source "$(dirname "$0")/pellwyn_script_lib.sh"
golden_run pellwyn-trophies "$@"

# Keys: the title screen's menu (right soft key), Appearance, then the
# chooser N places down its submenu (0 card backs, 1 faces, 2 background,
# 3 colours).
appearance() {
  printf 'key press softkey2\nwait 300\n'
  repeat down 6
  printf 'key press return\nwait 300\n'
  repeat down "$1"
  printf 'key press return\nwait 500'
}

cat > script.txt <<SCRIPT
wait 1000
key press return
$(repeat down 4)
key press return
wait 500
dump title.txt
key press softkey2
wait 300
dump menu.txt
$(repeat down 5)
key press return
wait 500
dump cabinet.txt
screenshot cabinet.png
key press right
wait 200
dump right.txt
screenshot right.png
key press left
key press left
wait 200
dump wrapped.txt
key press down
key press down
wait 200
screenshot cabinet-upper.png
key press down
wait 200
dump named.txt
screenshot named.png
key press up
key press up
wait 200
screenshot cabinet-lower.png
key press down
key press down
key press down
wait 200
dump close.txt
key press return
wait 500
dump closed.txt
$(appearance 3)
dump theme.txt
screenshot theme.png
key press right
key press return
key press down
key press down
wait 200
dump chosen.txt
key press return
wait 500
dump applied.txt
screenshot applied.png
$(appearance 0)
key press up
key press right
wait 200
dump backs.txt
screenshot backs.png
tap 75 137
wait 500
dump locked.txt
key press return
wait 300
$(repeat down 3)
key press return
wait 500
dump backs-kept.txt
$(appearance 2)
key press down
key press right
key press left
key press left
wait 200
dump wash.txt
screenshot wash.png
key press down
key press down
key press right
key press return
wait 500
dump wash-cancelled.txt
$(appearance 2)
key press down
$(repeat left 5)
wait 200
dump no-wash.txt
key press down
key press down
key press return
wait 500
dump no-wash-applied.txt
$(appearance 1)
key press right
key press right
key press return
wait 500
dump front-locked.txt
key press return
wait 300
key press left
key press return
key press down
wait 200
dump front-chosen.txt
screenshot fronts.png
key press return
wait 500
dump front-applied.txt
SCRIPT
"$program" --headless --root root --script script.txt 2>stderr.txt || { cat stderr.txt; exit 1; }

expect title.txt 'top_form=1000'
expect title.txt 'player=A'
expect cabinet.txt 'top_form=1426'
expect cabinet.txt 'focus=1426:11:'
# Right shows trophy 1 in the lower panel; left twice goes round to 12.
expect right.txt 'gadget=1426:23:gdtLbl value=0 text="FreeCell bronze'
expect wrapped.txt 'gadget=1426:23:gdtLbl value=0 text="Bronze crown'
# Down three shelves: trophy 51, not held, names itself and says how it is earned.
expect named.txt 'gadget=1426:24:gdtLbl value=0 text="Grand champion"'
expect named.txt 'gadget=1426:22:gdtLbl value=0 text="Earn every other trophy."'
expect close.txt 'focus=1426:1:'
expect close.txt 'gadget=1426:22:gdtLbl value=0 text=""'
expect closed.txt 'top_form=1000'
expect theme.txt 'top_form=1415'
expect theme.txt 'look=theme:3 wash:3'
# Nothing is written before OK.
expect chosen.txt 'look=theme:3 wash:3'
expect chosen.txt 'focus=1415:1:'
expect applied.txt 'top_form=1000'
expect applied.txt 'look=theme:4 wash:4'
# The card backs' second page: its second back is locked; a tap on it says
# so in the players' alert and OK afterwards keeps the back as it was.
expect backs.txt 'gadget=1390:1391:gdtButton value=0 text="Earned"'
expect locked.txt 'top_form=1194'
expect locked.txt 'gadget=1194:20:gdtLbl value=0 text="Earn more trophies to unlock this one."'
expect backs-kept.txt 'top_form=1000'
expect backs-kept.txt 'back:816 '
# The wash, cycled (theme 4 washes in Rose; right, then left twice: Sand,
# Rose, Meadow), then Cancel: nothing written.
expect wash.txt 'top_form=1410'
expect wash.txt 'gadget=1410:1411:gdtButton value=0 text="Meadow"'
expect wash-cancelled.txt 'top_form=1000'
expect wash-cancelled.txt 'look=theme:4 wash:4 '
# Left from Rose to "No colour" and OK: the wash is none (99), the theme stays.
expect no-wash.txt 'gadget=1410:1411:gdtButton value=0 text="No colour"'
expect no-wash-applied.txt 'look=theme:4 wash:99 '
# The trophy deck is locked until the last trophy; the four-colour faces are
# chosen with Select and written on OK.
expect front-locked.txt 'top_form=1194'
expect front-chosen.txt 'gadget=1430:20:gdtLbl value=0 text="Four colours"'
expect front-chosen.txt 'front:977'
expect front-applied.txt 'top_form=1000'
expect front-applied.txt 'front:1121'
compare_golden "$same" "$golden" pellwyn cabinet-upper cabinet-lower

# Ended with the cabinet open on a named trophy, the program starts again
# with the cabinet and an empty panel.
cat > script.txt <<SCRIPT
wait 1000
key press softkey2
wait 300
$(repeat down 5)
key press return
wait 500
key press up
key press up
wait 200
dump before-end.txt
SCRIPT
run_script "$program"
expect before-end.txt 'gadget=1426:24:gdtLbl value=0 text="Hundred wins"'
printf 'wait 1000\ndump restored.txt\nscreenshot restored.png\n' > script.txt
run_script "$program"
expect restored.txt 'top_form=1426'
for label in 22 23 24; do expect restored.txt "gadget=1426:$label:gdtLbl value=0 text=\"\""; done
echo "trophy cabinet and appearance choosers: ok"
