#pragma once
#include <cstdint>

#include "core/win32.h"

// Builds the context menu once; false if the top-level popup cannot be made.
bool buildContextMenu();

// Refreshes the menu's states and tracks it at (x, y) in screen coordinates.
void showContextMenu(int32_t x, int32_t y);

// Refreshes the menu's states and tracks it exactly at (x, y): for the
// notification icon, whose point lies outside the window.
void trackContextMenu(int32_t x, int32_t y);
