#!/usr/bin/env bash
# Start-up, shutdown and the settings key: where the window opens, that any
# point of it drags it, one Tavlor at a time, the 1 ms timer resolution while
# the window lives, what Tavlor stores at Alt+X and at a foreign WM_QUIT, and
# how stored values out of range are brought back.
source "$(dirname "$0")/lib.sh"
e2e_setup startup

# First start, no key: 494 x 185 at (150, 100); Alt+X ends it and saves.
e2e_start one_pad.txt
e2e_expect "window at first start" "150 100 644 285" "$(e2e_driver main rect)"
# HTCAPTION (2) in the middle and just inside the left, right, top and bottom edge.
e2e_expect "hit test" $'2\n2\n2\n2\n2' "$(e2e_driver main hit 397 192 150 192 643 192 397 100 397 284)"
# A second start brings the first, minimised, back and leaves at once without
# touching the settings (its winmm.dll would log a timeBeginPeriod if it
# stayed); with Map Buttons open it brings the dialog, not the disabled window.
e2e_driver main post 0x112 0xF020 0 # WM_SYSCOMMAND, SC_MINIMIZE
e2e_wait 30 "minimised window" eval '[[ $(e2e_driver main rect) != "150 100 644 285" ]]'
(cd "$E2E_APP" && TAVLOR_E2E_JOYLOG=$E2E_LOG timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_wait 30 "first window restored" eval '[[ $(e2e_driver main rect) == "150 100 644 285" ]]'
e2e_map_buttons
(cd "$E2E_APP" && TAVLOR_E2E_JOYLOG=$E2E_LOG timeout 60 wine Tavlor.exe) || e2e_fail "third start"
e2e_expect "foreground after a second start" "Map Buttons" "$(e2e_driver main foreground)"
e2e_driver "Map Buttons" post 0x111 2 0
e2e_gone "Map Buttons"
e2e_expect "settings after a second start" "" "$(e2e_settings)"
xdotool mousemove 300 150 key alt+x
e2e_expect_exit 0
# A Tavlor whose mutex this user may not open (one run elevated) counts as
# running: this start leaves at once with 0, shows no window, stores nothing.
e2e_expect "start beside a mutex it may not open" $'second open refused, error 5\nexit 0' \
    "$(TAVLOR_E2E_JOYLOG=$E2E_LOG e2e_driver mutex Tavlor.exe)"
e2e_expect "timer resolution" $'timeBeginPeriod 1\ntimeEndPeriod 1' "$(grep ^time "$E2E_LOG")"
e2e_expect "settings after Alt+X" "DeadZone REG_DWORD 0x3
Hidden REG_DWORD 0x0
MouseCurve REG_DWORD 0x1
MouseSpeed REG_DWORD 0x1
PollRate REG_DWORD 0x32
Size REG_DWORD 0x1
Trigger REG_DWORD 0x0
X REG_DWORD 0x96
Y REG_DWORD 0x64" "$(e2e_settings)"

# Out of range: speed -1 is Fast, scale 9 is 4, a place off the screen is a
# quarter of it, a dead zone of 7% is 3% and 100 polls a second are 50. A WM_QUIT from another process ends Tavlor, which still saves.
e2e_store MouseSpeed 0xffffffff && e2e_store Size 9 && e2e_store X 5000 && e2e_store Y 0xfffffc18
e2e_store DeadZone 7 && e2e_store PollRate 100
e2e_start one_pad.txt
e2e_expect "window with values out of range" "480 270 2456 1010" "$(e2e_driver main rect)"
e2e_driver main post 0x12 0 0
e2e_expect_exit 0
e2e_expect "settings after WM_QUIT" "DeadZone REG_DWORD 0x3
Hidden REG_DWORD 0x0
MouseCurve REG_DWORD 0x1
MouseSpeed REG_DWORD 0x2
PollRate REG_DWORD 0x32
Size REG_DWORD 0x4
Trigger REG_DWORD 0x0
X REG_DWORD 0x1e0
Y REG_DWORD 0x10e" "$(e2e_settings)"
