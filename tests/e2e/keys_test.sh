#!/usr/bin/env bash
# Keys, clicks, pointer motion and the wheel poll by poll: a stored table
# with shortcuts, Auto repeating, the speed set, a controller without a hat
# typing with its stick; what is held goes up when the controller stops
# answering, as the system suspends, as the session ends and as Tavlor
# closes; a device change or a resume from sleep finds the controllers again
# (scenarios/keys.txt holds the expected events).
source "$(dirname "$0")/lib.sh"
e2e_setup keys

# WM_DEVICECHANGE (0x219) with DBT_DEVNODES_CHANGED (7): the events that come
# with a record (0x8000 and up) cannot be posted. WM_POWERBROADCAST (0x218)
# with PBT_APMSUSPEND (4) and PBT_APMRESUMEAUTOMATIC (0x12).
e2e_store Trigger 1 && e2e_store MouseSpeed 2
# P1: the built-in codes but Tab on Button 4 and C and V on Buttons 9 and 10,
# then the modifier bytes: Alt (4) for Button 4, Ctrl (1) for Buttons 9 and 10.
wine reg add "$E2E_KEY" /v P1 /t REG_BINARY /d 26282527080DA109A52001094356000000000000000000040000000001010000 /f >/dev/null 2>&1
e2e_start keys.txt
e2e_record
xdotool mousemove 300 150 # over the window, so that the click leaves Tavlor in front
e2e_go
e2e_at_stop 0 75 e2e_driver main post 0x219 7 0
e2e_at_stop 1 8 eval 'e2e_driver main post 0x218 4 0 && e2e_wait 30 "release as the system suspends" e2e_seen "^key up 0x66 " 1'
e2e_at_stop 1 20 e2e_driver main post 0x218 0x12 0
e2e_at_stop 0 88 e2e_driver main post 0x111 9018 0 # Mouse Speed > Slow
e2e_at_stop 0 94 eval 'e2e_driver main post 0x16 1 0 && e2e_wait 30 "release as the session ends" e2e_seen "^key up 0x20 " 2'
e2e_wait 30 "the press after the session's end" e2e_seen '^key down 0x20 ' 3
e2e_mark close
e2e_close
e2e_expect "events injected" "$(e2e_expectations keys.txt)" "$(e2e_events)"
