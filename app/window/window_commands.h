#pragma once
#include <cstdint>

#include "core/win32.h"

// Carries out a menu command (also the hotkey's Pause); the id is the low
// word of WM_COMMAND's wParam.
void onCommand(uint32_t commandId);

// The notification icon's callback: a left click (or Enter on it) hides or
// shows the window; a right click or the menu key opens the context menu there.
void onTrayMessage(WPARAM wParam, LPARAM lParam);
