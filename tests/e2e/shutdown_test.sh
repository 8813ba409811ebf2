#!/usr/bin/env bash
# Every way the program is asked to end is an orderly close with exit code 0:
# Alt+X typed at the window, WM_CLOSE, and a WM_QUIT that someone else posts to
# the window or its thread (whatever exit code that WM_QUIT carries). An
# orderly close saves the settings, so the settings key exists afterwards.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup shutdown

readonly SETTINGS_KEY='HKCU\Software\Kelvarin\Tavlor'
scenario=$E2E_SOURCE_DIR/scenarios/one_controller.txt

# run_until_exit RUN DRIVER-COMMAND...: starts the program, waits until it
# polls, has the driver act on its window and expects exit code 0.
run_until_exit() {
    local run=$1
    shift
    e2e_start_app "$run" "$scenario"
    e2e_wait_poll 0 5
    local output
    output=$(e2e_tavlor "$@") || e2e_fail "$run: driver failed: $output"
    e2e_expect_exit_code 0 60
}

run_until_exit foreign_quit post WM_QUIT 7 0
settings=$(e2e_reg_query "$SETTINGS_KEY" X) ||
    e2e_fail "after a foreign WM_QUIT the settings were not saved (no value X under $SETTINGS_KEY)"
grep -Eq '^ *X +REG_DWORD +0x96$' <<<"$settings" ||
    e2e_fail "saved X is not 150: $settings"

run_until_exit foreign_thread_quit post-thread WM_QUIT 9 0
run_until_exit close_message post WM_CLOSE 0 0
run_until_exit alt_x activate keys alt+x
