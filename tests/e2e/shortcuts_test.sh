#!/usr/bin/env bash
# Shortcuts on buttons from a stored table's modifier bytes: Ctrl and Alt go
# down before the key and up after it, once for two shortcuts that share
# them, stay down while the key repeats and go up when the controller is
# pulled out; Volume Up goes out extended (scenarios/shortcuts.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup shortcuts

e2e_store Trigger 0x10
# Bytes 0-15 the codes C, V, Volume Up, Tab on Buttons 1, 2, 3, 5; bytes 16-31 their modifiers.
p1=000000004356af000900000000000000 mods=00000000010100000400000000000000
wine reg add "$E2E_KEY" /v P1 /t REG_BINARY /d $p1$mods /f >/dev/null 2>&1
e2e_start shortcuts.txt
e2e_record
xdotool mousemove 300 150
e2e_go
e2e_wait_poll 0 55
e2e_wait 30 "releases at the unplug" e2e_seen '^key up 0xa2 ' 3
e2e_mark close
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations shortcuts.txt)" "$(e2e_events)"
