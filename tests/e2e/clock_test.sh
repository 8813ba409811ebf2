#!/usr/bin/env bash
# Poll Rate and Dead Zone: chosen from the menu and stored; at 250 polls a
# second the controller is polled about every 4 ms also under the About
# dialog and the menu, while repeats, pointer speed and wheel keep their
# milliseconds and the 15% zone holds (scenarios/clock.txt); values out of
# range load as 50 and 3%. Prints the intervals, the poll-to-hook latency and
# the CPU time of an idle second.
source "$(dirname "$0")/lib.sh"
e2e_setup clock

# A phase NAME of N polls from a mark: their median interval is below the
# 10 ms that SetTimer can do; its figures are printed.
gaps() { awk -v m="mark $1" '$0 == m { on = 1; next } $1 == "mark" { on = 0 }
    on && $1 == "poll" { t = substr($NF, 3); if (last) print t - last; last = t }' "$E2E_LOG" | sort -n; }
at() { gaps "$1" | awk -v p="$2" '{ a[NR] = $1 } END { print a[int(NR * p / 100 + 0.5)] }'; }
polled() { (($(sed -n "/^mark $1\$/,\$p" "$E2E_LOG" | grep -c '^poll') >= $2)); }
phase() {
    e2e_mark "$1" && e2e_wait 60 "$2 polls ($1)" polled "$1" "$2" && e2e_mark "$1 end"
    echo "$1: median $(at "$1" 50) us, p99 $(at "$1" 99) us between polls"
    (($(at "$1" 50) < 10000)) || e2e_fail "$1: a poll every $(at "$1" 50) us"
}
# cpu NAME: the clock ticks (1/100 s) the process of that name in this prefix has used.
cpu() { for p in $(pgrep -x "$1"); do
    tr '\0' '\n' <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && awk '{ print $14 + $15 }' "/proc/$p/stat"; done; }
# travel FROM TO: the pointer's travel and the wheel's notches over those polls.
travel() { e2e_events | awk -v a="$1" -v b="$2" '$1 >= a && $1 <= b && $3 == "move" { x += $4; y += $5 }
    $1 >= a && $1 <= b && $3 == "wheel" { n++ } END { print x + 0, y + 0, n + 0 }'; }
downs() { e2e_events | awk -v k="$1" '$3 == "down" && $4 == k { printf "%s ", $1 }'; }

e2e_store MouseCurve 0 && e2e_store Trigger 0x21
e2e_start one_pad.txt
e2e_driver main post 0x111 9042 0 && e2e_driver main post 0x111 9046 0 # 250 per Second, 15%
phase chosen 100
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "stored" $'DeadZone REG_DWORD 0xf\nPollRate REG_DWORD 0xfa' "$(e2e_settings | grep -E '^(Dead|Poll)')"

e2e_start clock.txt
e2e_record
xdotool mousemove 200 150
e2e_go
e2e_wait_stop 0 800
ours=$(cpu Tavlor.exe) server=$(cpu wineserver) && phase idle 1250
echo "CPU of 5 s idle (ticks of 10 ms): Tavlor.exe $(($(cpu Tavlor.exe) - ours)), wineserver $(($(cpu wineserver) - server))"
e2e_driver main post 0x111 9026 0 && e2e_wait 60 "About" e2e_driver About rect
phase About 250
e2e_driver About post 0x111 2 0 && e2e_gone About
e2e_driver main post 0x7b 0 0xffffffff && e2e_wait 60 "menu" e2e_driver '#32768' rect
phase menu 250
e2e_driver main post 0x1f 0 0 && e2e_gone '#32768' # WM_CANCELMODE
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "travel and notches at 0.10, 0.50, full" $'0 0 0\n110 0 0\n1400 0 50' \
    "$(travel 20 69 && travel 70 119 && travel 130 379)"
e2e_expect "Auto" "$(seq -s ' ' 400 5 645) " "$(downs 0x08)"
e2e_expect "Delayed Auto" "700 765 770 775 780 " "$(downs 0x20)"
awk '$1 == "poll" { t = substr($NF, 3) } $1 == "key" && $2 == "down" { print substr($NF, 3) - t }' \
    "$E2E_LOG" | sort -n | awk '{ a[NR] = $1 } END { print "poll to hook:", a[int(NR / 2)], "us median,", a[NR], "us most" }'

e2e_store DeadZone 7 && e2e_store PollRate 100
e2e_start one_pad.txt
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "values out of range" $'DeadZone REG_DWORD 0x3\nPollRate REG_DWORD 0x32' "$(e2e_settings | grep -E '^(Dead|Poll)')"
