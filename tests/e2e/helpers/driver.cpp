// Does for the tests what xdotool cannot: e2e_driver.exe WINDOW COMMAND...
// WINDOW is "main" (the window of class Tavlor) or the title of one of its
// dialogs. Commands:
//   rect                 prints the window rectangle: left top right bottom
//   post MSG WPARAM LPARAM
//   text ID              prints the text of control ID
//   select ID NAME       selects the item NAME of drop-down list ID
//   pid                  prints the id of the window's process
//   message NAME         prints the number of the registered message NAME
// Exit code 1 when the window or the item is not there, 2 for a bad command.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LPARAM number(const char* text) {
    return static_cast<LPARAM>(std::strtoll(text, nullptr, 0));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    bool main = std::strcmp(argv[1], "main") == 0;
    HWND window = main ? FindWindowA("Tavlor", nullptr) : FindWindowA("#32770", argv[1]);
    if (window == nullptr || !IsWindowVisible(window))
        return 1;
    const char* command = argv[2];
    RECT r;
    if (std::strcmp(command, "rect") == 0 && GetWindowRect(window, &r)) {
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (std::strcmp(command, "post") == 0 && argc == 6) {
        return PostMessageA(window, static_cast<UINT>(number(argv[3])),
                            static_cast<WPARAM>(number(argv[4])), number(argv[5]))
                   ? 0
                   : 1;
    } else if (std::strcmp(command, "text") == 0 && argc == 4) {
        char text[512] = "";
        SendMessageA(GetDlgItem(window, static_cast<int>(number(argv[3]))), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else if (std::strcmp(command, "select") == 0 && argc == 5) {
        HWND list = GetDlgItem(window, static_cast<int>(number(argv[3])));
        LRESULT item = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(argv[4]));
        return item != CB_ERR && SendMessageA(list, CB_SETCURSEL, item, 0) == item ? 0 : 1;
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
