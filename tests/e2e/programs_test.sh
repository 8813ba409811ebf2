#!/usr/bin/env bash
# Another program in front (Wine's notepad.exe, winemine.exe beside it): what
# Tavlor holds goes up as it comes to the front; its own table and Pause Here
# apply while it is there (and only then), are stored under
# Programs\notepad.exe and read back by a second start; Ctrl+Alt+P pauses and
# resumes; a paused Tavlor sends nothing, and an input held as a pause ends
# stays quiet until pressed again (scenarios/programs.txt).
source "$(dirname "$0")/lib.sh"
e2e_setup programs

title_is() { e2e_wait 30 "title $1" eval "[[ \$(e2e_driver main title) == '$1' ]]"; }
# What is stored under Tavlor's key and below it, "SUBKEY NAME TYPE DATA" a line.
stored() { wine reg query "$E2E_KEY" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { key = $0; sub(/.*\\Tavlor\\?/, "", key) } $2 ~ /^REG_/ { print key, $1, $2, $3 }'; }
seen() { e2e_wait 30 "key $1" e2e_seen "^key $1 " 1; }

# Each step below is done well before the next hold of the scenario begins.
for program in notepad winemine; do (cd "$E2E_APP" && exec wine "$program" >/dev/null 2>&1) & done
e2e_wait 60 "notepad and winemine" eval 'e2e_driver Notepad rect && e2e_driver WineMine rect'
e2e_start programs.txt
e2e_record
# Notepad's own table, in the dialog named after it: Button 2 types A. The
# dialog goes on editing it when winemine comes to the front.
e2e_driver Notepad front
e2e_driver main post 0x111 9032 0
e2e_wait 60 "Map Buttons for notepad" e2e_driver "Map Buttons: notepad.exe" rect
e2e_driver WineMine front
e2e_driver "Map Buttons: notepad.exe" select 1009 "Letter A" || e2e_fail "cannot choose A"
e2e_driver "Map Buttons: notepad.exe" post 0x111 1020 0
# Save is handled before the next tick; Button 1 is pressed with winemine in
# front, whose table is the general one.
e2e_go
seen "down 0x08"
e2e_mark notepad
e2e_driver Notepad front
seen "up 0x08"
seen "up 0x41"
e2e_mark tavlor
e2e_driver main front
seen "down 0x0d"
# Pause Here for notepad, the program the menu speaks of.
e2e_mark paused
e2e_driver main post 0x111 9031 0
e2e_driver Notepad front
title_is "Tavlor (Paused)"
seen "up 0x0d"
e2e_wait_poll 0 575
e2e_mark back
e2e_driver main front
seen "up 0x09"
# Nothing else is stored before Tavlor closes.
e2e_expect "settings stored" "Programs\\notepad.exe P1 REG_BINARY 262825270841A1A3A5200109$(printf '0%.0s' {1..40})
Programs\\notepad.exe Pause REG_DWORD 0x1" "$(stored)"
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
# The driver's keys carry no scan code; Tavlor's always do.
events=$(e2e_events | grep -v 'scan 0x00$')

# Second start: notepad in front pauses Tavlor, and its table is read back
# once Pause Here is off (9031) and dropped by Use General Mapping (9033).
e2e_start programs.txt
e2e_record
e2e_driver Notepad front
title_is "Tavlor (Paused)"
e2e_go
e2e_wait_poll 0 20
e2e_driver main post 0x111 9031 0
title_is Tavlor
seen "up 0x41"
e2e_mark general
e2e_driver main post 0x111 9033 0
seen "down 0x0d"
e2e_expect "settings after Use General Mapping" "Programs\\notepad.exe Pause REG_DWORD 0x0" "$(stored | grep ^Programs)"
e2e_mark pause
e2e_driver main keys 0x11 0x12 0x50 # Ctrl+Alt+P
title_is "Tavlor (Paused)"
seen "up 0x0d"
e2e_wait_poll 0 575
e2e_mark resume
e2e_driver main keys 0x11 0x12 0x50
title_is Tavlor
seen "up 0x09"
e2e_driver main post 0x10 0 0
e2e_expect_exit 0
e2e_expect "events injected" "$(e2e_expectations programs.txt)" "$events"$'\n'"$(e2e_events | grep -v 'scan 0x00$')"
