#!/bin/bash
# A Klondike game on the play screen, headless on a fresh device: a player is
# made, then the title screen's Select deals deal 1; the first screenshot of the dealt table is
# compared with the golden picture (PELLWYN_UPDATE_GOLDEN=1 takes it as the
# new golden). Then the keypad focus (from the stock straight to the column
# that can play) plays the jack of hearts onto the
# queen of clubs, undo takes it back, and the stylus plays it again by a tap
# and by a drag; the soft keys and the game menu undo, and Back right after
# the Menu soft key closes the menu.
#   pellwyn_play.sh PROGRAM GOLDEN SAME WORK
set -eu
program=$1 golden=$2 same=$3 work=$4
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-play

# A first start asks for a player: A is typed on the on-screen keyboard,
# OK makes the player and "Play" on the player list leads to the title. The
# first deal of a new player brings the tour, which Back closes.
{
  first_player_keys
  cat <<SCRIPT
wait 6000
key press action
wait 9000
key press back
wait 300
dump deal.txt
screenshot deal.png
key press right
key press right
dump cursor.txt
key press action
wait 1000
dump keys.txt
char u
wait 500
dump undone.txt
tap 85 130
wait 1000
dump tapped.txt
char u
wait 500
drag 85 130 220 150
wait 1000
dump dragged.txt
key press softkey1
wait 500
dump softundo.txt
char r
wait 500
key press softkey2
wait 500
dump menu.txt
screenshot menu.png
key press down
key press down
key press return
wait 500
dump menuundo.txt
wait 100
key press softkey2
wait 100
key press back
wait 100
dump menuback.txt
SCRIPT
} > script.txt
"$program" --headless --root root --script script.txt

# deal 1 of Klondike: column 6 (pile 5) has the queen of clubs on top, column
# 3 (pile 9) the jack of hearts.
grep -q '^top_form=1010$' deal.txt || fail "no play screen" deal.txt
grep -q '^game.pile=5 t: 12.3d 2.0d 1.2d 4.0d 10.2d 6.2d 12.2u$' deal.txt || fail "unexpected deal" deal.txt
grep -q '^game.pile=9 t: 8.3d 8.1d 11.1u$' deal.txt || fail "unexpected deal" deal.txt
grep -q '^game.cursor=9,0$' cursor.txt || fail "the cursor is not on column 3" cursor.txt
for f in keys.txt tapped.txt dragged.txt; do
  grep -q '^game.pile=5 t: .* 12.2u 11.1u$' $f || fail "the jack did not go onto the queen ($f)" $f
  grep -q '^game.pile=9 t: 8.3d 8.1u$' $f || fail "the card under the jack was not turned ($f)" $f
done
grep -q '^game.pile=9 t: 8.3d 8.1d 11.1u$' undone.txt || fail "undo did not bring the jack back" undone.txt
# The left soft key undoes; the right one opens the game menu, whose third
# item undoes too.
grep -q '^game.pile=9 t: 8.3d 8.1d 11.1u$' softundo.txt || fail "the Undo soft key did not undo" softundo.txt
grep -q '^menus=3600:quick 3601:popup$' menu.txt || fail "the Menu soft key did not open the game menu" menu.txt
grep -q '^game.pile=9 t: 8.3d 8.1d 11.1u$' menuundo.txt || fail "the menu's Undo did not undo" menuundo.txt
# Back a tenth of a second after the Menu soft key closes the menu, and only the menu.
grep -q '^menus=3600:quick$' menuback.txt || fail "Back did not close the game menu at once" menuback.txt
grep -q '^top_form=1010$' menuback.txt || fail "Back went past the menu" menuback.txt
grep -q '^game.redo=[1-9]' undone.txt || fail "undo left nothing to redo" undone.txt

if [ "${PELLWYN_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp deal.png "$golden"
  echo "updated $golden"
  exit 0
fi
"$same" deal.png "$golden" || { echo "$work/deal.png differs from $golden"; exit 1; }
echo ok
