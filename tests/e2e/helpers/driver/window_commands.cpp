// Finding the target window and reading its geometry and styles.
#include "driver.h"

#include <cstdio>

namespace {

struct WindowSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(data);
    wchar_t name[256];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 256) > 0 &&
        lstrcmpW(name, search.className) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findVisibleTopLevel(const wchar_t* className) {
    WindowSearch search = {className, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool waitWindow(DriverContext& context, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[1], seconds))
        return fail("wait-window: bad timeout");
    bool found = waitUntil(static_cast<double>(seconds), [&] {
        context.target = findVisibleTopLevel(args[0].c_str());
        return context.target != nullptr;
    });
    if (!found)
        return fail("no visible window of class '%s' within %lld s", narrow(args[0]).c_str(),
                    seconds);
    std::printf("window %p\n", static_cast<void*>(context.target));
    return true;
}

bool waitGone(DriverContext& context, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[0], seconds))
        return fail("wait-gone: bad timeout");
    if (!waitUntil(static_cast<double>(seconds), [&] { return !IsWindow(context.target); }))
        return fail("window %p still exists after %lld s", static_cast<void*>(context.target),
                    seconds);
    std::printf("gone %p\n", static_cast<void*>(context.target));
    return true;
}

bool printInfo(DriverContext& context, const Arguments&) {
    if (!needTarget(context))
        return false;
    HWND window = context.target;
    wchar_t text[256] = L"";
    RECT rect = {}, client = {};
    POINT origin = {0, 0};
    DWORD pid = 0;
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    GetWindowThreadProcessId(window, &pid);
    std::printf("window %p\n", static_cast<void*>(window));
    GetClassNameW(window, text, 256);
    std::printf("class %s\n", narrow(text).c_str());
    text[0] = 0;
    GetWindowTextW(window, text, 256);
    std::printf("title %s\n", narrow(text).c_str());
    std::printf("pid %lu\n", pid);
    std::printf("rect %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    std::printf("size %ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    std::printf("client %ld %ld\n", client.right - client.left, client.bottom - client.top);
    std::printf("client-origin %ld %ld\n", origin.x, origin.y);
    std::printf("style 0x%08lx\n", static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)));
    std::printf("exstyle 0x%08lx\n",
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    std::printf("visible %d\n", IsWindowVisible(window) ? 1 : 0);
    std::printf("foreground %d\n", GetForegroundWindow() == window ? 1 : 0);
    return true;
}

bool hitTest(DriverContext& context, const Arguments& args) {
    long long x = 0, y = 0;
    if (!parseInteger(args[0], x) || !parseInteger(args[1], y))
        return fail("hittest: bad point");
    if (!needTarget(context))
        return false;
    DWORD_PTR result = 0;
    LPARAM point = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    if (!SendMessageTimeoutW(context.target, WM_NCHITTEST, 0, point, SMTO_ABORTIFHUNG, 10000,
                             &result))
        return fail("WM_NCHITTEST was not answered");
    std::printf("hittest %lld %lld %ld\n", x, y, static_cast<long>(static_cast<LRESULT>(result)));
    return true;
}

} // namespace

const Command kWindowCommands[] = {
    {L"wait-window", 2, "CLASS SECONDS  wait for a visible top-level window; it becomes the target",
     waitWindow},
    {L"wait-gone", 1, "SECONDS  wait until the target window no longer exists", waitGone},
    {L"info", 0, "print the target's rect, size, client size and origin, styles, pid", printInfo},
    {L"hittest", 2, "X Y  send WM_NCHITTEST for a screen point and print the result", hitTest},
};
const size_t kWindowCommandCount = sizeof kWindowCommands / sizeof kWindowCommands[0];
