#include "app/menu/context_menu.h"

#include "app/companion/autostart.h"
#include "app/companion/elevation.h"
#include "app/menu/menu_commands.h"
#include "app/menu/menu_tree.h"
#include "core/app_state.h"
#include "core/win32.h"
#include "input/controllers.h"
#include "mapping/program_rules.h"

namespace {

// Builds the tree's lines into the menu. A submenu that cannot be created is
// left out with its entry and its lines.
void appendMenuTree(AppState& s) {
    HMENU parents[4] = {nullptr, s.mainMenu}; // where the lines of each level go
    int skipBelow = 0;                        // lines deeper than this belong to a missing submenu
    for (const MenuEntry& entry : kMenuTree) {
        if (skipBelow != 0 && entry.level > skipBelow) {
            continue;
        }
        skipBelow = 0;
        HMENU parent = parents[entry.level];
        if (entry.submenu != nullptr) {
            HMENU submenu = CreatePopupMenu();
            s.*entry.submenu = submenu;
            if (submenu == nullptr) {
                skipBelow = entry.level;
                continue;
            }
            AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), entry.text);
            parents[entry.level + 1] = submenu;
        } else if (entry.text == nullptr) {
            AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(parent, MF_STRING, entry.id, entry.text);
        }
    }
}

void setItem(HMENU menu, const MenuItemState& item) {
    EnableMenuItem(menu, item.id, MF_BYCOMMAND | (item.grayed ? MF_GRAYED : MF_ENABLED));
    CheckMenuItem(menu, item.id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
}

void setSubmenuEntry(HMENU menu, HMENU submenu, bool grayed) {
    EnableMenuItem(menu, static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)),
                   MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

// Changes the text of an item, by command id (a submenu's entry by its
// handle), keeping everything else it has.
void setMenuItemText(UINT item, const wchar_t* text) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(appState().mainMenu, item, FALSE, &info);
}

// The program submenu's entry is named after the remembered program.
void nameProgramMenu(const AppState& s) {
    if (s.programMenu == nullptr) {
        return;
    }
    wchar_t text[2 * kProgramNameChars];
    programMenuText(s.program, text);
    setMenuItemText(static_cast<UINT>(reinterpret_cast<UINT_PTR>(s.programMenu)), text);
}

void refreshMenuStates(const AppState& s) {
    MenuStates states = menuStates(s);
    nameProgramMenu(s);
    setMenuItemText(kCommandHideWindow, menuItemText(s, kCommandHideWindow));
    setMenuItemText(kCommandPause, menuItemText(s, kCommandPause));
    setSubmenuEntry(s.mainMenu, s.controllerMenu, states.controllerGrayed);
    setSubmenuEntry(s.mainMenu, s.triggerMenu, states.triggerGrayed);
    setSubmenuEntry(s.mainMenu, s.mouseSpeedMenu, states.mouseSpeedGrayed);
    setSubmenuEntry(s.mainMenu, s.programMenu, states.programGrayed);
    for (const MenuItemState& item : states.items) {
        setItem(s.mainMenu, item);
    }
}

// The shield that marks a command which asks for administrator rights, drawn
// into a bitmap the menu can show beside the item's text.
void showShieldOn(AppState& s, UINT id) {
    s.shieldBitmap = shieldBitmap();
    if (s.shieldBitmap == nullptr) {
        return;
    }
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = s.shieldBitmap;
    SetMenuItemInfoW(s.mainMenu, id, FALSE, &item);
}

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
    appendMenuTree(s);
    if (s.elevated != 0) {
        DeleteMenu(s.mainMenu, kCommandRestartAsAdministrator, MF_BYCOMMAND);
    } else {
        showShieldOn(s, kCommandRestartAsAdministrator);
    }
    return true;
}

void showContextMenu(int32_t x, int32_t y) {
    AppState& s = appState();
    RECT rect = {};
    GetWindowRect(s.hwndMain, &rect);
    // A menu opened from the keyboard carries (-1, -1): open it at the window.
    bool inside = x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
    POINT at = inside ? POINT{x, y} : POINT{rect.left, rect.top};
    trackContextMenu(at.x, at.y);
}

void trackContextMenu(int32_t x, int32_t y) {
    AppState& s = appState();
    discoverControllers();
    s.startsWithWindows = startsWithWindows() ? 1 : 0;
    refreshMenuStates(s);
    TrackPopupMenu(s.mainMenu, 0, x, y, 0, s.hwndMain, nullptr);
}
