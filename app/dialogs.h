#pragma once
#include <cstdint>

#include "app/win32.h"

// The About dialog (resource 103).
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Map Buttons dialog (resource 104).
INT_PTR CALLBACK mapButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Centres a dialog over its parent, or over the work area when it has none.
void centerDialog(HWND dialog, HWND parent);
