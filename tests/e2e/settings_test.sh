#!/usr/bin/env bash
# The settings key from one run to the next. A first start writes the six
# settings with their defaults when it closes (and not when a session end is
# called off). Values stored beforehand load into range whatever their type
# and length: a value is copied byte for byte over the default, one too long
# for its four bytes is ignored. The window's size and place show what was
# loaded; the values written back at exit (always REG_DWORD) show the rest.
# A save takes the window's place unless half the picture or more lies
# beyond the screen's left or top edge; the next start comes back there.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup settings

scenario=$E2E_SOURCE_DIR/scenarios/one_controller.txt

# run_and_close RUN RECT: starts the program, expects its window at RECT
# ("L T R B") and closes it with WM_CLOSE.
run_and_close() {
    e2e_start_app "$1" "$scenario"
    e2e_wait_poll 0 3
    e2e_wait_rect "$2" 30 "$1: the window as loaded"
    e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "$1: cannot post WM_CLOSE"
    e2e_expect_exit_code 0 60
}

# save_at X Y: moves the window's corner to X Y, as a drag would leave it,
# and has the program save its settings as at the end of a session.
save_at() {
    local out
    out=$(e2e_tavlor move-window "$1" "$2" send WM_ENDSESSION 1 0) ||
        e2e_fail "cannot move the window to $1 $2 and save: $out"
}

e2e_log "first start: no key"
! e2e_reg_query "$E2E_SETTINGS_KEY" >/dev/null || e2e_fail "a fresh prefix already holds $E2E_SETTINGS_KEY"
e2e_start_app first_start "$scenario"
e2e_wait_poll 0 3
e2e_wait_rect "150 100 644 285" 30 "first start"
out=$(e2e_tavlor send WM_ENDSESSION 0 0) || e2e_fail "cannot send WM_ENDSESSION: $out"
! e2e_reg_query "$E2E_SETTINGS_KEY" >/dev/null ||
    e2e_fail "a session end that was called off (wParam 0) wrote the settings"
out=$(e2e_tavlor activate keys alt+x) || e2e_fail "cannot type Alt+X: $out"
e2e_expect_exit_code 0 60
e2e_settings_expect "after the first start" 0 1 1 1 150 100

e2e_log "out of range: every setting brought back"
e2e_settings_clear
e2e_settings_store Trigger REG_DWORD 0x7654f201    # bits 12-31 go
e2e_settings_store MouseSpeed REG_DWORD 0xffffffff # -1: its non-negative remainder, 2
e2e_settings_store MouseCurve REG_DWORD 2          # bit 0 stays
e2e_settings_store Size REG_DWORD 0xfffffff9       # -7: 1
e2e_settings_store X REG_DWORD 0xfffffe1c          # -484: a quarter of 1920 instead
e2e_settings_store Y REG_DWORD 1075                # 1080 - 5: a quarter of 1080 instead
run_and_close out_of_range "480 270 974 455"
e2e_settings_expect "out-of-range values" 0x201 2 0 1 480 270

e2e_log "just in range at the scale of the screen (no Size)"
e2e_settings_clear
e2e_settings_store Trigger REG_DWORD 0x120
e2e_settings_store MouseSpeed REG_DWORD 5          # 2
e2e_settings_store MouseCurve REG_DWORD 0xfffffffe # 0
e2e_settings_store X REG_DWORD 0xfffffe1d          # -483
e2e_settings_store Y REG_DWORD 1074
# Half the picture or more lies beyond the left edge: the place is not taken
# at exit, and the loaded one is written back.
run_and_close in_range "-483 1074 11 1259"
e2e_settings_expect "values just in range" 0x120 2 0 1 -483 1074

e2e_log "wrong types and lengths"
e2e_settings_clear
e2e_settings_store Trigger REG_BINARY 12f2         # two bytes: 0xf212
e2e_settings_store MouseSpeed REG_SZ ""            # two zero bytes
e2e_settings_store MouseCurve REG_BINARY           # no bytes: the default stays
e2e_settings_store Size REG_BINARY 03              # one byte
e2e_settings_store X REG_SZ 2                      # "2" and its terminator: 0x32
e2e_settings_store Y REG_BINARY c800000000000000   # eight bytes: ignored
run_and_close wrong_types "50 100 1532 655"
e2e_settings_expect "values of other types and lengths" 0x212 0 1 3 50 100

e2e_log "the position is checked at the loaded scale"
e2e_settings_clear
e2e_settings_store Size REG_SZ 2                   # 0x32: 4
e2e_settings_store X REG_DWORD 0xfffffd44          # -700: within -4 x 484
e2e_settings_store Y REG_DWORD 1065                # not within 1080 - 4 x 5
run_and_close scale_four "-700 270 1276 1010"
e2e_settings_expect "values at scale 4" 0 1 1 4 -700 270

e2e_log "the place taken at a save"
e2e_settings_clear
e2e_start_app placement "$scenario"
e2e_wait_poll 0 3
save_at -241 -86
e2e_settings_expect "at scale 1, left -241 and top -86" 0 1 1 1 -241 -86
save_at -242 10
e2e_settings_expect "at scale 1, left -242" 0 1 1 1 -241 -86
save_at 10 -87
e2e_settings_expect "at scale 1, top -87" 0 1 1 1 -241 -86
out=$(e2e_tavlor post WM_COMMAND 9023 0 post WM_COMMAND 9023 0) || e2e_fail "cannot post Increase Size: $out"
e2e_wait_rect "10 0 1492 555" 30 "scale 3"
# At scale 3 the left bound is -3 x 242; the top bound -(175 x 3) / 2 is cut
# toward zero, to -262.
save_at -725 -261
e2e_settings_expect "at scale 3, left -725 and top -261" 0 1 1 3 -725 -261
save_at -726 0
e2e_settings_expect "at scale 3, left -726" 0 1 1 3 -725 -261
save_at 0 -262
e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "placement: cannot post WM_CLOSE"
e2e_expect_exit_code 0 60
e2e_settings_expect "at exit, at scale 3, top -262" 0 1 1 3 -725 -261
run_and_close placed "-725 -261 757 294"
