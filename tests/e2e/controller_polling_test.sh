#!/usr/bin/env bash
# Which controller the program polls: the first one present, and only that
# one; one that stops answering is not polled again, and with a second
# controller still counted nothing rediscovers on its own until the context
# menu opens; with no controller at all, discovery runs again after 500 ticks.
#
# Ticks are counted, not timed: `e2e_driver ticks N` sends N timer messages,
# each handled before the next is sent, on top of the program's own timer.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup controller_polling

readonly TICKS_BEYOND_REDISCOVERY=600

close_app() {
    e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "$E2E_RUN: cannot post WM_CLOSE"
    e2e_expect_exit_code 0 60
}

expect_no_polls_except() { # ID: no joystick log line polls another id
    local others
    others=$(awk -v id="$1" '$1 == "poll" && $2 != id && shown++ < 3' "$E2E_JOYLOG")
    [[ -z $others ]] || e2e_fail "$E2E_RUN: only controller $1 may be polled, but: $others"
}

e2e_log "ids 0 and 1 present; 0 stops answering at its poll 200"
e2e_start_app first_unplugged "$E2E_SOURCE_DIR/scenarios/two_controllers_first_unplugged.txt"
e2e_wait_count "$E2E_JOYLOG" '^poll 0 ' 5 60 "five polls of id 0"
grep -q '^caps 1 ok' "$E2E_JOYLOG" || e2e_fail "discovery did not probe id 1"
before=$(grep -c '^poll 0 ' "$E2E_JOYLOG")
out=$(e2e_tavlor ticks 30) || e2e_fail "cannot send timer messages: $out"
after=$(grep -c '^poll 0 ' "$E2E_JOYLOG")
((after >= before + 30)) ||
    e2e_fail "30 timer messages raised the number of polls of id 0 only from $before to $after"
bad_flags=$(awk '$1 == "poll" && $4 == "ok" && $5 != "flags=0xff" && shown++ < 1' "$E2E_JOYLOG")
[[ -z $bad_flags ]] || e2e_fail "a poll did not ask for everything (JOY_RETURNALL): $bad_flags"

e2e_go
e2e_wait_line "$E2E_JOYLOG" '^poll 0 200 unplugged' 120 "the failed poll 200 of id 0"
out=$(e2e_tavlor ticks $TICKS_BEYOND_REDISCOVERY) || e2e_fail "cannot send timer messages: $out"
later=$(e2e_lines_after "$E2E_JOYLOG" '^poll 0 200 unplugged')
[[ -z $later ]] || e2e_fail "after id 0 stopped answering and $TICKS_BEYOND_REDISCOVERY more ticks," \
    "nothing may be polled or rediscovered while id 1 still counts, but: $later"
expect_no_polls_except 0

e2e_log "opening the context menu rediscovers, and id 1 takes over"
out=$(e2e_tavlor activate post WM_CONTEXTMENU 0 300,150) || e2e_fail "cannot open the context menu: $out"
e2e_wait_count "$E2E_JOYLOG" '^numdevs ' 2 60 "discovery when the context menu opens"
e2e_wait_poll 1 5
out=$(e2e_driver wait-menu 30 keys escape wait-no-menu 30) || e2e_fail "cannot close the context menu: $out"
polled_again=$(e2e_lines_after "$E2E_JOYLOG" '^poll 0 200 unplugged' 1000000 | awk '$1 == "poll" && $2 == 0')
[[ -z $polled_again ]] || e2e_fail "the absent id 0 was polled again: $polled_again"
close_app

e2e_log "ids 2 and 4 present, the active id 0 absent"
e2e_start_app first_two_absent "$E2E_SOURCE_DIR/scenarios/first_two_absent.txt"
e2e_wait_line "$E2E_JOYLOG" '^poll [0-9]+ 10 ' 60 "ten polls of one controller"
expect_no_polls_except 2
close_app

e2e_log "no controller present"
e2e_start_app none "$E2E_SOURCE_DIR/scenarios/no_controllers.txt"
e2e_wait_line "$E2E_JOYLOG" '^numdevs ' 60 "the first discovery"
out=$(e2e_tavlor ticks $TICKS_BEYOND_REDISCOVERY) || e2e_fail "cannot send timer messages: $out"
discoveries=$(grep -c '^numdevs ' "$E2E_JOYLOG")
((discoveries >= 2)) ||
    e2e_fail "with no controller, $TICKS_BEYOND_REDISCOVERY ticks did not start a second discovery"
expect_no_polls_except none
close_app
