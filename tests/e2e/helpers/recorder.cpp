// Logs every injected keyboard and mouse event through low-level hooks, one
// line each, appended to the file given as the only argument:
//   key down|up 0xVK scan 0xSC [ext]   (ext: the extended flag; with
//                                      TAVLOR_E2E_KEY_TIMES set, t=MICROSECONDS after it)
//   mouse move X Y        mouse wheel DELTA
//   mouse ldown|lup|rdown|rup|other
// Input from the X server (xdotool) is not injected and is left out. Under
// Wine, SendInput returns only once the hooks have seen the event, so a
// program's events land in the log before anything it does afterwards.
#include <windows.h>

#include <cstdlib>

#include "line_log.h"

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
bool times = std::getenv("TAVLOR_E2E_KEY_TIMES") != nullptr;

LRESULT CALLBACK keyboardHook(int code, WPARAM message, LPARAM data) {
    auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (code == HC_ACTION && (key->flags & LLKHF_INJECTED))
        writeLine(logFile,
                  times ? "key %s 0x%02lx scan 0x%02lx%s t=%llu" : "key %s 0x%02lx scan 0x%02lx%s",
                  (key->flags & LLKHF_UP) ? "up" : "down", key->vkCode, key->scanCode,
                  (key->flags & LLKHF_EXTENDED) ? " ext" : "", microsNow());
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK mouseHook(int code, WPARAM message, LPARAM data) {
    auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (code != HC_ACTION || !(mouse->flags & LLMHF_INJECTED)) {
    } else if (message == WM_MOUSEMOVE) {
        writeLine(logFile, "mouse move %ld %ld", mouse->pt.x, mouse->pt.y);
    } else if (message == WM_MOUSEWHEEL) {
        writeLine(logFile, "mouse wheel %d", static_cast<short>(HIWORD(mouse->mouseData)));
    } else {
        const char* names[] = {"ldown", "lup", "other", "rdown", "rup"};
        UINT index = message - WM_LBUTTONDOWN;
        writeLine(logFile, "mouse %s", index < 5 ? names[index] : "other");
    }
    return CallNextHookEx(nullptr, code, message, data);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (logFile = openLog(argv[1])) == INVALID_HANDLE_VALUE)
        return 2;
    HINSTANCE self = GetModuleHandleW(nullptr);
    if (!SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, self, 0) ||
        !SetWindowsHookExW(WH_MOUSE_LL, mouseHook, self, 0))
        return 1;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    writeLine(logFile, "recorder ready");
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
