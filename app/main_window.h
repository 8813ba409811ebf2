#pragma once
#include <cstdint>

#include "app/win32.h"

// Base size of the view and the window at scale 1, in physical pixels.
constexpr int kViewWidth = 494;
constexpr int kViewHeight = 185;
constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;
constexpr UINT_PTR kTickTimerId = 1;
constexpr UINT kTickPeriodMs = 20;
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The WM_CREATE work; false when the window cannot be set up.
bool onCreate(HWND hwnd);

// Resizes the main window to the requested scale, clamped to 1..4.
void setWindowScale(int32_t requested);

// Clamps a requested window scale into 1..4.
int32_t clampWindowScale(int32_t requested);
