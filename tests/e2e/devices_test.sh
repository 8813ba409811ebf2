#!/usr/bin/env bash
# Controllers noticed without the menu: a device change or a resume from
# sleep rediscovers them, a suspend releases what is held, and a controller
# that leaves the list while a key is held lets go of it
# (scenarios/devices.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup devices

# WM_DEVICECHANGE (0x219) with DBT_DEVNODES_CHANGED (7): the events that come
# with a record (0x8000 and up) cannot be posted. WM_POWERBROADCAST (0x218)
# with PBT_APMSUSPEND (4) and PBT_APMRESUMEAUTOMATIC (0x12).
e2e_start devices.txt
e2e_record
e2e_go
e2e_wait_poll 0 10
e2e_driver main post 0x219 7 0
e2e_wait_poll 1 8
e2e_mark suspend
e2e_driver main post 0x218 4 0
e2e_wait 30 "release as the system suspends" e2e_seen '^key up 0x60 ' 1
e2e_wait_poll 1 20
e2e_driver main post 0x218 0x12 0
e2e_wait_poll 0 20
e2e_mark vanished
e2e_driver main post 0x219 7 0
e2e_wait 30 "release as controller 1 leaves" e2e_seen '^key up 0x08 ' 1
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations devices.txt)" "$(e2e_events)"
