#include "app/context_menu.h"

#include "core/app_state.h"
#include "app/dialogs.h"
#include "app/menu_commands.h"
#include "app/menu_tree.h"
#include "app/autostart.h"
#include "app/elevation.h"
#include "app/pause_switch.h"
#include "app/poll_clock.h"
#include "app/tray_icon.h"
#include "mapping/program_rules.h"
#include "mapping/settings_store.h"
#include "core/win32.h"
#include "app/window_frame.h"
#include "input/controllers.h"
#include "resources/resource_ids.h"

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
    setMenuItemText(kCommandHideWindow, s.windowHidden != 0 ? L"&Show Window" : L"&Hide Window");
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

void openDialog(int resource, DLGPROC procedure) {
    HWND owner = appState().hwndMain;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(resource), owner, procedure, 0);
}

} // namespace

void setMenuItemText(UINT item, const wchar_t* text) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(appState().mainMenu, item, FALSE, &info);
}

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

void onCommand(uint32_t commandId) {
    AppState& s = appState();
    switch (applyMenuCommand(commandId)) {
    case MenuAction::kNone:
        break;
    case MenuAction::kSelectController:
        selectController(commandController(commandId));
        break;
    case MenuAction::kIncreaseSize:
        setWindowScale(s.windowScale + 1);
        break;
    case MenuAction::kDecreaseSize:
        setWindowScale(s.windowScale - 1);
        break;
    case MenuAction::kMapButtons:
    case MenuAction::kMapButtonsHere:
        s.mappingDialogForProgram = commandId == kCommandMapButtonsHere ? 1 : 0;
        openDialog(IDD_MAP_BUTTONS, mapButtonsDialogProc);
        s.mappingDialogForProgram = 0;
        break;
    case MenuAction::kAbout:
        openDialog(IDD_ABOUT, aboutDialogProc);
        break;
    case MenuAction::kExit:
        PostMessageW(s.hwndMain, WM_CLOSE, 0, 0);
        break;
    case MenuAction::kPauseChanged:
        showPauseState();
        break;
    case MenuAction::kProgramPauseChanged:
        saveProgramPause();
        showPauseState();
        break;
    case MenuAction::kProgramTablesGone:
        removeProgramTables();
        break;
    case MenuAction::kToggleWindow:
        setWindowHidden(s.windowHidden == 0);
        break;
    case MenuAction::kToggleStartWithWindows:
        setStartWithWindows(!startsWithWindows());
        break;
    case MenuAction::kRestartAsAdministrator:
        restartAsAdministrator();
        break;
    case MenuAction::kPollRateChanged:
        startPollClock(s.hwndMain);
        break;
    }
}
