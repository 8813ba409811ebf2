#!/usr/bin/env bash
# Keys and clicks from controller 1, poll by poll: the built-in mapping,
# press and release, Auto repeating, and everything held released when the
# controller is pulled out (scenarios/keys.txt holds the expected events).
source "$(dirname "$0")/lib.sh"
e2e_setup keys

e2e_store Trigger 1
e2e_start keys.txt
e2e_record
xdotool mousemove 300 150 # over the window, so that the click leaves Tavlor in front
e2e_go
e2e_wait_poll 0 55
# The tick of the unplugged poll is done once its last release is logged.
e2e_wait 30 "releases at the unplug" e2e_seen '^mouse lup$' 2
e2e_mark close
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations keys.txt)" "$(e2e_events)"
