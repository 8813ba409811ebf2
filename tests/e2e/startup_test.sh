#!/usr/bin/env bash
# Start-up, shutdown and the settings key: where the window opens, that any
# point of it drags it, what the user sees (the picture in its frame with a
# held input lit, the context menu opened by a real right-click and walked by
# its access keys, the About dialog, which greys the frame while it has the
# focus), one Tavlor at a time, the 1 ms timer resolution while the window
# lives and what Tavlor stores at exit (values out of range and a foreign
# WM_QUIT: keys_test.sh). The notification icon from start to exit and what
# its clicks do, /background, a hidden window kept across starts and shown by
# a second start, the Run value of Start with Windows, and Restart as
# Administrator handing over to the next Tavlor.
source "$(dirname "$0")/lib.sh"
e2e_setup startup

# Tavlor's icon is the only one in the notification area (tray in lib.sh);
# Wine removes the icons of a window that is destroyed by itself.
hidden() { tray && ! e2e_driver main rect; }
# menu_at_pointer: a menu of Tavlor's opened at the pointer.
menu_at_pointer() {
    eval "$(xdotool getmouselocation --shell)"
    xdotool search --onlyvisible --classname tavlor.exe getwindowgeometry %@ | grep -q "Position: $X,$Y "
}
run_value() {
    wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tavlor 2>/dev/null |
        tr -d '\r' | sed -n 's/^ *Tavlor  *REG_SZ  */Tavlor REG_SZ /p'
}
# tavlors: the command lines of this prefix's Tavlor processes.
tavlors() {
    for id in $(pgrep -f 'Tavlor\.exe'); do
        grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$id/environ" 2>/dev/null && tr '\0' ' ' <"/proc/$id/cmdline" && echo
    done
    return 0
}
one_tavlor() { [[ $(tavlors | wc -l) == 1 ]] && e2e_driver main rect; }

# First start, no key, with /background: no window, the icon all the same. A
# left click on it shows the window (it hides and shows it with the call Hide
# Window makes below): 494 x 185 at (150, 100).
E2E_STARTED=hidden e2e_start one_pad.txt /background
click_icon 1
e2e_wait 30 "window shown by the icon" eval '[[ $(e2e_driver main rect) == "150 100 644 285" ]]'
# HTCAPTION (2) in the middle and just inside the left, right, top and bottom edge.
e2e_expect "hit test" $'2\n2\n2\n2\n2' "$(e2e_driver main hit 397 192 150 192 643 192 397 100 397 284)"
# Frame (controller 1's colour), picture background at (5, 5) and on, the
# held D-pad Up lit (green raised), D-pad Down as the picture has it.
e2e_go
points=(152,102 160,110 242,155 242,229)
e2e_wait 30 "active frame and lit Up arm" e2e_pixels_are "51D758 323333 B5FFBD B5BCBD" "${points[@]}"
xdotool mousemove 300 150 click 3
e2e_wait 60 "context menu" menu_at_pointer
xdotool key w i
e2e_wait 60 "Window Size > Increase Size" e2e_pixels_are "51D758 B5FFBD" 152,102 334,210
e2e_driver main post 0x111 9026 0
e2e_wait 60 "About dialog" e2e_driver About rect
e2e_expect "About text" $'Tavlor\nKBM Emulator\n23.8 (x64)' "$(e2e_driver About text 1003 | head -3)"
e2e_driver About text 1003 | sed -n 4p | grep -q Kelvarin || e2e_fail "About does not name its maker"
e2e_wait 30 "inactive frame" e2e_pixels_are "B1BBBD B1BBBD" 152,102 1133,465
xdotool mousemove 644 285 key Escape
e2e_gone About
# A second start brings the first, minimised, back (at scale 2) and leaves at
# once without touching the settings (its winmm.dll would log a
# timeBeginPeriod if it stayed); with Map Buttons open: dialogs_test.sh.
e2e_driver main post 0x112 0xF020 0 # WM_SYSCOMMAND, SC_MINIMIZE
e2e_wait 30 "minimised window" eval '[[ $(e2e_driver main rect) != "150 100 1138 470" ]]'
(cd "$E2E_APP" && TAVLOR_E2E_JOYLOG=$E2E_LOG timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_wait 30 "first window restored" eval '[[ $(e2e_driver main rect) == "150 100 1138 470" ]]'
e2e_expect "settings after a second start" "" "$(e2e_settings)"
# Start with Windows, twice: the Run value, then none.
e2e_driver main post 0x111 9035 0
e2e_wait 30 "Run value" eval '[[ $(run_value) == "Tavlor REG_SZ \"C:\\tavlor\\Tavlor.exe\" /background" ]]'
e2e_driver main post 0x111 9035 0
e2e_wait 30 "Run value deleted" eval '[[ -z $(run_value) ]]'
# Hide Window, then Exit, the last item of the menu a right click on the icon
# opens at the pointer (Wine's own menu does not take the X focus).
e2e_driver main post 0x111 9034 0
e2e_wait 30 "window hidden by Hide Window" hidden
click_icon 3
e2e_wait 30 "menu at the icon" menu_at_pointer
e2e_driver "#32768" keys 0x26 0x0D # VK_UP from no item: the last one; VK_RETURN
e2e_expect_exit 0
e2e_wait 30 "icon gone after exit" eval '! tray'
# A Tavlor whose mutex this user may not open (one run elevated) counts as
# running: this start leaves at once with 0, shows no window, stores nothing.
e2e_expect "start beside a mutex it may not open" $'second open refused, error 5\nexit 0' \
    "$(TAVLOR_E2E_JOYLOG=$E2E_LOG e2e_driver mutex Tavlor.exe)"
e2e_expect "timer resolution" $'timeBeginPeriod 1\ntimeEndPeriod 1' "$(grep ^time "$E2E_LOG")"
e2e_expect "settings at exit" "DeadZone=0x3 Hidden=0x1 MouseCurve=0x1 MouseSpeed=0x1 PollRate=0x32 Size=0x2 Trigger=0x0 X=0x96 Y=0x64" "$(e2e_settings)"

# Hidden at the next start, and shown by a second start. Window Size >
# Decrease, then Restart as Administrator (posted: every Wine process reads as
# elevated, so the menu leaves it out; Wine's "runas" verb for .exe files runs
# them as they are): the one Tavlor left shows the size the first one saved.
E2E_STARTED=hidden e2e_start one_pad.txt
(cd "$E2E_APP" && timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_wait 30 "window shown by a second start" e2e_driver main rect
e2e_driver main post 0x111 9024 0
e2e_driver main post 0x111 9036 0
e2e_expect_exit 0
e2e_wait 60 "one Tavlor, at scale 1" eval '[[ $(one_tavlor) == "150 100 644 285" ]]'
[[ $(tavlors) == *'Tavlor.exe /after '[0-9]* ]] || e2e_fail "not the restarted Tavlor: $(tavlors)"
# A Tavlor started with /after waits for that one to end before it looks for
# a running one: it takes over as that one closes.
E2E_STARTED="e2e_seen ^loaded$ 1" e2e_start one_pad.txt /after "$(e2e_driver main pid)"
e2e_driver main post 0x10 0 0
e2e_wait 60 "one Tavlor, the next one" eval 'one_tavlor && e2e_seen ^timeBeginPeriod 1'
# As the session ends the icon goes, with the window still there.
e2e_driver main post 0x16 1 0
e2e_wait 30 "icon removed as the session ends" eval '! tray && e2e_driver main rect'
# A new notification area ("TaskbarCreated") gets it back. Alt+X ends Tavlor.
e2e_driver main post "$(e2e_driver main message TaskbarCreated)" 0 0
e2e_wait 30 "icon back in a new notification area" tray
xdotool mousemove 300 150 key alt+x
e2e_expect_exit 0
e2e_expect "Tavlors left, Run value at the end" "" "$(tavlors)$(run_value)"
