#!/usr/bin/env bash
# The context menu and its commands. A real right-click on the window opens
# the menu with its corner at the cursor, Shift+F10 and the menu key at the
# window's corner, and items chosen with the keyboard take effect. Mouse
# Speed is grey while the active controller is not the pointer controller.
# Commands posted as WM_COMMAND set each trigger group, the mouse speed and
# curve and the window scale (1 to 4, clamped); a resize keeps the window's
# corner unless it is at or beyond the screen's left or top edge, where it
# moves to 0. A session end saves the settings while the program goes on;
# the exit saves them again.
#
# The items of another process's menu cannot be read under Wine, so the menu
# is walked blind, by access keys, and judged by what it does. Arrow keys
# would be flaky: the menu opens under the pointer, and a pointer move that
# Wine delivers a little late clears the highlight the arrows have moved.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup context_menu

# right_click_menu X Y KEY...: a real right-click at a screen point of the
# window; the menu must open with its top-left corner at the cursor. The
# KEYs then walk it, and it must close.
right_click_menu() {
    local x=$1 y=$2 key walk=() out
    shift 2
    for key in "$@"; do
        walk+=(keys "$key")
    done
    out=$(e2e_tavlor click right "$x" "$y" cursor wait-menu 30 "${walk[@]}" wait-no-menu 30) ||
        e2e_fail "$E2E_RUN: right-click at $x,$y then keys '$*': $out"
    [[ $(e2e_field "$out" cursor) == "$x $y" ]] ||
        e2e_fail "$E2E_RUN: the cursor is at '$(e2e_field "$out" cursor)' after a click at $x $y"
    local corner
    corner=$(awk '$1 == "menu-window" { print $4, $5; exit }' <<<"$out")
    [[ $corner == "$x $y" ]] ||
        e2e_fail "$E2E_RUN: a right-click at $x $y opened the menu at '$corner'"
}

# keyboard_menu COMBO CORNER: COMBO typed at the window opens the menu at the
# window's top-left corner CORNER ("X Y"); Esc closes it.
keyboard_menu() {
    local out corner
    out=$(e2e_tavlor activate keys "$1" wait-menu 30 keys escape wait-no-menu 30) ||
        e2e_fail "$E2E_RUN: $1 did not open and close the menu: $out"
    corner=$(awk '$1 == "menu-window" { print $4, $5; exit }' <<<"$out")
    [[ $corner == "$2" ]] || e2e_fail "$E2E_RUN: $1 opened the menu at '$corner', expected the window's corner $2"
}

post_commands() { # ID...: WM_COMMAND for each, in order, as the menu posts them
    local id args=()
    for id in "$@"; do
        args+=(post WM_COMMAND "$id" 0)
    done
    local out
    out=$(e2e_tavlor "${args[@]}") || e2e_fail "$E2E_RUN: cannot post commands $*: $out"
}

e2e_log "right-click menu, keyboard menu, items chosen by keys"
e2e_settings_store X REG_DWORD 300
e2e_settings_store Y REG_DWORD 0xffffffce # -50
e2e_start_app menu "$E2E_SOURCE_DIR/scenarios/one_controller.txt"
e2e_wait_poll 0 3
e2e_wait_rect "300 -50 794 135" 30 "the window as loaded"
right_click_menu 500 60 w i # Window Size > Increase Size
e2e_wait_rect "300 0 1288 370" 30 "Window Size > Increase Size (the top edge moves to 0)"
right_click_menu 1000 300 w d # Window Size > Decrease Size
e2e_wait_rect "300 0 794 185" 30 "Window Size > Decrease Size"
keyboard_menu shift+f10 "300 0"
keyboard_menu apps "300 0"
right_click_menu 600 100 m s   # Mouse Speed > Slow
right_click_menu 600 100 t 5 d # Trigger > Buttons 5-8 > Delayed Auto
right_click_menu 400 150 x     # Exit
e2e_expect_exit_code 0 60
e2e_settings_expect "after the menu's choices" 0x020 0 1 1 300 0

e2e_log "Mouse Speed is grey unless the active controller is the pointer controller"
e2e_settings_clear
e2e_start_app pointer_second "$E2E_SOURCE_DIR/scenarios/settings_pointer_second.txt"
e2e_wait_poll 0 3
right_click_menu 400 150 m s escape # a grey submenu does not open: nothing is chosen
right_click_menu 400 150 t 1 a      # while other items still work
e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "cannot post WM_CLOSE"
e2e_expect_exit_code 0 60
e2e_settings_expect "after Mouse Speed > Slow on a grey submenu" 0x001 1 1 1 150 100

e2e_log "posted commands; resizing a window that lies beyond the left edge"
e2e_settings_clear
e2e_settings_store Trigger REG_DWORD 0x3f3 # no valid mode in any group
e2e_settings_store X REG_DWORD 0xffffff9c  # -100
e2e_settings_store Y REG_DWORD 900
e2e_start_app commands "$E2E_SOURCE_DIR/scenarios/one_controller.txt"
e2e_wait_poll 0 3
e2e_wait_rect "-100 900 394 1085" 30 "the window as loaded"
# Trigger: each command replaces its group's mode: 0x3f3 -> 0x3f2 -> 0x322
# -> 0x312 -> 0x112 -> 0x212 -> 0x210. Ids 9006-9008 and 9028 do nothing.
post_commands 9015 9016 9013 9014 9017 9009 9018 9020 9021 9006 9007 9008 9028
# Decrease at scale 1 does nothing; the commands are handled in order, so
# the increase that follows must give scale 2.
post_commands 9024 9023
e2e_wait_rect "0 900 988 1270" 30 "scale 2: the left edge moves to 0, the top stays"
post_commands 9023 9023 9023
e2e_wait_rect "0 900 1976 1640" 30 "scale 4, the largest"
post_commands 9024
e2e_wait_rect "0 900 1482 1455" 30 "scale 3"
out=$(e2e_tavlor send WM_ENDSESSION 1 0) || e2e_fail "cannot send WM_ENDSESSION: $out"
e2e_app_running || e2e_fail "the program ended at WM_ENDSESSION"
e2e_settings_expect "saved at the session's end" 0x210 2 0 3 0 900
post_commands 9019 9027 # Medium, Exit
e2e_expect_exit_code 0 60
e2e_settings_expect "saved at exit" 0x210 1 0 3 0 900
