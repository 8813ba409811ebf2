#!/usr/bin/env bash
# What the user sees: the picture in its frame with a held input lit, the
# context menu opened by a real right-click and walked by its access keys,
# and the About dialog, which greys the frame while it has the focus.
source "$(dirname "$0")/lib.sh"
e2e_setup view

e2e_start view.txt
e2e_go
e2e_wait_poll 0 5
# Frame (controller 1's colour), picture background at (5, 5) and on, the
# held D-pad Up lit (green raised), D-pad Down as the picture has it.
points=(152,102 160,110 242,155 242,229)
e2e_wait 30 "active frame and lit Up arm" e2e_pixels_are "51D758 323333 B5FFBD B5BCBD" "${points[@]}"

menu_shown() { (($(xdotool search --onlyvisible --classname tavlor.exe | wc -l) > 1)); }
xdotool mousemove 300 150 click 3
e2e_wait 60 "context menu" menu_shown
xdotool key w i
e2e_wait 60 "Window Size > Increase Size" e2e_pixels_are "51D758 B5FFBD" 152,102 334,210
e2e_expect "window at scale 2" "150 100 1138 470" "$(e2e_driver main rect)"
e2e_driver main post 0x111 9026 0
e2e_wait 60 "About dialog" e2e_driver About rect
e2e_expect "About text" $'Tavlor\nKBM Emulator\n23.8 (x64)' "$(e2e_driver About text 1003 | head -3)"
e2e_driver About text 1003 | sed -n 4p | grep -q Kelvarin || e2e_fail "About does not name its maker"
e2e_wait 30 "inactive frame" e2e_pixels_are "B1BBBD B1BBBD" 152,102 1133,465
xdotool mousemove 644 285 key Escape
e2e_gone About

e2e_driver main post 0x10 0 0
e2e_expect_exit 0
