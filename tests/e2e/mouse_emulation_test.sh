#!/usr/bin/env bash
# Pointer motion and wheel from the pointer controller's stick and R axis,
# poll by poll: the distance per poll at each mouse speed, linear and curved,
# truncated toward zero; the wheel notch per poll; and a controller without a
# hat, whose stick types the arrow keys and never moves the pointer.
#
# The recorder appends to the joystick log, so every event lands after the
# poll whose tick injected it; only injected events count, and the scenarios
# start at their go, after the test has placed the pointer (SetCursorPos
# injects nothing). The template prefix has pointer acceleration off, so a
# recorded move is the distance sent.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup mouse_emulation

readonly FIRST_POLL=10
readonly LAST_POLL=80

set_mouse() { # SPEED CURVE: the MouseSpeed and MouseCurve values the next start loads
    local name value
    for name in MouseSpeed MouseCurve; do
        value=$1
        shift
        wine reg add 'HKCU\Software\Kelvarin\Tavlor' /v "$name" /t REG_DWORD /d "$value" /f >/dev/null 2>&1 ||
            e2e_fail "cannot store $name $value"
    done
}

# run_scenario RUN SCENARIO: starts Tavlor with the recorder in its joystick
# log, puts the pointer in the middle of the screen, gives the scenario its
# go, waits for LAST_POLL polls (of the program's own timer, see
# key_emulation_test.sh), closes it.
run_scenario() {
    local run=$1 scenario=$2 out
    e2e_start_app "$run" "$E2E_SOURCE_DIR/scenarios/$scenario"
    e2e_record_into "$E2E_JOYLOG"
    out=$(e2e_tavlor move 960 540) || e2e_fail "$run: cannot place the pointer: $out"
    e2e_go
    e2e_wait_poll 0 $LAST_POLL
    e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "$run: cannot post WM_CLOSE"
    e2e_expect_exit_code 0 60
    e2e_stop_recording
}

# expect_events WHAT EXPECTED: the injected events of polls FIRST_POLL to
# LAST_POLL are exactly EXPECTED ("POLL mouse move DX DY", ...).
expect_events() {
    local what=$1 expected=$2 actual
    actual=$(e2e_injected_events "$E2E_JOYLOG" 0 |
        awk -v first=$FIRST_POLL -v last=$LAST_POLL '$1 ~ /^[0-9]+$/ && $1 >= first && $1 <= last')
    e2e_expect_events "$what" "$expected" "$actual"
}

# polls FROM TO EVENT...: each EVENT once on every poll from FROM to TO.
polls() {
    local from=$1 to=$2 poll event
    shift 2
    for ((poll = from; poll <= to; poll++)); do
        for event in "$@"; do
            echo "$poll $event"
        done
    done
}

# motion FULL HALF: what engine_mouse_motion.txt does when full deflection
# moves the pointer FULL pixels a poll and half deflection HALF.
motion() {
    local full=$1 half=$2
    polls 10 14 "mouse move $full 0"
    polls 20 24 "mouse move 0 -$full"
    polls 30 34 "mouse move $half 0"
    polls 40 44 "mouse move -$half -$half"
    polls 50 54 "mouse wheel -120"
    polls 60 64 "mouse wheel 120"
    polls 70 74 "mouse move -$full $full" "mouse wheel 60"
}

e2e_log "Slow, linear: 14 pixels a poll, half deflection 7"
set_mouse 0 0
run_scenario slow_linear engine_mouse_motion.txt
expect_events "Slow, linear" "$(motion 14 7)"

e2e_log "Medium, curved: 28 pixels a poll, half deflection a quarter of that"
set_mouse 1 1
run_scenario medium_curved engine_mouse_motion.txt
expect_events "Medium, curved" "$(motion 28 7)"

e2e_log "Fast, curved: 70 pixels a poll, half deflection 17.5 truncated toward zero"
set_mouse 2 1
run_scenario fast_curved engine_mouse_motion.txt
expect_events "Fast, curved" "$(motion 70 17)"

e2e_log "the active controller has no hat: its stick is the D-pad"
set_mouse 2 0
run_scenario no_hat engine_mouse_no_hat.txt
expect_events "no hat" "$(
    polls 10 10 "key down 0x27"
    polls 15 15 "key up 0x27"
    polls 20 20 "key down 0x26"
    polls 25 25 "key up 0x26"
    polls 40 40 "key down 0x28" "key down 0x25"
    polls 45 45 "key up 0x28" "key up 0x25"
)"
