#pragma once
// Menus of the Win32 stand-in: popup menus with their items and states.
#include <windows.h>

constexpr int kFakeMaxMenus = 16;
constexpr int kFakeMaxMenuItems = 24;

struct FakeMenuItem {
    UINT flags;     // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED as last set
    UINT_PTR id;    // command id, or the submenu handle for a popup entry
    wchar_t text[32];
};

struct FakeMenu {
    bool alive;
    FakeMenuItem items[kFakeMaxMenuItems];
    int itemCount;
};

struct FakeMenus {
    FakeMenu menus[kFakeMaxMenus] = {};
    int menuCount = 0;
    int failCreateAt = -1; // CreatePopupMenu call number (0-based) that fails
    int createCalls = 0;
    HMENU tracked = nullptr;
    POINT trackedAt = {0, 0};
};

FakeMenus& fakeMenus();
void resetFakeMenus();
FakeMenu* fakeMenu(HMENU menu);
// The item with this command id (or submenu handle) anywhere in the tree, or null.
FakeMenuItem* fakeMenuItem(UINT_PTR id);
