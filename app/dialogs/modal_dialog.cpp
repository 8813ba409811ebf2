#include "app/dialogs/dialog_placement.h"
#include "app/dialogs/dialogs.h"
#include "core/app_state.h"
#include "input/controllers.h"
#include "mapping/map_buttons_dialog.h"

namespace {

// Centres a dialog over its parent, or over the work area when it has none.
void centerDialog(HWND dialog, HWND parent) {
    RECT d = {};
    GetWindowRect(dialog, &d);
    RECT area = {};
    if (parent != nullptr) {
        GetWindowRect(parent, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    POINT at = centeredPosition(d, area);
    // Pulled back inside the work area of its monitor where it sticks out of it.
    RECT placed = {at.x, at.y, at.x + d.right - d.left, at.y + d.bottom - d.top};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE) {
        at = keptInside(at, d, monitor.rcWork);
    }
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A dialog opened while the main window is hidden (from the notification
// icon's menu) centres on the work area.
HWND visibleParent(HWND dialog) {
    HWND parent = GetParent(dialog);
    return parent != nullptr && IsWindowVisible(parent) != FALSE ? parent : nullptr;
}

} // namespace

INT_PTR runModalDialog(HWND dialog, UINT message, WPARAM wParam, void (*onOpen)(HWND),
                       INT_PTR (*onCommand)(HWND, WPARAM)) {
    switch (message) {
    case WM_INITDIALOG:
        appState().hwndDialog = dialog;
        releaseHeldInputs();
        onOpen(dialog);
        ShowWindow(dialog, SW_SHOW);
        centerDialog(dialog, visibleParent(dialog));
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

INT_PTR CALLBACK mapButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return runModalDialog(dialog, message, wParam, fillMapButtons, onMapButtonsCommand);
}
