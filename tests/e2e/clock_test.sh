#!/usr/bin/env bash
# Poll Rate and Dead Zone: chosen from the menu and stored; at 250 polls a
# second the controller is polled about every 4 ms, also under the About
# dialog and the menu, while repeats, pointer speed and wheel keep their
# milliseconds and the 15% zone holds (scenarios/clock.txt). Prints the
# intervals between polls; the log keeps the time of each poll and each key
# (see README.md for the latency).
source "$(dirname "$0")/lib.sh"
e2e_setup clock

# phase NAME N: N polls from a mark; their median interval (printed with the
# 99th percentile) is below the 10 ms that SetTimer can do, and their mean
# is not below 4 ms, as it would be with a second clock beside the first.
phase() {
    e2e_mark "$1" && e2e_wait 60 "$2 polls ($1)" eval "(( \$(sed -n '/^mark $1\$/,\$p' \"\$E2E_LOG\" | grep -c ^poll) >= $2 ))"
    e2e_mark "$1 end" && sed -n "/^mark $1\$/,/^mark $1 end\$/s/^poll .* t=//p" "$E2E_LOG" | awk 'NR > 1 { print $1 - t } { t = $1 }' | sort -n |
        awk -v n="$1" '{ a[NR] = $1; t += $1 } END { print n ":", a[int(NR / 2)], "us median,", a[int(NR * 0.99)], "us p99"; exit a[int(NR / 2)] >= 10000 || t / NR < 3700 }' || e2e_fail "$1: polls too slow, or two clocks"
}

e2e_store MouseCurve 0 && e2e_store Trigger 0x21 && e2e_start one_pad.txt
e2e_driver main post 0x111 9042 0 && e2e_driver main post 0x111 9046 0 # 250 per Second, 15%
phase chosen 100 && e2e_driver main post 0x10 0 0 && e2e_expect_exit 0
e2e_expect "stored" "DeadZone=0xf Hidden=0x0 MouseCurve=0x0 MouseSpeed=0x1 PollRate=0xfa Size=0x1 Trigger=0x21 X=0x96 Y=0x64" "$(e2e_settings)"

export TAVLOR_E2E_KEY_TIMES=1 && e2e_start clock.txt && e2e_record && xdotool mousemove 200 150 && e2e_go && e2e_wait_stop 0 800 && phase idle 250
e2e_driver main post 0x111 9026 0 && e2e_wait 60 "About" e2e_driver About rect && phase About 250
e2e_driver About post 0x111 2 0 && e2e_gone About && e2e_driver main post 0x7b 0 0xffffffff # the menu
e2e_wait 60 "menu" e2e_driver '#32768' rect && phase menu 250 && e2e_driver main post 0x1f 0 0 # WM_CANCELMODE
e2e_driver main post 0x10 0 0 && e2e_expect_exit 0
# The pointer's travel and the wheel's notches from polls 20 (X 0.10), 70 (0.50) and 130 (full);
# then the polls of each key press.
e2e_expect "motion and presses" $'0 0 0\n110 0 0\n1400 0 50\n'"$(seq -s ' ' 400 5 645) 700 765 770 775 780 " \
    "$(e2e_events | awk '{ r = $1 < 70 ? 1 : $1 < 130 ? 2 : 3 } $3 == "move" { x[r] += $4; y[r] += $5 } $3 == "wheel" { n[r]++ }
        $3 == "down" { d = d $1 " " } END { for (r = 1; r <= 3; r++) print x[r] + 0, y[r] + 0, n[r] + 0; print d }')"
