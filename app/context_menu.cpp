#include "app/context_menu.h"

#include "app/app_state.h"
#include "app/dialogs.h"
#include "app/menu_commands.h"
#include "app/win32.h"
#include "app/window_frame.h"
#include "input/controllers.h"
#include "resources/resource_ids.h"

namespace {

struct MenuItem {
    UINT id; // 0 for a separator
    const wchar_t* text;
};

constexpr MenuItem kControllerItems[] = {
    {9001, L"&1"}, {9002, L"&2"}, {9003, L"&3"}, {9004, L"&4"}, {9005, L"&5"},
};
constexpr MenuItem kTriggerGroupItems[3][3] = {
    {{9009, L"&Single"}, {9012, L"&Auto"}, {9015, L"&Delayed Auto"}},
    {{9010, L"&Single"}, {9013, L"&Auto"}, {9016, L"&Delayed Auto"}},
    {{9011, L"&Single"}, {9014, L"&Auto"}, {9017, L"&Delayed Auto"}},
};
constexpr const wchar_t* kTriggerGroupTexts[3] = {L"Buttons &1-4", L"Buttons &5-8",
                                                  L"Buttons &9-12"};
constexpr MenuItem kMouseSpeedItems[] = {
    {9018, L"&Slow"}, {9019, L"&Medium"}, {9020, L"&Fast"},
    {0, nullptr},     {9021, L"&Linear"}, {9022, L"&Curved"},
};
constexpr MenuItem kWindowSizeItems[] = {{9023, L"&Increase Size"}, {9024, L"&Decrease Size"}};
constexpr MenuItem kTailItems[] = {
    {0, nullptr}, {9025, L"Map &Buttons..."}, {0, nullptr}, {9026, L"&About Tavlor"},
    {0, nullptr}, {9027, L"E&xit\tAlt+X"},
};

constexpr UINT kTriggerGroups = 3;

template <size_t N> void appendItems(HMENU menu, const MenuItem (&items)[N]) {
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, item.id, item.text);
        }
    }
}

void appendSubmenu(HMENU parent, HMENU submenu, const wchar_t* text) {
    AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text);
}

// A submenu that cannot be created is left out with its entry.
template <size_t N>
void buildSubmenu(HMENU parent, HMENU& field, const wchar_t* text, const MenuItem (&items)[N]) {
    field = CreatePopupMenu();
    if (field == nullptr) {
        return;
    }
    appendItems(field, items);
    appendSubmenu(parent, field, text);
}

void buildTriggerMenu(AppState& s) {
    s.triggerMenu = CreatePopupMenu();
    if (s.triggerMenu == nullptr) {
        return;
    }
    HMENU* groups[kTriggerGroups] = {&s.triggerGroup1Menu, &s.triggerGroup2Menu,
                                     &s.triggerGroup3Menu};
    for (UINT g = 0; g < kTriggerGroups; ++g) {
        buildSubmenu(s.triggerMenu, *groups[g], kTriggerGroupTexts[g], kTriggerGroupItems[g]);
    }
    appendSubmenu(s.mainMenu, s.triggerMenu, L"&Trigger");
}

void setItem(HMENU menu, const MenuItemState& item) {
    EnableMenuItem(menu, item.id, MF_BYCOMMAND | (item.grayed ? MF_GRAYED : MF_ENABLED));
    CheckMenuItem(menu, item.id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
}

void setSubmenuEntry(HMENU menu, HMENU submenu, bool grayed) {
    EnableMenuItem(menu, static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)),
                   MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

void refreshMenuStates(const AppState& s) {
    MenuStates states = menuStates(s);
    setSubmenuEntry(s.mainMenu, s.controllerMenu, states.controllerGrayed);
    setSubmenuEntry(s.mainMenu, s.triggerMenu, states.triggerGrayed);
    setSubmenuEntry(s.mainMenu, s.mouseSpeedMenu, states.mouseSpeedGrayed);
    for (const MenuItemState& item : states.items) {
        setItem(s.mainMenu, item);
    }
}

void openDialog(int resource, DLGPROC procedure) {
    HWND owner = appState().hwndMain;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(resource), owner, procedure, 0);
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
    buildSubmenu(s.mainMenu, s.controllerMenu, L"&Controller", kControllerItems);
    buildTriggerMenu(s);
    buildSubmenu(s.mainMenu, s.mouseSpeedMenu, L"&Mouse Speed", kMouseSpeedItems);
    buildSubmenu(s.mainMenu, s.windowSizeMenu, L"&Window Size", kWindowSizeItems);
    appendItems(s.mainMenu, kTailItems);
    return true;
}

void showContextMenu(int32_t x, int32_t y) {
    AppState& s = appState();
    RECT rect = {};
    GetWindowRect(s.hwndMain, &rect);
    // A menu opened from the keyboard carries (-1, -1): open it at the window.
    bool inside = x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
    POINT at = inside ? POINT{x, y} : POINT{rect.left, rect.top};
    discoverControllers();
    refreshMenuStates(s);
    TrackPopupMenu(s.mainMenu, 0, at.x, at.y, 0, s.hwndMain, nullptr);
}

void onCommand(uint32_t commandId) {
    AppState& s = appState();
    switch (applyMenuCommand(commandId)) {
    case MenuAction::kNone:
        break;
    case MenuAction::kIncreaseSize:
        setWindowScale(s.windowScale + 1);
        break;
    case MenuAction::kDecreaseSize:
        setWindowScale(s.windowScale - 1);
        break;
    case MenuAction::kMapButtons:
        openDialog(IDD_MAP_BUTTONS, mapButtonsDialogProc);
        break;
    case MenuAction::kAbout:
        openDialog(IDD_ABOUT, aboutDialogProc);
        break;
    case MenuAction::kExit:
        PostMessageW(s.hwndMain, WM_CLOSE, 0, 0);
        break;
    }
    // A controller switch releases what the old controller held.
    sendPendingInputs();
}
