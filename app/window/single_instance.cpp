#include "app/window/single_instance.h"

namespace {

// "Local\" puts the mutex in the session's namespace: another user's Tavlor
// on the same machine is no concern of this one.
constexpr const wchar_t* kMutexName = L"Local\\Kelvarin.Tavlor.Running";

void bringForward(const wchar_t* className) {
    HWND running = FindWindowW(className, nullptr);
    if (running == nullptr) {
        return;
    }
    if (IsIconic(running)) {
        ShowWindow(running, SW_RESTORE);
    } else if (IsWindowVisible(running) == FALSE) {
        // Hidden in the notification area: starting Tavlor again is a way to
        // get it back.
        ShowWindow(running, SW_SHOW);
    }
    // While a dialog is open the main window is disabled; the dialog is what
    // takes the keyboard.
    SetForegroundWindow(GetLastActivePopup(running));
}

} // namespace

bool claimSingleInstance(const wchar_t* className) {
    // The handle stays open for the life of the process; Windows closes it.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    DWORD error = GetLastError();
    // A Tavlor running elevated made a mutex that this user may not open: the
    // refusal says as much as the name existing. Any other failure leaves the
    // question open, and Tavlor rather runs than not at all.
    bool running = mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    if (!running) {
        return true;
    }
    bringForward(className);
    return false;
}
