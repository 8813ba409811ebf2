// Records every keyboard and mouse event that reaches the desktop, injected
// or not, through low-level hooks. Usage: input_recorder.exe LOGFILE
// It writes "ready" once both hooks are in place, then one line per event:
//   key <keydown|keyup|syskeydown|syskeyup> vk=0x.. scan=0x.. flags=0x.. [extra=0x..] injected=0|1
//   mouse <move|lbuttondown|...|wheel|hwheel> x=.. y=.. dx=.. dy=.. [delta=..] [extra=0x..] injected=0|1
// x and y are where the event puts the pointer; dx and dy how far that is
// from where the pointer was when the hook ran (SetCursorPos makes no event
// but moves it too). extra is the event's dwExtraInfo, written when not 0.
// The program runs until it is ended from outside or a WM_QUIT reaches it.
#include <windows.h>

#include <cstdio>

#include "../common/env_path.h"
#include "../common/line_log.h"

namespace {

struct Recorder {
    LineLog log;
};

Recorder recorder;

struct MessageName {
    WPARAM message;
    const char* name;
};

const MessageName kKeyMessages[] = {
    {WM_KEYDOWN, "keydown"},
    {WM_KEYUP, "keyup"},
    {WM_SYSKEYDOWN, "syskeydown"},
    {WM_SYSKEYUP, "syskeyup"},
};

const MessageName kMouseMessages[] = {
    {WM_MOUSEMOVE, "move"},      {WM_LBUTTONDOWN, "lbuttondown"},
    {WM_LBUTTONUP, "lbuttonup"}, {WM_RBUTTONDOWN, "rbuttondown"},
    {WM_RBUTTONUP, "rbuttonup"}, {WM_MBUTTONDOWN, "mbuttondown"},
    {WM_MBUTTONUP, "mbuttonup"}, {WM_MOUSEWHEEL, "wheel"},
    {WM_MOUSEHWHEEL, "hwheel"},  {WM_XBUTTONDOWN, "xbuttondown"},
    {WM_XBUTTONUP, "xbuttonup"},
};

template <size_t N> const char* nameOf(const MessageName (&table)[N], WPARAM message) {
    for (const MessageName& entry : table) {
        if (entry.message == message)
            return entry.name;
    }
    return "other";
}

struct ExtraText {
    char text[32];
};

ExtraText extraText(ULONG_PTR extra) {
    ExtraText result = {""};
    if (extra != 0)
        std::snprintf(result.text, sizeof result.text, " extra=0x%llx",
                      static_cast<unsigned long long>(extra));
    return result;
}

LRESULT CALLBACK keyboardHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        ExtraText extra = extraText(key.dwExtraInfo);
        writeLineF(recorder.log, "key %s vk=0x%02lx scan=0x%02lx flags=0x%02lx%s injected=%d",
                   nameOf(kKeyMessages, message), key.vkCode, key.scanCode, key.flags, extra.text,
                   (key.flags & LLKHF_INJECTED) ? 1 : 0);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK mouseHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT& mouse = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        // The hook runs before the pointer moves, on Windows and under Wine.
        POINT before = mouse.pt;
        GetCursorPos(&before);
        long dx = mouse.pt.x - before.x;
        long dy = mouse.pt.y - before.y;
        char delta[32] = "";
        if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL)
            std::snprintf(delta, sizeof delta, " delta=%d",
                          static_cast<int>(static_cast<short>(HIWORD(mouse.mouseData))));
        ExtraText extra = extraText(mouse.dwExtraInfo);
        writeLineF(recorder.log, "mouse %s x=%ld y=%ld dx=%ld dy=%ld%s%s injected=%d",
                   nameOf(kMouseMessages, message), mouse.pt.x, mouse.pt.y, dx, dy, delta, extra.text,
                   (mouse.flags & LLMHF_INJECTED) ? 1 : 0);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: input_recorder.exe LOGFILE\n");
        return 2;
    }
    if (!openLineLog(recorder.log, windowsPath(argv[1]).c_str())) {
        std::fprintf(stderr, "input_recorder: cannot open the log file\n");
        return 1;
    }
    POINT start = {};
    GetCursorPos(&start);
    HINSTANCE self = GetModuleHandleW(nullptr);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, self, 0);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, self, 0);
    if (keyboard == nullptr || mouse == nullptr) {
        writeLineF(recorder.log, "error hooks not installed (%lu)", GetLastError());
        return 1;
    }
    // Low-level hooks are called through this thread's message queue: make
    // sure it exists before saying ready; events that arrive before the loop
    // runs wait there.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    writeLineF(recorder.log, "ready pid=%lu x=%ld y=%ld", GetCurrentProcessId(), start.x, start.y);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(mouse);
    UnhookWindowsHookEx(keyboard);
    return 0;
}
