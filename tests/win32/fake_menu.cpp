#include "fake_menu.h"

#include <cwchar>
#include <new>

namespace {

FakeMenus gMenus;

HMENU menuHandle(int index) { return reinterpret_cast<HMENU>(static_cast<uintptr_t>(0x2000 + index)); }

void destroyTree(FakeMenu& menu) {
    menu.alive = false;
    for (int i = 0; i < menu.itemCount; ++i) {
        if ((menu.items[i].flags & MF_POPUP) != 0) {
            FakeMenu* sub = fakeMenu(reinterpret_cast<HMENU>(menu.items[i].id));
            if (sub != nullptr && sub->alive) {
                destroyTree(*sub);
            }
        }
    }
}

// Applies the state bits of a check or enable call, keeping the item's kind.
void setState(HMENU menu, UINT id, UINT bits, UINT mask) {
    if (fakeMenu(menu) == nullptr) {
        return;
    }
    FakeMenuItem* item = fakeMenuItem(id);
    if (item != nullptr) {
        item->flags = (item->flags & ~mask) | (bits & mask);
    }
}

} // namespace

FakeMenus& fakeMenus() { return gMenus; }

void resetFakeMenus() {
    gMenus.~FakeMenus();
    new (&gMenus) FakeMenus();
}

FakeMenu* fakeMenu(HMENU menu) {
    intptr_t index = reinterpret_cast<intptr_t>(menu) - 0x2000;
    if (index < 0 || index >= gMenus.menuCount) {
        return nullptr;
    }
    return &gMenus.menus[index];
}

FakeMenuItem* fakeMenuItem(UINT_PTR id) {
    for (int m = 0; m < gMenus.menuCount; ++m) {
        FakeMenu& menu = gMenus.menus[m];
        for (int i = 0; menu.alive && i < menu.itemCount; ++i) {
            if (menu.items[i].id == id && (menu.items[i].flags & MF_SEPARATOR) == 0) {
                return &menu.items[i];
            }
        }
    }
    return nullptr;
}

HMENU CreatePopupMenu() {
    if (gMenus.createCalls++ == gMenus.failCreateAt || gMenus.menuCount >= kFakeMaxMenus) {
        return nullptr;
    }
    gMenus.menus[gMenus.menuCount] = {};
    gMenus.menus[gMenus.menuCount].alive = true;
    return menuHandle(gMenus.menuCount++);
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    FakeMenu* m = fakeMenu(menu);
    if (m == nullptr || !m->alive || m->itemCount >= kFakeMaxMenuItems) {
        return FALSE;
    }
    FakeMenuItem& item = m->items[m->itemCount++];
    item = {flags, id, {}};
    if (text != nullptr && (flags & MF_SEPARATOR) == 0) {
        std::wcsncpy(item.text, text, 31);
    }
    return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
    FakeMenu* m = fakeMenu(menu);
    if (m == nullptr || !m->alive) {
        return FALSE;
    }
    destroyTree(*m);
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check) {
    setState(menu, id, check, MF_CHECKED);
    return 0;
}

BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable) {
    setState(menu, id, enable, MF_GRAYED);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT, int x, int y, int, HWND, const RECT*) {
    gMenus.tracked = menu;
    gMenus.trackedAt = {x, y};
    return TRUE;
}
