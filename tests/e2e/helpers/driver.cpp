// Does for the tests what xdotool cannot: e2e_driver.exe WINDOW COMMAND...
// WINDOW is "main" (the window of class Tavlor), or a window's class or else
// its title (Tavlor's dialogs, another program's window). Commands:
//   rect                 prints the window rectangle: left top right bottom
//   front                brings the window to the front
//   title                prints the window's title
//   keys VK...           injects the keys pressed in this order and released in
//                        reverse, wherever the focus is (the window only has to be there)
//   post MSG WPARAM LPARAM
//   text ID              prints the text of control ID
//   select ID NAME...    selects the item NAME of drop-down list ID (for each
//                        pair); an empty NAME leaves the list without a selection
//   click ID             clicks button ID (a check box ticks or unticks)
//   focus                prints the id of the control with the keyboard focus
//   hit X Y...           prints the window's WM_NCHITTEST answer at each
//                        screen point, one a line
//   foreground           prints the title of the foreground window
// And e2e_driver.exe mutex PROGRAM: makes Tavlor's mutex with a DACL that
// grants nothing, as a normal user finds the mutex of a Tavlor run elevated,
// prints what a second open gets, runs PROGRAM and prints "exit CODE" (or
// "running 0" when it has not ended within 60 s; it is then ended).
//   pid                  prints the id of the window's process
//   message NAME         prints the number of the registered message NAME
// Exit code 1 when the window or the item is not there, 2 for a bad command.
#include <windows.h>

#include <process.h>
#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LPARAM number(const char* text) {
    return static_cast<LPARAM>(std::strtoll(text, nullptr, 0));
}

int holdMutex(const char* program) {
    SECURITY_ATTRIBUTES nobody = {sizeof nobody, nullptr, FALSE};
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:", SDDL_REVISION_1,
                                                         &nobody.lpSecurityDescriptor, nullptr);
    const char* name = "Local\\Kelvarin.Tavlor.Running";
    CreateMutexA(&nobody, FALSE, name);
    HANDLE second = CreateMutexA(nullptr, FALSE, name);
    std::printf("second open %s, error %lu\n", second ? "granted" : "refused", GetLastError());
    auto process = reinterpret_cast<HANDLE>(_spawnl(_P_NOWAIT, program, program, nullptr));
    DWORD code = 0;
    bool ended = process != INVALID_HANDLE_VALUE &&
                 WaitForSingleObject(process, 60000) == WAIT_OBJECT_0 &&
                 GetExitCodeProcess(process, &code);
    if (!ended) // it would hold the test's pipe open
        TerminateProcess(process, 1);
    std::printf("%s %lu\n", ended ? "exit" : "running", code);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "mutex") == 0)
        return holdMutex(argv[2]);
    if (argc < 3)
        return 2;
    HWND window = std::strcmp(argv[1], "main") == 0 ? FindWindowA("Tavlor", nullptr)
                                                    : FindWindowA(argv[1], nullptr);
    if (window == nullptr)
        window = FindWindowA(nullptr, argv[1]);
    if (window == nullptr || !IsWindowVisible(window))
        return 1;
    const char* command = argv[2];
    RECT r;
    char text[512] = "";
    INPUT keys[16] = {};
    int count = argc - 3;
    if (std::strcmp(command, "front") == 0) {
        return SetForegroundWindow(window) ? 0 : 1;
    } else if (std::strcmp(command, "title") == 0 && GetWindowTextA(window, text, sizeof text)) {
        std::printf("%s\n", text);
    } else if (std::strcmp(command, "keys") == 0 && count > 0 && count <= 8) {
        for (int i = 0; i < count; ++i) {
            keys[i].type = keys[2 * count - 1 - i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = keys[2 * count - 1 - i].ki.wVk =
                static_cast<WORD>(number(argv[3 + i]));
            keys[2 * count - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        return SendInput(2 * count, keys, sizeof(INPUT)) == static_cast<UINT>(2 * count) ? 0 : 1;
    } else if (std::strcmp(command, "rect") == 0 && GetWindowRect(window, &r)) {
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (std::strcmp(command, "post") == 0 && argc == 6) {
        return !PostMessageA(window, static_cast<UINT>(number(argv[3])),
                             static_cast<WPARAM>(number(argv[4])), number(argv[5]));
    } else if (std::strcmp(command, "text") == 0 && argc == 4) {
        SendMessageA(GetDlgItem(window, static_cast<int>(number(argv[3]))), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else if (std::strcmp(command, "select") == 0 && argc >= 5) {
        for (int i = 3; i + 1 < argc; i += 2) {
            HWND list = GetDlgItem(window, static_cast<int>(number(argv[i])));
            LRESULT item = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(argv[i + 1]));
            bool found = item != CB_ERR || *argv[i + 1] == 0; // "" finds nothing: no selection
            if (!found || SendMessageA(list, CB_SETCURSEL, item, 0) != item)
                return 1;
        }
    } else if (std::strcmp(command, "click") == 0 && argc == 4) {
        SendMessageA(GetDlgItem(window, static_cast<int>(number(argv[3]))), BM_CLICK, 0, 0);
    } else if (std::strcmp(command, "focus") == 0) {
        GUITHREADINFO info = {sizeof info, 0,       nullptr, nullptr, nullptr,
                              nullptr,     nullptr, nullptr, {}};
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
    } else if (std::strcmp(command, "hit") == 0) {
        for (int i = 3; i + 1 < argc; i += 2) {
            LPARAM at = MAKELPARAM(number(argv[i]), number(argv[i + 1]));
            std::printf("%ld\n", static_cast<long>(SendMessageA(window, WM_NCHITTEST, 0, at)));
        }
    } else if (std::strcmp(command, "foreground") == 0) {
        GetWindowTextA(GetForegroundWindow(), text, sizeof text);
        std::printf("%s\n", text);
    } else if (std::strcmp(command, "pid") == 0) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        std::printf("%lu\n", id);
    } else if (std::strcmp(command, "message") == 0 && argc == 4) {
        std::printf("%u\n", RegisterWindowMessageA(argv[3]));
    } else {
        return 2;
    }
    return 0;
}
