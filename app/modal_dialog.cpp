#include "app/app_state.h"
#include "app/dialogs.h"
#include "input/emulation.h"

INT_PTR runModalDialog(HWND dialog, UINT message, WPARAM wParam, void (*onOpen)(HWND),
                       INT_PTR (*onCommand)(HWND, WPARAM)) {
    switch (message) {
    case WM_INITDIALOG:
        appState().hwndDialog = dialog;
        releaseHeldInputs();
        onOpen(dialog);
        return TRUE;
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        appState().hwndDialog = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}
