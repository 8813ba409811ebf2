// Popup menus: a tracked menu is a top-level window of class "#32768".
#include "driver.h"

#include <cstdio>

namespace {

constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU

struct MenuSearch {
    HWND found;
};

BOOL CALLBACK matchMenuWindow(HWND window, LPARAM data) {
    wchar_t name[16];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 16) > 0 &&
        lstrcmpW(name, L"#32768") == 0) {
        reinterpret_cast<MenuSearch*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findMenuWindow() {
    MenuSearch search = {nullptr};
    EnumWindows(matchMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Item texts can only be read where the menu handle is valid in this process;
// otherwise the items are reported as unreadable and only the geometry is known.
void printItems(HMENU menu) {
    int count = GetMenuItemCount(menu);
    if (count < 0) {
        std::printf("items unreadable\n");
        return;
    }
    std::printf("items %d\n", count);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item))
            continue;
        RECT rect = {};
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &rect);
        std::printf("item %d id=%u state=0x%x type=0x%x submenu=%d rect=%ld,%ld,%ld,%ld text=%s\n",
                    i, item.wID, item.fState, item.fType, item.hSubMenu ? 1 : 0, rect.left,
                    rect.top, rect.right, rect.bottom, narrow(text).c_str());
    }
}

bool waitMenu(DriverContext&, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[0], seconds))
        return fail("wait-menu: bad timeout");
    HWND menuWindow = nullptr;
    if (!waitUntil(static_cast<double>(seconds), [&] {
            menuWindow = findMenuWindow();
            return menuWindow != nullptr;
        }))
        return fail("no popup menu within %lld s", seconds);
    RECT rect = {};
    GetWindowRect(menuWindow, &rect);
    DWORD_PTR menu = 0;
    SendMessageTimeoutW(menuWindow, kGetMenuHandle, 0, 0, SMTO_ABORTIFHUNG, 5000, &menu);
    std::printf("menu-window %p rect %ld %ld %ld %ld\n", static_cast<void*>(menuWindow), rect.left,
                rect.top, rect.right, rect.bottom);
    printItems(reinterpret_cast<HMENU>(menu));
    return true;
}

bool waitNoMenu(DriverContext&, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[0], seconds))
        return fail("wait-no-menu: bad timeout");
    if (!waitUntil(static_cast<double>(seconds), [] { return findMenuWindow() == nullptr; }))
        return fail("a popup menu is still open after %lld s", seconds);
    std::printf("no-menu\n");
    return true;
}

} // namespace

const Command kMenuCommands[] = {
    {L"wait-menu", 1, "SECONDS  wait for an open popup menu; print its rect and items", waitMenu},
    {L"wait-no-menu", 1, "SECONDS  wait until no popup menu is open", waitNoMenu},
};
const size_t kMenuCommandCount = sizeof kMenuCommands / sizeof kMenuCommands[0];
