#!/usr/bin/env bash
# What the window shows, pixel by pixel: screenshots of the real window held
# against the view that view_check.exe works out from the controller picture
# alone (the picture at (5, 5) inside a 5-pixel frame, each view pixel a
# scale x scale block of the window):
# - scale 1, controller 1 holding Button 1, the hat to the right and Button 13:
#   exactly the Button 1 and D-pad Right rectangles carry controller 1's tint,
#   everything else of the picture (the centre of the cross too) is the
#   picture's own, the frame is controller 1's colour;
# - another window takes the focus: only the frame turns grey;
# - scale 2 after Increase Size, the same view enlarged;
# - Controller > 2: controller 2's frame colour and tint on its own inputs;
# - scale 3, then Controller > 3, which holds nothing: its frame colour and no
#   highlight, although no input changed at the switch.
# Screenshots, the expected images, diff images (differing pixels magenta)
# and one report per screenshot land in the output dir.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup controller_view

readonly PICTURE=$E2E_SOURCE_DIR/../../resources/controller_picture.bgr
readonly VIEW_WIDTH=494 VIEW_HEIGHT=185
readonly INACTIVE_FRAME=0xFFB1BBBD
# Frame and highlight colours of controllers 1, 2 and 3.
readonly FRAME=(0xFF51D758 0xFF608DDE 0xFFC24A4B)
readonly HIGHLIGHT=(0xFF00FF00 0xFF0F5FFF 0xFFFF0000)
readonly LIT_1=right,b1 LIT_2=down,left,b2,b6,b12
readonly ATTEMPTS=5
readonly ID_CONTROLLER_2=9002 ID_CONTROLLER_3=9003 ID_INCREASE_SIZE=9023

[[ -f $PICTURE ]] || e2e_fail "the controller picture $PICTURE is missing"
[[ -f $E2E_HELPER_DIR/view_check.exe ]] || e2e_fail "view_check.exe is missing: build the windows preset first"
cp "$E2E_HELPER_DIR/view_check.exe" "$E2E_APP_DIR/"

# run_view_check NAME SCALE FRAME HIGHLIGHT LIT [OUT]: compares the screenshot
# NAME.png; writes OUT (default NAME).report.txt and its images.
run_view_check() {
    local name=$1 out=$E2E_OUT/${6:-$1} status=0
    convert "$E2E_OUT/$name.png" -depth 8 "$E2E_TMP/$name.ppm" ||
        e2e_fail "$name: the screenshot cannot be converted"
    (cd "$E2E_APP_DIR" && wine view_check.exe "$E2E_TMP/$name.ppm" "$PICTURE" "$out" "${@:2:4}") \
        >"$E2E_TMP/view_check.out" 2>&1 || status=$?
    ((status <= 1)) || e2e_fail "$name: view_check failed: $(cat "$E2E_TMP/view_check.out")"
    local image
    for image in expected diff; do
        convert "$out.$image.ppm" "$out.$image.png" && rm -f "$out.$image.ppm"
    done
    return "$status"
}

# expect_view NAME SCALE FRAME HIGHLIGHT LIT: the window is SCALE times the
# base size and shows the picture in that frame colour with exactly the LIT
# inputs tinted. The screenshot is taken after a few more ticks, so the repaint
# has happened; it is taken again (after more ticks) should it still differ,
# in case the X server had not drawn the last frame yet.
expect_view() {
    local name=$1 scale=$2 info left top attempt status=0
    info=$(e2e_tavlor info) || e2e_fail "$name: no Tavlor window: $info"
    read -r left top _ <<<"$(e2e_field "$info" rect)"
    local width=$((VIEW_WIDTH * scale)) height=$((VIEW_HEIGHT * scale))
    [[ $(e2e_field "$info" size) == "$width $height" ]] ||
        e2e_fail "$name: the window is $(e2e_field "$info" size), expected $width $height at scale $scale"
    for ((attempt = 1; attempt <= ATTEMPTS; attempt++)); do
        e2e_tavlor ticks 3 >/dev/null || e2e_fail "$name: cannot send timer messages"
        rm -f "$E2E_OUT/$name.png"
        e2e_screenshot "$name" "${width}x$height+$left+$top"
        [[ -f $E2E_OUT/$name.png ]] || e2e_fail "$name: no screenshot: $(tail -n 3 "$E2E_OUT/screenshot.log")"
        status=0
        run_view_check "$@" || status=$?
        ((status == 0)) && break
        e2e_log "$name: attempt $attempt differs: $(tail -n 1 "$E2E_OUT/$name.report.txt")"
    done
    ((status == 0)) || e2e_fail "$name: the window does not show what it should" \
        "(see $name.report.txt, $name.diff.png):"$'\n'"$(grep -E '^DIFFERENT' "$E2E_OUT/$name.report.txt")"
    e2e_log "$name: all $((width * height)) pixels as expected"
}

# A window of the driver's own takes the focus until give_focus_back.
take_focus_away() {
    (cd "$E2E_APP_DIR" && exec wine e2e_driver.exe decoy-window 120) >"$E2E_OUT/decoy.log" 2>&1 &
    DECOY_RUNNER=$!
    e2e_wait_line "$E2E_OUT/decoy.log" '^decoy .* foreground|e2e_driver:' 60 "the decoy window"
    grep -q '^decoy .* foreground' "$E2E_OUT/decoy.log" ||
        e2e_fail "the decoy window did not take the focus: $(cat "$E2E_OUT/decoy.log")"
    [[ $(e2e_field "$(e2e_tavlor info)" foreground) == 0 ]] ||
        e2e_fail "Tavlor is still the foreground window beside the decoy"
}

give_focus_back() {
    local out
    out=$(e2e_driver wait-window TavlorE2EDecoy 30 post WM_CLOSE 0 0 wait-gone 30) ||
        e2e_fail "cannot close the decoy window: $out"
    wait "$DECOY_RUNNER" || e2e_fail "the decoy window ended badly: $(cat "$E2E_OUT/decoy.log")"
    out=$(e2e_tavlor activate) || e2e_fail "cannot activate Tavlor again: $out"
}

# choose COMMAND_ID: a menu command, handled before `send` returns.
choose() {
    local out
    out=$(e2e_tavlor send WM_COMMAND "$1" 0) || e2e_fail "WM_COMMAND $1 was not handled: $out"
}

e2e_start_app view "$E2E_SOURCE_DIR/scenarios/view_three_controllers.txt"
e2e_wait_poll 0 10
out=$(e2e_tavlor activate) || e2e_fail "cannot activate Tavlor: $out"

expect_view c1_scale1_active 1 "${FRAME[0]}" "${HIGHLIGHT[0]}" "$LIT_1"
# The comparison itself must notice a difference: the same screenshot held
# against a view with nothing lit differs in the two lit rectangles only.
status=0
run_view_check c1_scale1_active 1 "${FRAME[0]}" "${HIGHLIGHT[0]}" none self_check_nothing_lit || status=$?
differing=$(awk '$1 == "DIFFERENT" { printf "%s ", $2 }' "$E2E_OUT/self_check_nothing_lit.report.txt")
[[ $status == 1 && $differing == "right b1 " ]] ||
    e2e_fail "view_check did not single out the lit rectangles (exit $status, differing: $differing)"

take_focus_away
expect_view c1_scale1_inactive 1 "$INACTIVE_FRAME" "${HIGHLIGHT[0]}" "$LIT_1"
give_focus_back

choose $ID_INCREASE_SIZE
expect_view c1_scale2_active 2 "${FRAME[0]}" "${HIGHLIGHT[0]}" "$LIT_1"

choose $ID_CONTROLLER_2
e2e_wait_poll 1 3
expect_view c2_scale2_active 2 "${FRAME[1]}" "${HIGHLIGHT[1]}" "$LIT_2"

choose $ID_INCREASE_SIZE
expect_view c2_scale3_active 3 "${FRAME[1]}" "${HIGHLIGHT[1]}" "$LIT_2"

choose $ID_CONTROLLER_3
e2e_wait_poll 2 3
expect_view c3_scale3_active 3 "${FRAME[2]}" "${HIGHLIGHT[2]}" none

e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "cannot post WM_CLOSE"
e2e_expect_exit_code 0 60
