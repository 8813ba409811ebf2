#!/usr/bin/env bash
# Shortcuts on buttons from a stored table's modifier bytes: Alt goes down
# before Tab and up after it and stays down while Tab repeats; Ctrl goes down
# once for two shortcuts that share it and up once as the controller is
# pulled out; Volume Up goes out extended (scenarios/shortcuts.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup shortcuts

e2e_store Trigger 0x10
# P1: the codes C, V, Volume Up and Tab on Buttons 1, 2, 3 and 5, then their modifiers.
wine reg add "$E2E_KEY" /v P1 /t REG_BINARY /d 000000004356af00090000000000000000000000010100000400000000000000 /f >/dev/null 2>&1
e2e_start shortcuts.txt
e2e_record
e2e_go
e2e_wait 60 "releases at the unplug" e2e_seen '^key up 0xa2 ' 1
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations shortcuts.txt)" "$(e2e_events)"
