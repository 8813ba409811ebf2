#pragma once
#include <cstdint>

#include "core/win32.h"

constexpr UINT_PTR kTickTimerId = 1;
constexpr UINT kTickPeriodMs = 20;
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The WM_CREATE work; false when the window cannot be set up.
bool onCreate(HWND hwnd);
