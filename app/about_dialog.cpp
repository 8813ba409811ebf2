#include "app/dialogs.h"

INT_PTR CALLBACK aboutDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
