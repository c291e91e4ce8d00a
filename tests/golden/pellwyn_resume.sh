#!/bin/bash
# Screens left open when the program ends come back drawn at the next start,
# headless on fresh devices. A player deals Klondike, closes the tour with
# Back and quits on the play screen: the restarted program shows the same
# table, pixel for pixel, apart from the time of day and the game clock.
# Forms left open over the play screen or the title come back the same way,
# pictured before quitting as the menu left them: under a form without soft
# keys the strip of the soft keys is empty, in the session as after the
# restart, whose first frame draws everything.
#   pellwyn_resume.sh PROGRAM WORK SAME
set -eu
program=$1 work=$2 same=$3
source "$(dirname "$0")/pellwyn_script_lib.sh"
fresh_work "$work" pellwyn-resume

# left CASE DEAL DOWNS SUBDOWNS: the script of the first session of CASE: a
# new player, a Klondike deal and a move when DEAL is 1 (its tour closed), then the
# form DOWNS items down the right soft key's menu (and SUBDOWNS down its
# submenu) when DOWNS is not -, pictured as left.png before the end.
left() {
  local deal=$2 downs=$3 sub=$4
  first_player_keys
  printf 'wait 6000\n'
  # A drag plays deal 1's jack of hearts onto the queen of clubs (the stylus
  # leaves no keypad cursor, which a saved game does not keep).
  [ "$deal" = 0 ] || printf 'key press action\nwait 16000\nkey press back\nwait 1000\ndrag 85 130 220 150\nwait 1000\n'

  if [ "$downs" != - ]; then
    menu_item "$downs" "$sub"
    printf 'wait 4000\n'
  fi
  printf 'dump left.txt\nscreenshot left.png\n'
}

# resume CASE DEAL DOWNS SUBDOWNS FORMS [AREA...]: both sessions of CASE;
# FORMS is the stack of forms both must show; the AREAs (X,Y,W,H) are left
# out of the comparison besides the clocks.
resume() {
  local name=$1 forms=$5
  local areas=("${clock_areas[@]}" "${@:6}")
  mkdir "$name"
  (
    cd "$name"
    export WINCE_INSTANCE_NAMESPACE="pellwyn-resume-$name-$$"
    left "$@" > script.txt
    run_script "$program"
    printf 'wait 3000\ndump back.txt\nscreenshot back.png\n' > script.txt
    run_script "$program"
    grep -q "^forms=$forms\$" left.txt || fail "$name: not the forms to leave" left.txt
    grep -q "^forms=$forms\$" back.txt || fail "$name: the forms did not come back" back.txt
    grep -q '^last_error=$' back.txt || fail "$name: an error at the restart" back.txt
    diff <(grep '^game\.' left.txt) <(grep '^game\.' back.txt) || fail "$name: another game came back" back.txt
    "$same" back.png left.png "${areas[@]}" || { echo "$name: $PWD/back.png is not drawn as left.png"; exit 1; }
  )
}

resume play 1 - - '1190 1010'
resume play-leave 1 13 - '1190 1010 1220'
resume play-card-backs 1 8 0 '1190 1010 1390'
resume title-statistics 0 4 - '1190 1000 1386'
resume title-card-fronts 0 6 1 '1190 1000 1430'
grep -q '^game.undo=[1-9]' play/back.txt || fail "the move did not come back" play/back.txt
echo ok
