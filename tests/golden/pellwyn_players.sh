#!/bin/bash
# Pellwyn's first start as a player meets it, through the keys: the new
# player form asks for a name; OK with no name shows the players' alert over
# the title and the player list, answered with OK; "New" opens the form
# again, a name is typed on the on-screen keyboard and OK makes the player,
# back on the list; the player is renamed, deleted, another one made, and
# "Play" leads to the title screen with that player. The player form and the alert are compared
# with golden pictures (PELLWYN_UPDATE_GOLDEN=1 renews them).
#   pellwyn_players.sh PROGRAM WORK PNG_SAME GOLDEN_DIR
set -eu
source "$(dirname "$0")/pellwyn_script_lib.sh"
golden_run pellwyn-players "$@"

# The keyboard has the focus; it starts on A. Moving down off its last row
# reaches OK. "ANN": A, then N (row 1, column 5) twice. On the player list
# (no players yet) down reaches "Play" and right "New".
cat > script.txt <<SCRIPT
wait 1000
dump first.txt
screenshot create.png
$(repeat down 4)
key press return
wait 200
dump empty-name.txt
screenshot alert.png
key press return
wait 200
dump answered.txt
key press down
key press right
key press return
wait 200
dump create-again.txt
key press return
key press down
$(repeat right 5)
key press return
key press return
$(repeat down 3)
key press return
wait 500
dump created.txt
screenshot select.png
key press down
key press down
key press return
wait 200
dump rename.txt
screenshot rename.png
key press right
key press return
key press down
$(repeat right 5)
key press return
key press back
$(repeat down 3)
key press return
wait 500
dump renamed.txt
key press down
key press down
key press right
key press return
wait 200
dump delete.txt
key press left
key press return
wait 500
dump deleted.txt
key press right
key press right
key press return
$(repeat down 4)
key press return
wait 500
dump remade.txt
key press down
key press return
wait 500
dump playing.txt
screenshot title.png
SCRIPT
run_script "$program"

# The forms open, bottom first, in a dump's "forms=" line.
expect() {
  grep -q "^$2" "$1" || { echo "$1: no line '$2'"; cat "$1"; exit 1; }
}
expect first.txt 'top_form=1195'
expect first.txt 'players=0'
expect empty-name.txt 'top_form=1194'
expect answered.txt 'top_form=1191'
expect create-again.txt 'top_form=1195'
# Made from the player list, the new player comes back to it, chosen.
expect created.txt 'top_form=1191'
expect created.txt 'player=ANN'
expect created.txt 'players=1'
expect created.txt 'gadget=1191:20:gdtLbl value=0 text="Playing: ANN"'
# "Rename" names the player; "BO" typed, Back rubs the O out, OK renames.
expect rename.txt 'top_form=1192'
expect rename.txt 'gadget=1192:20:gdtLbl value=0 text="New name for ANN:"'
expect renamed.txt 'top_form=1191'
expect renamed.txt 'player=B'
expect renamed.txt 'players=1'
saves="root/My Documents/Pellwyn"
[ ! -f "$saves/ANN-QZSUser.pdb" ] || { echo "the old name's database stayed"; exit 1; }
# "Delete" asks first; deleting the only player leaves nobody, and the
# player form comes without its cancel button. "C" made there is chosen.
expect delete.txt 'top_form=1193'
expect delete.txt 'gadget=1193:20:gdtLbl value=0 text="Delete B and all of their scores and saved games?"'
expect deleted.txt 'top_form=1195'
expect deleted.txt 'players=0'
expect deleted.txt 'player=none'
grep -q '^gadget=1195:2:' deleted.txt && { echo "the player form offers cancel with nobody left"; exit 1; }
[ ! -f "$saves/B-QZSUser.pdb" ] || { echo "the deleted player's database stayed"; exit 1; }
expect remade.txt 'top_form=1191'
expect remade.txt 'player=C'
# What stays on disk in the end: C's data, nothing under the old names.
[ -f "$saves/C-QZSUser.pdb" ] || { echo "no database for C"; find root; exit 1; }
expect playing.txt 'top_form=1000'
expect playing.txt 'player=C'

compare_golden "$same" "$golden" pellwyn create alert
echo ok
