#!/usr/bin/env bash
# The Map Buttons dialog: it shows the current mapping, releases a held key
# as it opens, keeps controller presses from typing while it is open, stores
# nothing on Cancel, and on Save stores "P1", whose new key the next press
# types (scenarios/dialogs.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup dialogs

# open_map_buttons: opens the dialog and waits until it is up.
open_map_buttons() {
    e2e_driver main post 0x111 9025 0
    e2e_wait 60 "Map Buttons dialog" e2e_driver "Map Buttons" rect
}
# events_after MARK: the events logged since the mark.
events_after() { sed -n "/^mark $1\$/,\$p" "$E2E_LOG" | grep -E '^(key|mouse)' || true; }
# wait_polls N: N more polls of controller 1.
wait_polls() { e2e_wait_poll 0 $(($(awk '$1 == "poll" { n = $3 } END { print n }' "$E2E_LOG") + $1)); }
typed() { events_after "$1" | grep -q "^key down $2"; }

e2e_start dialogs.txt
e2e_record
e2e_go
e2e_wait 60 "Backspace typed" grep -q "^key down 0x08 " "$E2E_LOG"
open_map_buttons
# Enter is held throughout: its only key-up is the release as the dialog opens.
e2e_wait 30 "held Enter released as the dialog opened" grep -q '^key up 0x0d ' "$E2E_LOG"
e2e_mark opened
e2e_expect "lists of Up, Button 1, 2, 7" $'Arrow Up\nBackspace\nEnter\nMouse Left' \
    "$(for list in 1004 1008 1009 1014; do e2e_driver "Map Buttons" text $list; done)"
wait_polls 45
e2e_expect "events while the dialog is open" "" "$(events_after opened)"

e2e_driver "Map Buttons" post 0x111 2 0
e2e_wait 60 "dialog closed by Cancel" eval '! e2e_driver "Map Buttons" rect'
e2e_mark cancelled
e2e_wait 60 "Backspace typed after Cancel" typed cancelled 0x08
e2e_expect "settings after Cancel" "" "$(e2e_settings)"

open_map_buttons
e2e_driver "Map Buttons" select 1008 "Letter A" || e2e_fail "cannot choose A for Button 1"
e2e_driver "Map Buttons" post 0x111 1020 0
e2e_wait 60 "dialog closed by Save" eval '! e2e_driver "Map Buttons" rect'
e2e_mark saved
e2e_expect "settings after Save" "P1 REG_BINARY 26282527410DA1A3A520010900000000$(printf '0%.0s' {1..32})" "$(e2e_settings)"
# A letter's scan code is the keyboard layout's.
e2e_wait 60 "A typed by Button 1" typed saved "0x41 scan 0x1e"
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
