#!/usr/bin/env bash
# The pointer controller moves the pointer and turns the wheel at the speed
# set, a controller without a hat types
# arrows with its stick instead, and a key held as the session ends or Tavlor
# closes goes up (scenarios/mouse.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup mouse

# session_ends: WM_ENDSESSION (0x16) releases the held key.
session_ends() { e2e_mark session && e2e_driver main post 0x16 1 0 && e2e_wait 30 "release as the session ends" e2e_seen '^key up 0x60 ' 1; }

e2e_store MouseSpeed 2
e2e_start mouse.txt
e2e_record
e2e_go
e2e_at_stop 0 12 e2e_driver main post 0x111 9002 0 # Controller > 2
e2e_at_stop 1 8 e2e_driver main post 0x111 9018 0  # Mouse Speed > Slow
e2e_at_stop 1 19 session_ends
e2e_wait 30 "the press after the stop" e2e_seen '^key down 0x60 ' 2
e2e_mark close
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations mouse.txt)" "$(e2e_events)"
