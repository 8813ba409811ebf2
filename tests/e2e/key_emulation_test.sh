#!/usr/bin/env bash
# Keys and clicks that controller 1's buttons and D-pad inject, poll by poll:
# the built-in mapping, input order within a poll, the Single, Auto and
# Delayed Auto trigger modes (the D-pad never repeats), and the releases of
# everything still held when the controller is pulled out or Tavlor closes.
#
# The recorder appends to the joystick log, so every event lands after the
# poll whose tick injected it. Only injected events count; the one injected
# by the test itself (a click on the empty desktop that takes the focus from
# Tavlor, so that its window never acts on the keys) comes before the
# scenario's go, while every poll is still poll 0.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup key_emulation

readonly FIRST_POLL=10
readonly DELAYED_AUTO_POLLS=13

set_trigger_modes() { # VALUE: the Trigger value the next start loads
    wine reg add 'HKCU\Software\Kelvarin\Tavlor' /v Trigger /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
        e2e_fail "cannot store Trigger $1"
}

# event LABEL press|release CODE: one expected event; CODE is a virtual key
# as the recorder writes it (0x08) or "left" for the left mouse button.
event() {
    local label=$1 action=$2 code=$3
    local direction=up
    [[ $action == press ]] && direction=down
    if [[ $code == left ]]; then
        echo "$label mouse lbutton$direction"
    else
        echo "$label key $direction $code"
    fi
}

# held FROM TO MODE CODE: an input held on polls FROM to TO: the press at
# FROM; in mode auto a release and a press on every later poll it is held,
# in mode delayed from the 13th poll after the press on, in mode single
# never; the release at the first poll it is up again (TO + 1).
held() {
    local from=$1 to=$2 mode=$3 code=$4 poll first_repeat
    case $mode in
    single) first_repeat=$((to + 1)) ;;
    auto) first_repeat=$((from + 1)) ;;
    delayed) first_repeat=$((from + DELAYED_AUTO_POLLS)) ;;
    esac
    event "$from" press "$code"
    for ((poll = first_repeat; poll <= to; poll++)); do
        event "$poll" release "$code"
        event "$poll" press "$code"
    done
    event $((to + 1)) release "$code"
}

# run_scenario RUN SCENARIO LAST_POLL: starts Tavlor with the recorder in its
# joystick log, takes the focus away, gives the scenario its go and waits for
# poll LAST_POLL.
#
# The program's own timer does the polling here, not `e2e_driver ticks`: a
# tick sent from another process can run inside SendInput of the tick before
# it, which under Wine handles sent messages while it waits for the
# recorder's hooks, and the events would land after the wrong poll.
run_scenario() {
    local run=$1 scenario=$2 last=$3 out
    e2e_start_app "$run" "$E2E_SOURCE_DIR/scenarios/$scenario"
    e2e_record_into "$E2E_JOYLOG"
    out=$(e2e_tavlor click left 1900 1060) || e2e_fail "$run: cannot click the desktop: $out"
    local deadline=$((SECONDS + 30))
    until [[ $(e2e_field "$(e2e_tavlor info)" foreground) == 0 ]]; do
        ((SECONDS < deadline)) || e2e_fail "$run: Tavlor kept the focus after a click on the desktop"
        sleep 0.1
    done
    e2e_go
    e2e_wait_poll 0 "$last"
}

close_app() {
    e2e_mark "$E2E_JOYLOG" close
    e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "$E2E_RUN: cannot post WM_CLOSE"
    e2e_expect_exit_code 0 60
    e2e_stop_recording
}

# expect_events WHAT EXPECTED: the injected events from poll FIRST_POLL on are
# exactly EXPECTED; those after the close mark are labelled "close".
expect_events() {
    local what=$1 expected=$2 actual
    actual=$(e2e_injected_events "$E2E_JOYLOG" 0 |
        awk -v first=$FIRST_POLL '$0 == "mark close" { closing = 1; next }
            closing { $1 = "close"; print; next }
            $1 ~ /^[0-9]+$/ && $1 >= first')
    e2e_expect_events "$what" "$expected" "$actual"
}

e2e_log "the built-in mapping, all on Single"
set_trigger_modes 0
run_scenario single engine_keys_single.txt 155
close_app
expected=$({
    held 10 12 single 0x26
    held 15 17 single 0x28
    held 20 22 single 0x25
    held 25 27 single 0x27
    held 30 32 single 0x08
    held 35 37 single 0x0d
    held 40 42 single 0xa1
    held 45 47 single 0xa3
    held 50 52 single 0xa5
    held 55 57 single 0x20
    held 60 62 single left
    held 65 67 single 0x09
    held 80 109 single 0x08
    # together, in input order: Up, Right, Button 1, 7, 8
    held 120 124 single 0x26
    held 120 124 single 0x27
    held 120 124 single 0x08
    held 120 124 single left
    held 120 124 single 0x09
    held 135 139 single 0x08
    held 130 139 single 0x09
    event 150 press 0x25
    event 150 press 0xa1
} | sort -s -n -k1,1
    event close release 0x25
    event close release 0xa1
)
expect_events "Single" "$expected"

e2e_log "Auto and Delayed Auto; the controller pulled out while inputs are held"
set_trigger_modes 0x121
# 600 ticks after the unplugged poll: the rediscovery after 500 of them finds
# nothing, and still nothing may be injected.
run_scenario repeat engine_keys_repeat.txt 230
out=$(e2e_tavlor ticks 600) || e2e_fail "cannot send timer messages: $out"
(($(grep -c '^numdevs ' "$E2E_JOYLOG") >= 2)) || e2e_fail "no rediscovery within 600 ticks after the unplug"
close_app
expected=$({
    held 10 39 auto 0x08
    held 50 79 delayed 0x20
    held 90 94 delayed 0x20
    held 96 115 delayed 0x20
    held 125 144 delayed left
    held 155 184 single 0x27
    held 195 199 single 0x26
    held 195 199 auto 0x08
    held 195 199 auto 0x0d
    # released by the unplugged poll 230, in input order
    held 210 229 single 0x26
    held 210 229 auto 0x08
    held 210 229 delayed left
    held 210 229 delayed 0x09
} | sort -s -n -k1,1)
expect_events "Auto and Delayed Auto" "$expected"
