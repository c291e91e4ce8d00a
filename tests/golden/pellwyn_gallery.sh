#!/bin/bash
# The gadget gallery driven through every gadget with the keys and the
# stylus: the button and the check box, the timer and the label on the way,
# the slider by key and by a tap and a drag, the link, the picture, the text
# entry (Back rubs out, the on-screen keyboard types by key and by tap), the
# list and the table (keys choose, taps choose and scroll), the scrolling
# text (keys and its arrow), and the soft key's menu. The start, the driven
# form and the open menu are compared with golden pictures
# (PELLWYN_UPDATE_GOLDEN=1 renews them).
#   pellwyn_gallery.sh PROGRAM WORK PNG_SAME GOLDEN_DIR
set -eu
source "$(dirname "$0")/pellwyn_script_lib.sh"
golden_run pellwyn-gallery "$@"

# Neighbours: button 1 - check box 2 (right); down from 2: timer 4, link 6;
# left of 6: slider 5; down from 5: picture 7, right: entry 8; down: the
# keyboard 9, then the list 10; right: table 11, scrolling text 12.
cat > script.txt <<SCRIPT
wait 1000
dump start.txt
screenshot start.png
key press right
key press return
wait 100
dump checked.txt
tap 135 42
wait 100
dump unchecked.txt
key press down
wait 100
dump timer.txt
key press down
wait 100
dump link.txt
key press left
key press right
wait 100
dump slider-key.txt
tap 100 95
wait 100
dump slider-tap.txt
drag 100 95 40 95
wait 100
dump slider-drag.txt
key press down
wait 100
dump picture.txt
key press right
key press back
wait 100
dump entry.txt
key press down
key press right
key press return
wait 100
tap 40 156
wait 100
dump typed.txt
$(repeat down 3)
wait 100
dump list.txt
key press down
key press down
key press return
wait 100
dump list-key.txt
tap 30 266
wait 100
dump list-tap.txt
tap 65 279
tap 65 279
wait 100
dump list-scrolled.txt
key press right
key press down
key press return
wait 100
dump table-key.txt
tap 120 276
wait 100
dump table-tap.txt
key press right
key press down
wait 100
tap 236 280
wait 100
dump scrolled.txt
screenshot driven.png
key press softkey1
wait 600
dump menu.txt
screenshot menu.png
key press back
wait 600
dump closed.txt
SCRIPT
run_script "$program"

expect_line start.txt 'top_form=9000'
expect_line start.txt 'focus=9000:1:gdtButton'
expect_line checked.txt 'gadget=9000:2:gdtChkBox value=1 text="Sound"'
expect_line unchecked.txt 'gadget=9000:2:gdtChkBox value=0 text="Sound"'
expect_line timer.txt 'focus=9000:4:gdtTmr'
expect_line link.txt 'focus=9000:6:gdtURL'
# The slider takes left and right itself: a step of 10.
expect_line slider-key.txt 'focus=9000:5:gdtSdrbr'
expect_line slider-key.txt 'gadget=9000:5:gdtSdrbr value=10 text=none'
expect_line slider-tap.txt 'gadget=9000:5:gdtSdrbr value=83 text=none'
expect_line slider-drag.txt 'gadget=9000:5:gdtSdrbr value=25 text=none'
expect_line picture.txt 'focus=9000:7:gdtGrphc'
expect_line entry.txt 'focus=9000:8:gdtTxtEnt'
expect_line entry.txt 'gadget=9000:8:gdtTxtEnt value=0 text="PLAYE"'
expect_line typed.txt 'gadget=9000:8:gdtTxtEnt value=0 text="PLAYEBA"'
expect_line list.txt 'focus=9000:10:gdtLst'
expect_line list-key.txt 'gallery_list=first 0 current 2 selected 2'
expect_line list-tap.txt 'gallery_list=first 0 current 3 selected 3'
expect_line list-scrolled.txt 'gallery_list=first 2 current 3 selected 3'
expect_line table-key.txt 'focus=9000:11:gdtTable'
expect_line table-key.txt 'gallery_table=first 0 current 1 selected 1'
expect_line table-tap.txt 'gallery_table=first 0 current 3 selected 3'
expect_line scrolled.txt 'focus=9000:12:gdtSclTxt'
expect_line menu.txt 'menus=9003:quick 9001:popup'
expect_line closed.txt 'menus=9003:quick'
expect_line closed.txt 'top_form=9000'

compare_golden "$same" "$golden" pellwyn-gallery start driven menu
echo ok
