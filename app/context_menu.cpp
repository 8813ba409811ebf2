#include "app/context_menu.h"

#include "app/app_state.h"
#include "app/main_window.h"

namespace {

constexpr uint32_t kExitCommand = 9027;

} // namespace

bool buildContextMenu() {
    AppState& s = appState();
    if (s.mainMenu != nullptr) {
        DestroyMenu(s.mainMenu);
        s.mainMenu = nullptr;
    }
    s.mainMenu = CreatePopupMenu();
    if (s.mainMenu == nullptr) {
        return false;
    }
    AppendMenuW(s.mainMenu, MF_STRING, kExitCommand, L"E&xit\tAlt+X");
    return true;
}

void showContextMenu(int32_t x, int32_t y) {
    AppState& s = appState();
    RECT rect = {};
    GetWindowRect(s.hwndMain, &rect);
    bool inside = x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
    POINT at = inside ? POINT{x, y} : POINT{rect.left, rect.top};
    TrackPopupMenu(s.mainMenu, 0, at.x, at.y, 0, s.hwndMain, nullptr);
}

void onCommand(uint32_t commandId) {
    if (commandId == kExitCommand) {
        PostMessageW(appState().hwndMain, WM_CLOSE, 0, 0);
    }
}
