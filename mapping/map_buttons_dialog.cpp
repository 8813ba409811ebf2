#include "app/dialogs.h"

INT_PTR CALLBACK mapButtonsDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
