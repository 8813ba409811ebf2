#!/usr/bin/env bash
# Other programs in front (Wine's notepad.exe and winemine.exe): each stored
# table serves its own controller and Use General Mapping drops them all; a
# table saved with Map Buttons Here is used at once; what Tavlor holds goes
# up as another program comes to the front, the notification area too, whose
# menu still speaks of notepad; Pause Here silences notepad only and is read
# back; Ctrl+Alt+P pauses and resumes; an input held as a pause ends stays
# quiet until pressed again (scenarios/programs.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup programs

title_is() { e2e_wait 30 "title $1" eval "[[ \$(e2e_driver main title) == '$1' ]]"; }
# Map Buttons Here for notepad goes on editing notepad's table while winemine
# is in front; Save with notepad in front.
map_buttons_here() {
    local dialog="Map Buttons: notepad.exe"
    e2e_driver Notepad front && e2e_driver main post 0x111 9032 0
    e2e_wait 60 "$dialog" e2e_driver "$dialog" rect
    e2e_driver WineMine front && e2e_driver "$dialog" select 1009 "Letter A" && e2e_driver Notepad front &&
        e2e_driver "$dialog" post 0x111 1020 0 && e2e_gone "$dialog"
}
# The notification area (explorer.exe) in front, then its menu's "In
# notepad.exe" > Pause Here, by keys from the bottom of the menu.
pause_here_from_tray() {
    e2e_driver "Wine System Tray" front
    e2e_wait 30 "release as explorer.exe comes to the front" e2e_seen '^key up 0x41 ' 1
    tray windowraise && click_icon 3
    e2e_wait 30 "menu of the icon" e2e_driver "#32768" rect
    for key in 0x26 0x26 0x26 0x26 0x27 0x0d; do e2e_driver "#32768" keys $key; done
    e2e_wait 30 "Pause Here for notepad" eval '[[ $(e2e_settings) == *"notepad.exe\\Pause=0x1"* ]]'
    e2e_driver main front
}
ctrl_alt_p() { e2e_driver main keys 0x11 0x12 0x50 && title_is "$1"; }

for n in 2 3 4 5; do
    wine reg add "$E2E_KEY\\Programs\\winemine.exe" /v P$n /t REG_BINARY /d 0000000042 /f >/dev/null 2>&1
done
for program in notepad winemine; do (cd "$E2E_APP" && exec wine "$program" >/dev/null 2>&1) & done
e2e_wait 60 "notepad and winemine" eval 'e2e_driver Notepad rect && e2e_driver WineMine rect'
e2e_start programs.txt
e2e_record
e2e_driver WineMine front
e2e_go
e2e_at_stop 0 10 e2e_driver main post 0x111 9002 0 # Controller > 2
e2e_at_stop 1 10 eval 'e2e_driver main post 0x111 9033 0 && e2e_wait 30 "Use General Mapping" eval "[[ -z \$(e2e_settings) ]]" && e2e_driver main post 0x111 9001 0'
e2e_at_stop 0 20 map_buttons_here
e2e_at_stop 0 30 pause_here_from_tray
e2e_at_stop 0 50 eval 'e2e_driver Notepad front && title_is "Tavlor (Paused)"'
e2e_at_stop 0 65 e2e_driver main front
e2e_wait_stop 0 85
p1=262825270841A1A3A5200109$(printf '0%.0s' {1..40})
e2e_expect "settings stored" "Programs\\notepad.exe\\P1:REG_BINARY=$p1 Programs\\notepad.exe\\Pause=0x1" "$(e2e_settings)"
e2e_driver Notepad front && title_is "Tavlor (Paused)"
e2e_driver main post 0x111 9031 0 && title_is Tavlor
e2e_go
e2e_at_stop 0 95 ctrl_alt_p "Tavlor (Paused)"
e2e_at_stop 0 105 ctrl_alt_p Tavlor
e2e_wait 30 "the last press" e2e_seen '^key up 0x41 ' 3
e2e_close
# The driver's keys carry no scan code; Tavlor's always do.
e2e_expect "events injected" "$(e2e_expectations programs.txt)" "$(e2e_events | grep -v 'scan 0x00$')"
