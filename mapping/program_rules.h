#pragma once
#include <cstdint>

#include "core/app_state.h"
#include "mapping/settings_rules.h"

// The rules of the settings Tavlor keeps per program. No registry, no window.

// Pause and P1 to P5 under the program's own key.
constexpr int kProgramValueCount = 1 + kProgramSlots;

// The program's file name from its process's image path: the part after the
// last backslash, lower-case. False (and an empty name) when there is none or
// it does not fit: such a program is never stored.
bool programNameFromPath(const wchar_t* path, wchar_t (&name)[kProgramNameChars]);

// Whether a program name is the Windows shell (explorer.exe: the taskbar,
// the notification area, the desktop, File Explorer). It comes to the front
// whenever Tavlor's own notification icon is clicked, so it never takes the
// place of the program the user works in, and has no settings of its own.
bool isShellProgram(const wchar_t* name);

// Starts the remembered program afresh with this name: no pause, no tables
// of its own, each table a copy of the general one (what stored values are
// laid over).
void resetProgram(AppState& s, const wchar_t* name);

// The values a program keeps, in the order they are read and written.
void listProgramValues(AppState& s, StoredValue (&values)[kProgramValueCount]);

// After loading: a Pause other than 1 counts as 0.
void settleProgram(ProgramSettings& program);

// The menu's text for the remembered program's submenu ("In notepad.exe",
// an ampersand doubled so that it shows), or "In Another Program" while no
// program is known.
void programMenuText(const ProgramSettings& program, wchar_t (&text)[2 * kProgramNameChars]);

// The Map Buttons dialog's title while it edits the program's own table.
void programDialogTitle(const ProgramSettings& program, wchar_t (&text)[2 * kProgramNameChars]);
