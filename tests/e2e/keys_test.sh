#!/usr/bin/env bash
# Keys, clicks, pointer motion and the wheel poll by poll: a stored table
# with a shortcut, a controller without a hat typing with its stick; what is
# held goes up when the controller stops answering, as the system suspends,
# as the session ends and as Tavlor closes at a foreign WM_QUIT; a device
# change or a resume from sleep finds the controllers again
# (scenarios/keys.txt holds the expected events). Stored values out of range
# are brought back and saved so.
source "$(dirname "$0")/lib.sh"
e2e_setup keys

# Out of range: speed -1 is Fast, scale 9 is 4, a place off the screen is a
# quarter of it, a dead zone of 7% is 3% and 100 polls a second are 50.
e2e_store MouseSpeed 0xffffffff && e2e_store Size 9 && e2e_store X 5000 && e2e_store Y 0xfffffc18
e2e_store DeadZone 7 && e2e_store PollRate 100
# P1: the built-in codes but C on Button 9, then the modifier bytes: Ctrl (1) for Button 9.
p1=26282527080DA1A3A52001094300000000000000000000000000000001000000
wine reg add "$E2E_KEY" /v P1 /t REG_BINARY /d $p1 /f >/dev/null 2>&1
e2e_start keys.txt
e2e_expect "window with values out of range" "480 270 2456 1010" "$(e2e_driver main rect)"
e2e_record
xdotool mousemove 600 400 # over the window, so that the click leaves Tavlor in front
e2e_go
# WM_DEVICECHANGE (0x219) with DBT_DEVNODES_CHANGED (7): the events that come
# with a record (0x8000 and up) cannot be posted. WM_POWERBROADCAST (0x218)
# with PBT_APMSUSPEND (4) and PBT_APMRESUMEAUTOMATIC (0x12).
e2e_at_stop 0 75 e2e_driver main post 0x219 7 0
e2e_at_stop 1 8 eval 'e2e_driver main post 0x218 4 0 && e2e_wait 30 "release as the system suspends" e2e_seen "^key up 0x66 " 1'
e2e_at_stop 1 20 e2e_driver main post 0x218 0x12 0
e2e_at_stop 0 94 eval 'e2e_driver main post 0x16 1 0 && e2e_wait 30 "release as the session ends" e2e_seen "^key up 0x20 " 2'
e2e_wait 30 "the press after the session's end" e2e_seen '^key down 0x20 ' 3
e2e_mark close
e2e_driver main post 0x12 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations keys.txt)" "$(e2e_events)"
e2e_expect "settings after WM_QUIT" "DeadZone=0x3 Hidden=0x0 MouseCurve=0x1 MouseSpeed=0x2 P1:REG_BINARY=$p1 PollRate=0x32 Size=0x4 Trigger=0x0 X=0x1e0 Y=0x10e" "$(e2e_settings)"
