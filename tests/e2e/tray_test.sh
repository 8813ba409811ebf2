#!/usr/bin/env bash
# The notification icon from start to exit and what its clicks do, a hidden
# window kept across starts, /background, a second start showing a hidden
# window, the Run value of Start with Windows, and Restart as Administrator
# handing over to the next Tavlor.
source "$(dirname "$0")/lib.sh"
e2e_setup tray

# Tavlor's icon is the only one in the notification area (tray in lib.sh);
# Wine removes the icons of a window that is destroyed by itself.
no_tray() { ! tray; }
hidden() { tray && ! e2e_driver main rect; }
# menu_at_pointer: the menu a right click on the icon opens there.
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

# /background: no window whatever Hidden says, the icon all the same. A left
# click on it shows the window (it hides and shows it with the call Hide
# Window makes below).
e2e_store Hidden 0
E2E_STARTED=hidden e2e_start one_pad.txt /background
click_icon 1
e2e_wait 30 "window shown by the icon" e2e_driver main rect
# Start with Windows, twice: the Run value, then none.
e2e_driver main post 0x111 9035 0
e2e_wait 30 "Run value" eval '[[ $(run_value) == "Tavlor REG_SZ \"C:\\tavlor\\Tavlor.exe\" /background" ]]'
e2e_driver main post 0x111 9035 0
e2e_wait 30 "Run value deleted" eval '[[ -z $(run_value) ]]'
# Hide Window, then Exit from the menu a right click on the icon opens there.
e2e_driver main post 0x111 9034 0
e2e_wait 30 "window hidden by Hide Window" hidden
click_icon 3
e2e_wait 30 "menu at the icon" menu_at_pointer
# Exit, the menu's last item (Wine's own menu does not take the X focus).
eval "$(xdotool search --onlyvisible --classname tavlor.exe getwindowgeometry --shell %1)"
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 8)) click 1
e2e_expect_exit 0
e2e_wait 30 "icon gone after exit" no_tray
[[ $(e2e_settings) == *"Hidden=0x1 "* ]] || e2e_fail "not Hidden at exit: $(e2e_settings)"

# Hidden at the next start, and shown by a second start. Window Size >
# Increase, then Restart as Administrator (posted: every Wine process reads as
# elevated, so the menu leaves it out; Wine's "runas" verb for .exe files runs
# them as they are): the one Tavlor left shows the size the first one saved.
E2E_STARTED=hidden e2e_start one_pad.txt
(cd "$E2E_APP" && timeout 60 wine Tavlor.exe) || e2e_fail "second start"
e2e_wait 30 "window shown by a second start" e2e_driver main rect
e2e_driver main post 0x111 9023 0
e2e_driver main post 0x111 9036 0
e2e_expect_exit 0
e2e_wait 60 "one Tavlor, at scale 2" eval '[[ $(one_tavlor) == "150 100 1138 470" ]]'
[[ $(tavlors) == *'Tavlor.exe /after '[0-9]* ]] || e2e_fail "not the restarted Tavlor: $(tavlors)"
# A Tavlor started with /after waits for that one to end before it looks for
# a running one: it takes over as that one closes.
E2E_STARTED="e2e_seen ^loaded$ 1" e2e_start one_pad.txt /after "$(e2e_driver main pid)"
e2e_driver main post 0x10 0 0
e2e_wait 60 "one Tavlor, the next one" eval 'one_tavlor && e2e_seen ^timeBeginPeriod 1'
# As the session ends the icon goes, with the window still there.
e2e_driver main post 0x16 1 0
e2e_wait 30 "icon removed as the session ends" eval 'no_tray && e2e_driver main rect'
# A new notification area ("TaskbarCreated") gets it back.
e2e_driver main post "$(e2e_driver main message TaskbarCreated)" 0 0
e2e_wait 30 "icon back in a new notification area" tray
e2e_close
e2e_expect "Tavlors left, Run value at the end" "" "$(tavlors)$(run_value)"
