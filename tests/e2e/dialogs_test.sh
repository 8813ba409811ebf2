#!/usr/bin/env bash
# The Map Buttons dialog: it shows the current mapping, releases a held key
# as it opens, keeps controller presses from typing while it is open and
# focuses the list of the button pressed, and another start of Tavlor
# brings it to the front; Save stores "P1" with a ticked
# Ctrl box in its modifier byte (a list left without a selection keeps its
# key; unchanged lists and boxes store the table again) and the next press
# sends the shortcut, while Cancel and the close box store nothing and change
# nothing (scenarios/dialogs.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup dialogs

map() { e2e_driver "Map Buttons" "$@" || e2e_fail "Map Buttons $*"; }
keys() { grep '^key' "$E2E_LOG" || true; }
enter=$'key down 0x0d scan 0x1c\nkey up 0x0d scan 0x1c'

e2e_start dialogs.txt
e2e_record
e2e_go
e2e_at_stop 0 10 e2e_map_buttons
e2e_expect "lists of Up, Button 1, 2, 7" $'Arrow Up\nBackspace\nEnter\nMouse Left' \
    "$(for list in 1004 1008 1009 1014; do map text $list; done)"
e2e_wait_stop 0 40
# Enter is held throughout: it goes up as the dialog opens, and Button 1's press types nothing.
e2e_expect "keys while the dialog is open" "$enter" "$(keys)"
e2e_expect "focus after a press of Button 1" 1008 "$(map focus)"

# Another start brings the dialog to the front, not the disabled window.
(cd "$E2E_APP" && timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_expect "foreground after a second start" "Map Buttons" "$(e2e_driver main foreground)"
# Cancel, with Button 1's Shift box (row 4) ticked.
map select 1008 "Letter B" && map click 1117 && map post 0x111 2 0 && e2e_gone "Map Buttons"
e2e_expect "settings after Cancel" "" "$(e2e_settings)"

# Save: letters A to P in the sixteen lists, from Up (1004) to Button 12
# (1019), but none in Button 2's list (Enter stays), and Ctrl for Button 1.
letters=() list=1004
for letter in {A..P}; do letters+=($((list++)) "Letter $letter"); done
letters[11]=""
e2e_map_buttons && map select "${letters[@]}" && map click 1116
map post 0x111 1020 0 && e2e_gone "Map Buttons"
p1="P1:REG_BINARY=41424344450D4748494A4B4C4D4E4F500000000001$(printf '0%.0s' {1..22})"
e2e_expect "settings after Save" "$p1" "$(e2e_settings)"
# Save with nothing changed stores the same table again.
wine reg delete "$E2E_KEY" /v P1 /f >/dev/null 2>&1
e2e_map_buttons && map post 0x111 1020 0 && e2e_gone "Map Buttons"
e2e_expect "settings after Save unchanged" "$p1" "$(e2e_settings)"
# The close box (SC_CLOSE); Esc comes to the dialog as Cancel does (IDCANCEL).
e2e_map_buttons && map select 1008 "Letter B" && map post 0x112 0xF060 0 && e2e_gone "Map Buttons"
e2e_expect "settings after the close box" "$p1" "$(e2e_settings)"
# Typing resumes: the next press of Button 1 sends Ctrl+E, E with the layout's scan code.
e2e_go
e2e_wait_poll 0 70
ctrl_e=$'key down 0xa2 scan 0x1d\nkey down 0x45 scan 0x12\nkey up 0x45 scan 0x12\nkey up 0xa2 scan 0x1d'
e2e_expect "keys after the dialogs" "$enter"$'\n'"$ctrl_e" "$(keys)"
e2e_close
