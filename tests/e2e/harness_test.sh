#!/usr/bin/env bash
# The test helpers themselves under Wine, without the program: the scripted
# winmm.dll is the one a 64-bit exe beside it loads and it plays its scenario,
# holding its clock at poll 0 until the go where the scenario asks for one;
# input injected from one process reaches the recorder's hooks in another,
# with pointer moves unaccelerated.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup harness

expect_line() { # OUTPUT LINE WHAT
    grep -Fxq -- "$2" <<<"$1" || e2e_fail "$3: expected the line '$2' in:"$'\n'"$1"
}

e2e_log "joystick stand-in"
cp "$E2E_SOURCE_DIR/scenarios/harness_probe.txt" "$E2E_OUT/probe.scenario"
E2E_JOYLOG=$E2E_OUT/probe.joystick.log
probe=$(TAVLOR_E2E_SCENARIO=$E2E_OUT/probe.scenario TAVLOR_E2E_JOYLOG=$E2E_JOYLOG \
    e2e_driver joy-probe 2) || e2e_fail "joy-probe failed: $probe"
expect_line "$probe" "numdevs 16" "numdevs"
expect_line "$probe" "caps 0 ok wCaps=0x10 buttons=12 axes=4 x=0:65535 name=E2E Pad 0" "caps of id 0"
expect_line "$probe" "pos 0 x=32767 y=32767 buttons=0x3 pov=9000" "default hold of id 0"
expect_line "$probe" "caps 1 error 167" "absent id 1"
expect_line "$probe" "caps 2 ok wCaps=0x0 buttons=4 axes=2 x=0:255 name=E2E Pad 2" "caps of id 2"
expect_line "$probe" "pos 2 x=0 y=255 buttons=0x0 pov=65535" "hold on poll 1 of id 2"
expect_line "$probe" "pos 2 error 167" "id 2 unplugged at poll 2"
log=$(cat "$E2E_JOYLOG")
expect_line "$log" "scenario loaded numdevs=16 devices=0,2" "joystick log"
expect_line "$log" "poll 2 2 unplugged" "joystick log"
grep -Eq '^poll 0 1 ok flags=0xff buttons=0x3 pov=9000 ' <<<"$log" || e2e_fail "joystick log lacks poll 0 1"

e2e_log "joystick stand-in: a scenario that waits for go"
cp "$E2E_SOURCE_DIR/scenarios/harness_go.txt" "$E2E_OUT/go.scenario"
go_probe() { # LOG: two polls of id 0 in a fresh process
    TAVLOR_E2E_SCENARIO=$E2E_OUT/go.scenario TAVLOR_E2E_JOYLOG=$1 TAVLOR_E2E_GO=$E2E_TMP/go \
        e2e_driver joy-probe 2
}
probe=$(go_probe "$E2E_OUT/before-go.joystick.log") || e2e_fail "joy-probe failed: $probe"
[[ $(grep -c '^pos 0 x=32767 y=32767 buttons=0x0 pov=65535$' <<<"$probe") == 2 ]] ||
    e2e_fail "before the go both polls must be at rest:"$'\n'"$probe"
[[ $(grep -c '^poll 0 0 ok ' "$E2E_OUT/before-go.joystick.log") == 2 ]] ||
    e2e_fail "before the go the joystick log must show poll 0 twice"
: >"$E2E_TMP/go"
probe=$(go_probe "$E2E_OUT/after-go.joystick.log") || e2e_fail "joy-probe failed: $probe"
expect_line "$probe" "pos 0 x=32767 y=32767 buttons=0x1 pov=65535" "poll 1 after the go"
expect_line "$probe" "pos 0 x=32767 y=32767 buttons=0x2 pov=65535" "poll 2 after the go"
expect_line "$(cat "$E2E_OUT/after-go.joystick.log")" "go" "joystick log after the go"

e2e_log "input recorder"
e2e_start_recorder
e2e_driver move 500 500 keys alt+x move-by 10 -5 click left 300 300 wheel -120 >/dev/null ||
    e2e_fail "the driver could not inject input"
e2e_wait_line "$E2E_RECORDER_LOG" '^mouse wheel ' 30 "the recorded wheel event"
recorded=$(sed -E 's/ (scan|flags)=0x[0-9a-f]+//g' "$E2E_RECORDER_LOG")
expected=(
    "key syskeydown vk=0x12 extra=0x7a5e injected=1"
    "key syskeydown vk=0x58 extra=0x7a5e injected=1"
    "key syskeyup vk=0x58 extra=0x7a5e injected=1"
    "key keyup vk=0x12 extra=0x7a5e injected=1"
    "mouse move x=510 y=495 dx=10 dy=-5 extra=0x7a5e injected=1"
    "mouse lbuttondown x=300 y=300 dx=0 dy=0 extra=0x7a5e injected=1"
    "mouse lbuttonup x=300 y=300 dx=0 dy=0 extra=0x7a5e injected=1"
    "mouse wheel x=300 y=300 dx=0 dy=0 delta=-120 extra=0x7a5e injected=1"
)
for line in "${expected[@]}"; do
    expect_line "$recorded" "$line" "input recorder"
done
