#include "app/single_instance.h"

namespace {

// "Local\" puts the mutex in the session's namespace: another user's Tavlor
// on the same machine is no concern of this one.
constexpr const wchar_t* kMutexName = L"Local\\Kelvarin.Tavlor.Running";

void bringForward(const wchar_t* className) {
    HWND running = FindWindowW(className, nullptr);
    if (running == nullptr) {
        return;
    }
    // Also a window hidden in the notification area: starting Tavlor again
    // is a way to get it back.
    if (!IsWindowVisible(running)) {
        ShowWindow(running, SW_SHOW);
    }
    if (IsIconic(running)) {
        ShowWindow(running, SW_RESTORE);
    }
    SetForegroundWindow(running);
}

} // namespace

bool claimSingleInstance(const wchar_t* className) {
    // The handle stays open for the life of the process; Windows closes it.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) {
        return true;
    }
    bringForward(className);
    return false;
}
