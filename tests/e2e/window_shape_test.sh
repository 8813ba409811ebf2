#!/usr/bin/env bash
# First start with no settings: a 494 x 185 window at (150, 100) whose client
# area is the whole window, a pop-up without caption or frame drawn, and
# draggable by every point (each point inside is caption to hit testing).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup window_shape

readonly WS_POPUP=0x80000000 HTCAPTION=2

if e2e_reg_query 'HKCU\Software\Kelvarin\Tavlor' >/dev/null; then
    e2e_fail "a fresh prefix already holds Tavlor's settings key"
fi

e2e_start_app first_start "$E2E_SOURCE_DIR/scenarios/one_controller.txt"
e2e_wait_poll 0 10
info=$(e2e_tavlor info) || e2e_fail "no Tavlor window: $info"
e2e_log "window: $(tr '\n' ' ' <<<"$info")"

[[ $(e2e_field "$info" rect) == "150 100 644 285" ]] ||
    e2e_fail "window rect is '$(e2e_field "$info" rect)', expected 150 100 644 285 (494 x 185 at 150, 100)"
[[ $(e2e_field "$info" client) == "494 185" ]] ||
    e2e_fail "client area is '$(e2e_field "$info" client)', expected the whole window, 494 185"
[[ $(e2e_field "$info" client-origin) == "150 100" ]] ||
    e2e_fail "client origin is '$(e2e_field "$info" client-origin)', expected the window's corner 150 100"
style=$(e2e_field "$info" style)
((style & WS_POPUP)) || e2e_fail "style $style lacks WS_POPUP"
[[ $(e2e_field "$info" title) == Tavlor ]] || e2e_fail "title is '$(e2e_field "$info" title)'"

# Corners, edges and middle: no part of the window is border or client.
points=("150 100" "643 100" "150 284" "643 284" "396 100" "150 192" "643 192" "396 284" "396 192" "200 150")
args=()
for point in "${points[@]}"; do
    args+=(hittest "${point% *}" "${point#* }")
done
hits=$(e2e_tavlor "${args[@]}") || e2e_fail "hit testing failed: $hits"
for point in "${points[@]}"; do
    result=$(awk -v p="hittest $point" 'index($0, p " ") == 1 { print $NF }' <<<"$hits")
    [[ $result == "$HTCAPTION" ]] || e2e_fail "WM_NCHITTEST at $point gave '$result', expected HTCAPTION ($HTCAPTION)"
done

e2e_screenshot window 494x185+150+100
e2e_screenshot screen

e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "cannot post WM_CLOSE"
e2e_expect_exit_code 0 60
