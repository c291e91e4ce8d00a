#!/bin/bash
# What a player meets when the files Pellwyn keeps are damaged or cannot be
# written, through headless runs: a player of the longest name whose database
# lost its header starts afresh, told in French (the longest language) in the
# players' alert where the copy kept aside is; the settings database cut short
# is told in German (the language the start takes from the system again); a
# save that fails when the script ends, or at the End key, is told in a
# message box that the run answers, the run ends and the old files stay whole. The two alerts are
# compared with golden pictures (PELLWYN_UPDATE_GOLDEN=1 renews them).
#   pellwyn_damaged.sh PROGRAM WORK PNG_SAME GOLDEN_DIR
set -eu
source "$(dirname "$0")/pellwyn_script_lib.sh"
golden_run pellwyn-damaged "$@"

# run LOCALE: script.txt headless in that language.
run() {
  env LC_ALL="$1" LANG="$1" "$program" --headless --root root --script script.txt 2>stderr.txt ||
    { cat stderr.txt; exit 1; }
}
saves="root/My Documents/Pellwyn"
player="$saves/WWWWWWWWWW-QZSUser.pdb"
settings="$saves/Pellwyn-Settings.pdb"

# A first start in French: player "WWWWWWWWWW" typed, OK four rows down.
cat > script.txt <<SCRIPT
wait 1000
char WWWWWWWWWW
$(repeat down 4)
key press return
wait 500
dump made.txt
SCRIPT
run fr_FR.UTF-8
expect made.txt 'player=WWWWWWWWWW'
[ -f "$player" ] && [ -f "$settings" ] || { echo "nothing saved"; find root; exit 1; }

# Zeros over bytes 72-96 of the player's database: its directory is gone.
dd if=/dev/zero of="$player" bs=1 seek=72 count=24 conv=notrunc status=none
cp "$player" damaged-player.pdb
printf 'wait 1000\ndump player.txt\nscreenshot player-fr.png\nkey press return\nwait 300\ndump answered.txt\n' > script.txt
run fr_FR.UTF-8
expect player.txt 'top_form=1194'
expect player.txt 'gadget=1194:20:gdtLbl value=0 text="Les données de WWWWWWWWWW étaient endommagées et illisibles : WWWWWWWWWW recommence à zéro. Le fichier endommagé est conservé sous le nom WWWWWWWWWW-QZSUser.pdb.damaged.1."'
expect answered.txt 'player=WWWWWWWWWW'
cmp -s damaged-player.pdb "$player.damaged.1" || { echo "the copy kept aside is not the damaged file"; exit 1; }

# The settings database cut short: the copy is kept and the start tells it.
head -c 50 "$settings" > damaged-settings.pdb
cp damaged-settings.pdb "$settings"
printf 'wait 1000\ndump settings.txt\nscreenshot settings-de.png\n' > script.txt
run de_DE.UTF-8
expect settings.txt 'top_form=1194'
expect settings.txt 'gadget=1194:20:gdtLbl value=0 text="Einige Einstellungen waren beschädigt und stehen wieder auf ihren Vorgaben. Die anderen blieben erhalten. Die beschädigte Datei bleibt als Pellwyn-Settings.pdb.damaged.1 erhalten."'
cmp -s damaged-settings.pdb "$settings.damaged.1" || { echo "the settings copy is not the damaged file"; exit 1; }

# Saves that cannot be written (a folder stands where each temporary file
# goes): the run still ends when its script does, told in a message box,
# and the files stay as they were.
cp "$player" player-before.pdb
cp "$settings" settings-before.pdb
mkdir "$player.tmp" "$settings.tmp"
printf 'wait 1000\ndump last.txt\n' > script.txt
run de_DE.UTF-8
expect last.txt 'top_form='
cmp -s player-before.pdb "$player" && cmp -s settings-before.pdb "$settings" ||
  { echo "a failed save changed a file"; exit 1; }
# The End key quits likewise; the key's own release may come after the end
# (status 3, as for Back in the other runs), but the run must end.
printf 'wait 1000\nkey press end\n' > script.txt
status=0
timeout 120 "$program" --headless --root root --script script.txt 2>stderr.txt || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 3 ] || { echo "End with a failing save: status $status"; cat stderr.txt; exit 1; }
cmp -s player-before.pdb "$player" && cmp -s settings-before.pdb "$settings" ||
  { echo "a failed save at End changed a file"; exit 1; }
rmdir "$player.tmp" "$settings.tmp"

compare_golden "$same" "$golden" pellwyn player-fr settings-de
echo "damaged player and settings told, a failed save at the end told and survived: ok"
