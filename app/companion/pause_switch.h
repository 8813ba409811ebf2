#pragma once
#include "core/win32.h"

constexpr int kPauseHotkeyId = 1;

// Ctrl+Alt+P for the Pause switch; where another program holds it, the menu
// item loses its shortcut text and the menu alone switches.
void registerPauseHotkey(HWND hwnd);
void unregisterPauseHotkey(HWND hwnd);

// Brings the title and the view in line with whether Tavlor is paused now (by
// the switch or by the program in front); as a pause begins, whatever is held
// goes up.
void showPauseState();
