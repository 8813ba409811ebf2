#pragma once
#include <cstdint>

#include "core/win32.h"

// Extends the composition frame over the whole window, or, where the desktop
// cannot compose, drops the caption style instead and sets styleFrameless.
void setUpWindowFrame(HWND hwnd);

// Resizes the main window to the requested scale, clamped to 1..4.
void setWindowScale(int32_t requested);

// Hides the window (out of the taskbar, no painting) or shows it in front.
void setWindowHidden(bool hidden);
