#pragma once
#include <cstdint>

#include "core/win32.h"

// Composes one frame and updates the view surface from it; returns its status.
int32_t renderView(HDC dc);

// WM_PAINT: render when the view is dirty, then copy the surface to the window.
void paintView(HWND hwnd);

// WM_NCACTIVATE: recolour the frame when the activation state changes.
void onActivationChanged(HWND hwnd, WPARAM active);
