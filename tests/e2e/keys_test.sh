#!/usr/bin/env bash
# Keys and clicks poll by poll: the built-in mapping, press and release, Auto
# repeating; everything held released when the controller stops answering,
# as the system suspends and when the controller leaves the list; a device
# change or a resume from sleep finds the controllers again
# (scenarios/keys.txt holds the expected events).
source "$(dirname "$0")/lib.sh"
e2e_setup keys

# WM_DEVICECHANGE (0x219) with DBT_DEVNODES_CHANGED (7): the events that come
# with a record (0x8000 and up) cannot be posted. WM_POWERBROADCAST (0x218)
# with PBT_APMSUSPEND (4) and PBT_APMRESUMEAUTOMATIC (0x12).
e2e_store Trigger 1
e2e_start keys.txt
e2e_record
xdotool mousemove 300 150 # over the window, so that the click leaves Tavlor in front
e2e_go
e2e_wait_poll 0 75
# The tick of the unplugged poll is done once its last release is logged.
e2e_wait 30 "releases at the unplug" e2e_seen '^mouse lup$' 2
e2e_driver main post 0x219 7 0
e2e_wait_poll 1 8
e2e_mark suspend
e2e_driver main post 0x218 4 0
e2e_wait 30 "release as the system suspends" e2e_seen '^key up 0x66 ' 1
e2e_wait_poll 1 20
e2e_driver main post 0x218 0x12 0
e2e_wait_poll 0 80
e2e_mark vanished
e2e_driver main post 0x219 7 0
e2e_wait 30 "releases as controller 1 leaves" e2e_seen '^mouse lup$' 3
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations keys.txt)" "$(e2e_events)"
