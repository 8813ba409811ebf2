#pragma once
#include "core/win32.h"

// The About dialog (resource 103).
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Map Buttons dialog (resource 104).
INT_PTR CALLBACK mapButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What both modal dialogs do alike: WM_INITDIALOG marks the dialog open (so the
// engine sends no buttons), releases whatever the engine holds, runs onOpen,
// then shows the dialog centred over its owner; WM_COMMAND goes to onCommand;
// WM_CLOSE ends the dialog and WM_DESTROY clears the mark. Other messages are
// not handled.
INT_PTR runModalDialog(HWND dialog, UINT message, WPARAM wParam, void (*onOpen)(HWND),
                       INT_PTR (*onCommand)(HWND, WPARAM));
