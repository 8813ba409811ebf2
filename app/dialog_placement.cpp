#include "app/dialogs.h"

void centerDialog(HWND dialog, HWND parent) {
    RECT d = {};
    GetWindowRect(dialog, &d);
    RECT r = {};
    if (parent != nullptr) {
        GetWindowRect(parent, &r);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    }
    int32_t x = r.left + ((r.right - r.left) - (d.right - d.left)) / 2;
    int32_t y = r.top + ((r.bottom - r.top) - (d.bottom - d.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Pulls a dialog that now sticks out of the work area back inside it.
    if (parent != nullptr) {
        SendMessageW(dialog, DM_REPOSITION, 0, 0);
    }
}
