#!/usr/bin/env bash
# The Map Buttons dialog, operated from outside as a user would.
#
# First start (no stored tables): the sixteen lists hold all 104 keys and show
# controller 1's built-in table; the dialog sits centred over the window; a
# key held when it opens is released, buttons pressed while it is open type
# nothing, and after Cancel they type again; Cancel stores nothing.
#
# A "P1" with an unknown code (0x6C, the separator key) for Button 1 and
# non-zero reserved bytes, stored while Tavlor runs: the dialog reads it as it
# opens and its lists show it, Button 1's list empty; Cancel, Esc and Enter
# store nothing (Enter does not close the dialog); Save stores the new choices
# with the unknown code and the reserved bytes as they were, and the next
# press of the remapped button types the new key.
#
# How presses are scripted and seen: dialogs_lib.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialogs_lib.sh"
e2e_setup map_buttons

readonly SETTINGS_KEY='HKCU\Software\Kelvarin\Tavlor'
readonly TITLE='Map Buttons'
readonly COMMAND_MAP_BUTTONS=9025
readonly ID_SAVE=1020 ID_CANCEL=2

# expect_lists WHAT EXPECTED: every list holds 104 items and the selections
# are EXPECTED, one "ID TEXT" line per list (an empty TEXT: no selection).
expect_lists() {
    local lists actual
    lists=$(e2e_driver wait-dialog "$TITLE" 30 dialog-lists) || e2e_fail "cannot read the lists: $lists"
    actual=$(awk '$1 == "list" {
        count = $3; sel = $4; sub(/^count=/, "", count); sub(/^sel=/, "", sel)
        text = substr($0, index($0, " text=") + 6)
        if (count != 104) print "list " $2 " holds " count " items"
        if (sel == -1 && text != "") print "list " $2 " shows text without selection"
        print $2 " " text
    }' <<<"$lists")
    [[ $actual == "$2" ]] || e2e_fail "$E2E_RUN: $1:"$'\n'"$(diff <(echo "$2") <(echo "$actual"))"
}

# expect_items ID: the list holds 104 different names with 104 different
# codes, and a few names carry the codes they stand for.
expect_items() {
    local items problems
    items=$(e2e_driver wait-dialog "$TITLE" 30 dialog-items "$1") || e2e_fail "cannot read list $1: $items"
    problems=$(awk '$1 == "item" {
            n++; code = $3; name = $0; sub(/^item [0-9]+ -?[0-9]+ /, "", name)
            if (names[name]++) print "name twice: " name
            if (codes[code]++) print "code twice: " code
            byname[name] = code
        }
        END {
            if (n != 104) print n " items"
            split("(unassigned)=0|Mouse Left=1|Mouse Middle=4|Letter A=65|Numpad Add=107|F12=123|Symbol '\''\"=222", pairs, "|")
            for (i in pairs) {
                split(pairs[i], p, "=")
                if (byname[p[1]] != p[2] "") print p[1] " carries " byname[p[1]] ", not " p[2]
            }
        }' <<<"$items")
    [[ -z $problems ]] || e2e_fail "the items of list $1:"$'\n'"$problems"
}

# expect_p1 EXPECTED WHAT: value P1 holds EXPECTED (hex digits) or is absent.
expect_p1() {
    local out actual=absent
    if out=$(e2e_reg_query "$SETTINGS_KEY" P1); then
        actual=$(awk '$1 == "P1" { print $2, $3 }' <<<"$out")
    fi
    [[ $actual == "$1" ]] || e2e_fail "$E2E_RUN: $2: P1 is '$actual', expected '$1'"
}

e2e_start_recorder

# --- first start: the built-in table --------------------------------------

e2e_log "first start: Button 1 (Backspace) held throughout, button 2 (Enter) pressed every 20 polls"
dialogs_presses_scenario "$E2E_TMP/held.txt" 0x1 0x2
e2e_start_app builtin "$E2E_TMP/held.txt"
dialogs_open_releasing $COMMAND_MAP_BUTTONS "$TITLE"
dialogs_expect_centred "$TITLE"
expect_lists "the built-in table of controller 1" "1004 Arrow Up
1005 Arrow Down
1006 Arrow Left
1007 Arrow Right
1008 Backspace
1009 Enter
1010 Shift Right
1011 Ctrl Right
1012 Alt Right
1013 Space
1014 Mouse Left
1015 Tab
1016 (unassigned)
1017 (unassigned)
1018 (unassigned)
1019 (unassigned)"
expect_items 1004
dialogs_expect_quiet "$DIALOGS_MARK" "Map Buttons open"
e2e_screenshot map_buttons_builtin "$DIALOGS_GEOMETRY"

e2e_log "Cancel (a click on the button): nothing stored, the buttons type again"
dialogs_expect_typing "$DIALOGS_MARK" 0x0d "after Cancel" \
    wait-dialog "$TITLE" 30 dialog-click $ID_CANCEL wait-gone 30
! grep -Eq 'vk=0x08 ' <<<"$DIALOGS_SENT" ||
    e2e_fail "Button 1, held through the dialog, typed again without a new press: $DIALOGS_SENT"
dialogs_close_app
expect_p1 absent "Cancel on a first start"

# --- a stored table -------------------------------------------------------

# Bytes 0-15: Up Down Left Right, Buttons 1-12; then the 16 reserved bytes.
P1_STORED=$(tr -d ' ' <<<"57 53 41 44 6C 0D 70 DE 00 20 02 6B BF 7B 30 1B 0102030405060708090A0B0C0D0E0F10")
P1_SAVED=$(tr -d ' ' <<<"21 53 41 44 6C 51 70 DE 00 20 02 6B BF 7B 30 00 0102030405060708090A0B0C0D0E0F10")
readonly P1_STORED P1_SAVED
readonly LISTS_STORED="1004 Letter W
1005 Letter S
1006 Letter A
1007 Letter D
1008 
1009 Enter
1010 F1
1011 Symbol '\"
1012 (unassigned)
1013 Space
1014 Mouse Right
1015 Numpad Add
1016 Symbol /?
1017 F12
1018 Number 0
1019 Esc"

e2e_log "P1 with an unknown code and reserved bytes, stored while Tavlor runs; Cancel"
dialogs_presses_scenario "$E2E_TMP/presses.txt" 0 0x2
e2e_start_app stored "$E2E_TMP/presses.txt"
e2e_wait_poll 0 5
wine reg add "$SETTINGS_KEY" /v P1 /t REG_BINARY /d "$P1_STORED" /f >/dev/null 2>&1 ||
    e2e_fail "cannot store P1"
expect_p1 "REG_BINARY $P1_STORED" "reg add"
dialogs_open $COMMAND_MAP_BUTTONS "$TITLE"
expect_lists "the stored table" "$LISTS_STORED"
dialogs_expect_centred "$TITLE"
e2e_screenshot map_buttons_stored "$DIALOGS_GEOMETRY"
out=$(e2e_driver wait-dialog "$TITLE" 30 dialog-select 1004 "Page Up" dialog-select 1009 "Letter Q" \
    dialog-click $ID_CANCEL wait-gone 30) || e2e_fail "Cancel after changes: $out"
expect_p1 "REG_BINARY $P1_STORED" "Cancel"

e2e_log "Esc"
dialogs_open $COMMAND_MAP_BUTTONS "$TITLE"
expect_lists "the stored table after a cancelled change" "$LISTS_STORED"
out=$(e2e_driver wait-dialog "$TITLE" 30 dialog-select 1019 "F5" activate wait-focus 1004 30 \
    keys escape wait-gone 30) || e2e_fail "Esc did not close the dialog: $out"
expect_p1 "REG_BINARY $P1_STORED" "Esc"

e2e_log "Enter in a list, then Save"
dialogs_open $COMMAND_MAP_BUTTONS "$TITLE"
out=$(e2e_driver wait-dialog "$TITLE" 30 dialog-select 1004 "Page Up" dialog-select 1009 "Letter Q" \
    dialog-select 1019 "(unassigned)") || e2e_fail "cannot choose in the lists: $out"
# Tab is handled after Enter: once the focus has moved on, Enter has been
# handled, and the dialog must still be there.
dialogs_mark wait-dialog "$TITLE" 30 activate wait-focus 1004 30 keys enter keys tab \
    wait-focus 1005 30 wait-dialog "$TITLE" 5
expect_p1 "REG_BINARY $P1_STORED" "Enter"
e2e_log "Save; button 2 now types Q"
dialogs_expect_typing "$DIALOGS_MARK" 0x51 "after Save" \
    wait-dialog "$TITLE" 30 dialog-click $ID_SAVE wait-gone 30
expect_p1 "REG_BINARY $P1_SAVED" "Save"
others=$(e2e_reg_query "$SETTINGS_KEY" | grep -E '^ +P[2-5] ' || true)
[[ -z $others ]] || e2e_fail "Save of controller 1 stored other tables as well: $others"
! grep -Eq 'vk=0x0d ' <<<"$DIALOGS_SENT" || e2e_fail "after Save, button 2 still typed Enter: $DIALOGS_SENT"
dialogs_close_app
expect_p1 "REG_BINARY $P1_SAVED" "after the program ended"
