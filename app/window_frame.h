#pragma once
#include "app/win32.h"

// Extends the composition frame over the whole window, or, where the desktop
// cannot compose, drops the caption style instead and sets styleFrameless.
void setUpWindowFrame(HWND hwnd);
