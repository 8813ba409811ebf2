#!/usr/bin/env bash
# The About dialog: its four lines of text, the maker's host name on the link
# button and "OK"; it sits centred over the main window. A key held when it
# opens is released and buttons pressed while it is open type nothing. It
# closes by a click on OK, by Esc and by a WM_COMMAND with IDOK (no control
# has that id), and each time the buttons type again afterwards.
#
# How presses are scripted and seen: dialogs_lib.sh. The link button is not
# clicked: it would start a browser outside the test.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialogs_lib.sh"
e2e_setup about_dialog

readonly TITLE='About'
readonly COMMAND_ABOUT=9026
readonly ID_LINK=1001 ID_TEXT=1003 ID_OK_BUTTON=2 IDOK=1

# closes_by WHAT DRIVER-COMMAND...: opens the dialog, closes it with the
# driver commands (aimed at the dialog) and expects button 6 to type again.
closes_by() {
    local what=$1
    shift
    dialogs_open $COMMAND_ABOUT "$TITLE"
    dialogs_expect_typing "$DIALOGS_MARK" 0x20 "after $what" wait-dialog "$TITLE" 30 "$@" wait-gone 30
}

e2e_start_recorder
e2e_log "Button 1 (Backspace) held throughout, button 6 (Space) pressed every 20 polls"
dialogs_presses_scenario "$E2E_TMP/held.txt" 0x1 0x20
e2e_start_app about "$E2E_TMP/held.txt"
dialogs_open_releasing $COMMAND_ABOUT "$TITLE"
dialogs_expect_centred "$TITLE"

texts=$(e2e_driver wait-dialog "$TITLE" 30 dialog-text $ID_TEXT dialog-text $ID_LINK \
    dialog-text $ID_OK_BUTTON) || e2e_fail "cannot read the dialog's texts: $texts"
product=$(e2e_field "$texts" text | sed 's/^[0-9]* //')
mapfile -t lines <<<"${product//\\r\\n/$'\n'}"
if ((${#lines[@]} != 4)) || [[ ${lines[0]} != Tavlor || ${lines[1]} != "KBM Emulator" ||
    ${lines[2]} != "23.8 (x64)" || ${lines[3]} != *Kelvarin* ]]; then
    e2e_fail "the product text is '$product', expected the lines Tavlor, KBM Emulator, 23.8 (x64)" \
        "and one naming Kelvarin"
fi
host=$(grep "^text $ID_LINK " <<<"$texts" | cut -d' ' -f3-)
[[ $host =~ ^[a-z0-9-]+(\.[a-z0-9-]+)+$ ]] ||
    e2e_fail "the link button reads '$host', expected a host name without scheme or path"
grep -Fxq "text $ID_OK_BUTTON OK" <<<"$texts" || e2e_fail "the OK button's text: $texts"

dialogs_expect_quiet "$DIALOGS_MARK" "About open"
e2e_screenshot about_dialog "$DIALOGS_GEOMETRY"
dialogs_expect_typing "$DIALOGS_MARK" 0x20 "after OK" \
    wait-dialog "$TITLE" 30 dialog-click $ID_OK_BUTTON wait-gone 30
! grep -Eq 'vk=0x08 ' <<<"$DIALOGS_SENT" ||
    e2e_fail "Button 1, held through the dialog, typed again without a new press: $DIALOGS_SENT"

closes_by Esc activate keys escape
closes_by "WM_COMMAND IDOK" post WM_COMMAND $IDOK 0
dialogs_close_app
