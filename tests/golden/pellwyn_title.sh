#!/bin/bash
# The title screen as a new player first sees it, in each of the five
# languages: the game in front of the dial named under it, the player's name,
# a fact about the game at full strength, the title song playing. In
# English the sound form, reached through the title's menu, offers the
# music's volume and mute beside the effects'. The pictures are compared with
# golden ones (PELLWYN_UPDATE_GOLDEN=1 renews them).
#   pellwyn_title.sh PROGRAM WORK PNG_SAME GOLDEN_DIR
set -eu
source "$(dirname "$0")/pellwyn_script_lib.sh"
golden_run pellwyn-title "$@"

# A first start in the language (a locale name: the runtime takes the
# language from it): player "A", then the title once its intro has come to
# rest and a fact stands; then the script's further lines.
title_in() {
  local name=$1 locale=$2 game=$3 more=${4:-}
  rm -rf root
  {
    first_player_keys
    printf 'wait 6000\ndump title.txt\nscreenshot title-%s.png\n' "$name"
    printf '%b' "$more"
  } > script.txt
  env LC_ALL="$locale" LANG="$locale" "$program" --headless --root root --script script.txt 2>stderr.txt ||
    { cat stderr.txt; exit 1; }
  expect title.txt 'top_form=1000'
  expect title.txt "gadget=1000:20:gdtLbl value=0 text=\"$game\""
  expect title.txt 'gadget=1000:22:gdtLbl value=0 text="A"'
  expect title.txt 'music=playing'
}
title_in de de_DE.UTF-8 Klondike
title_in es es_ES.UTF-8 Klondike
title_in fr fr_FR.UTF-8 Klondike
title_in it it_IT.UTF-8 Klondike
# In English also the sound form from the title's menu (Settings, Sound).
title_in en en_GB.UTF-8 Klondike "key press softkey2\nwait 300\n$(repeat down 7)\nkey press return\nwait 300\nkey press return\nwait 800\ndump sound.txt\nscreenshot sound.png\n"
expect sound.txt 'top_form=1040'
expect sound.txt 'gadget=1040:1044:gdtLbl value=0 text="Music"'
expect sound.txt 'gadget=1040:1045:gdtSdrbr value=50'
expect sound.txt 'gadget=1040:1046:gdtChkBox value=0'
expect sound.txt 'music=playing volume:256 muted:0'

compare_golden "$same" "$golden" pellwyn title-de title-en title-es title-fr title-it sound
echo "title screen in five languages and the sound form: ok"
