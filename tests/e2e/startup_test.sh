#!/usr/bin/env bash
# Start-up, shutdown and the settings key: where the window opens, that any
# point of it drags it, what the user sees (the picture in its frame with a
# held input lit, the context menu opened by a real right-click and walked by
# its access keys, the About dialog, which greys the frame while it has the
# focus), one Tavlor at a time, the 1 ms timer resolution while the window
# lives and what Tavlor stores at Alt+X (values out of range and a foreign
# WM_QUIT: keys_test.sh).
source "$(dirname "$0")/lib.sh"
e2e_setup startup

# First start, no key: 494 x 185 at (150, 100); Alt+X ends it and saves.
e2e_start one_pad.txt
e2e_expect "window at first start" "150 100 644 285" "$(e2e_driver main rect)"
# HTCAPTION (2) in the middle and just inside the left, right, top and bottom edge.
e2e_expect "hit test" $'2\n2\n2\n2\n2' "$(e2e_driver main hit 397 192 150 192 643 192 397 100 397 284)"
# Frame (controller 1's colour), picture background at (5, 5) and on, the
# held D-pad Up lit (green raised), D-pad Down as the picture has it.
e2e_go
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
# A second start brings the first, minimised, back and leaves at once without
# touching the settings (its winmm.dll would log a timeBeginPeriod if it
# stayed); with Map Buttons open: dialogs_test.sh.
e2e_driver main post 0x112 0xF020 0 # WM_SYSCOMMAND, SC_MINIMIZE
e2e_wait 30 "minimised window" eval '[[ $(e2e_driver main rect) != "150 100 1138 470" ]]'
(cd "$E2E_APP" && TAVLOR_E2E_JOYLOG=$E2E_LOG timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_wait 30 "first window restored" eval '[[ $(e2e_driver main rect) == "150 100 1138 470" ]]'
e2e_expect "settings after a second start" "" "$(e2e_settings)"
xdotool mousemove 300 150 key alt+x
e2e_expect_exit 0
# A Tavlor whose mutex this user may not open (one run elevated) counts as
# running: this start leaves at once with 0, shows no window, stores nothing.
e2e_expect "start beside a mutex it may not open" $'second open refused, error 5\nexit 0' \
    "$(TAVLOR_E2E_JOYLOG=$E2E_LOG e2e_driver mutex Tavlor.exe)"
e2e_expect "timer resolution" $'timeBeginPeriod 1\ntimeEndPeriod 1' "$(grep ^time "$E2E_LOG")"
e2e_expect "settings after Alt+X" "DeadZone=0x3 Hidden=0x0 MouseCurve=0x1 MouseSpeed=0x1 PollRate=0x32 Size=0x2 Trigger=0x0 X=0x96 Y=0x64" "$(e2e_settings)"
