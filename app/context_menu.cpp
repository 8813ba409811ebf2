#include "app/context_menu.h"

#include "app/app_state.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/menu_commands.h"
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

constexpr uint32_t kTriggerFieldsMask = 0xFFFu;
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

void setItem(HMENU menu, UINT id, bool grayed, bool checked) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void setSubmenuEntry(HMENU menu, HMENU submenu, bool grayed) {
    EnableMenuItem(menu, static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)),
                   MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

void refreshMenuStates(const AppState& s) {
    HMENU menu = s.mainMenu;
    bool activePresent = s.controllers[s.activeController].present != 0;
    setSubmenuEntry(menu, s.controllerMenu, s.controllerCount <= 0);
    for (int id = 0; id < kControllerSlots; ++id) {
        setItem(menu, kCommandController1 + id, s.controllers[id].present == 0,
                s.activeController == id);
    }
    setSubmenuEntry(menu, s.triggerMenu, !activePresent);
    for (UINT g = 0; g < kTriggerGroups; ++g) {
        uint32_t mode = triggerGroupMode(s.triggerModes, static_cast<int>(g));
        for (UINT m = 0; m < 3; ++m) {
            setItem(menu, kCommandSingle1 + 3 * m + g, false, mode == m);
        }
    }
    setSubmenuEntry(menu, s.mouseSpeedMenu, s.mouseController != s.activeController);
    for (int speed = 0; speed < 3; ++speed) {
        setItem(menu, kCommandSlow + speed, false, s.mouseSpeed == speed);
    }
    setItem(menu, kCommandLinear, false, s.mouseCurve == 0);
    setItem(menu, kCommandCurved, false, s.mouseCurve == 1);
    setItem(menu, kCommandIncreaseSize, s.windowScale >= kMaxScale, false);
    setItem(menu, kCommandDecreaseSize, s.windowScale <= kMinScale, false);
    setItem(menu, kCommandMapButtons, !activePresent, false);
}

void openDialog(int resource, DLGPROC procedure) {
    HWND owner = appState().hwndMain;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(resource), owner, procedure, 0);
}

} // namespace

uint32_t triggerGroupMode(uint32_t triggerModes, int group) {
    return (triggerModes >> (4 * group)) & 0xFu;
}

uint32_t applyTriggerCommand(uint32_t triggerModes, UINT command) {
    UINT offset = command - kCommandSingle1;
    UINT group = offset % kTriggerGroups;
    uint32_t mode = offset / kTriggerGroups;
    uint32_t cleared = triggerModes & ~(0xFu << (4 * group));
    return (cleared | (mode << (4 * group))) & kTriggerFieldsMask;
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
    UINT id = commandId;
    if (id >= kCommandController1 && id <= kCommandController5) {
        int32_t controller = static_cast<int32_t>(id - kCommandController1);
        if (controller != s.activeController) {
            activateController(controller);
        }
    } else if (id >= kCommandSingle1 && id <= kCommandDelayed3) {
        s.triggerModes = applyTriggerCommand(s.triggerModes, id);
    } else if (id >= kCommandSlow && id <= kCommandFast) {
        s.mouseSpeed = static_cast<int32_t>(id - kCommandSlow);
    } else if (id == kCommandLinear || id == kCommandCurved) {
        s.mouseCurve = id == kCommandCurved ? 1 : 0;
    } else if (id == kCommandIncreaseSize || id == kCommandDecreaseSize) {
        setWindowScale(s.windowScale + (id == kCommandIncreaseSize ? 1 : -1));
    } else if (id == kCommandMapButtons) {
        openDialog(IDD_MAP_BUTTONS, mapButtonsDialogProc);
    } else if (id == kCommandAbout) {
        openDialog(IDD_ABOUT, aboutDialogProc);
    } else if (id == kCommandExit) {
        PostMessageW(s.hwndMain, WM_CLOSE, 0, 0);
    }
}
