// A window of the driver's own that takes the focus away from the target, so
// that a test can see how the target looks while it is not the active window.
#include "driver.h"

#include <cstdio>

namespace {

constexpr wchar_t kDecoyClass[] = L"TavlorE2EDecoy";
constexpr int kDecoySize = 100;

LRESULT CALLBACK decoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Shows a small window in the bottom right corner of the screen, makes it the
// foreground window and keeps it until it is closed (WM_CLOSE from another
// driver) or SECONDS have passed.
bool decoyWindow(DriverContext& context, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[0], seconds) || seconds < 1)
        return fail("decoy-window: bad duration");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = decoyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kDecoyClass;
    if (RegisterClassW(&windowClass) == 0)
        return fail("cannot register the decoy window class (%lu)", GetLastError());
    int x = GetSystemMetrics(SM_CXSCREEN) - 2 * kDecoySize;
    int y = GetSystemMetrics(SM_CYSCREEN) - 2 * kDecoySize;
    HWND decoy = CreateWindowExW(0, kDecoyClass, L"decoy", WS_POPUP | WS_VISIBLE, x, y, kDecoySize,
                                 kDecoySize, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (decoy == nullptr)
        return fail("cannot create the decoy window (%lu)", GetLastError());
    context.target = decoy;
    MSG message;
    bool active = waitUntil(10.0, [decoy, &message] {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (GetForegroundWindow() == decoy)
            return true;
        SetForegroundWindow(decoy);
        return false;
    });
    if (!active) {
        DestroyWindow(decoy);
        return fail("the decoy window did not become the foreground window");
    }
    std::printf("decoy %p foreground\n", static_cast<void*>(decoy));
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (IsWindow(decoy)) {
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            DestroyWindow(decoy);
            return fail("the decoy window was not closed within %lld s", seconds);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    std::printf("decoy closed\n");
    return true;
}

} // namespace

const Command kViewCommands[] = {
    {L"decoy-window", 1,
     "SECONDS  show a small window of its own, make it the foreground window and keep it until "
     "it is sent WM_CLOSE",
     decoyWindow},
};
const size_t kViewCommandCount = sizeof kViewCommands / sizeof kViewCommands[0];
