#pragma once
#include <cstdint>

#include "core/app_state.h"

// One line of the context menu, in menu order. A submenu's entry is followed
// by its own lines, one level deeper.
struct MenuEntry {
    int level;                // 1 the menu itself, 2 a submenu's line, 3 a trigger group's
    const wchar_t* text;      // nullptr for a separator
    uint32_t id;              // the command; 0 for a separator or a submenu
    HMENU AppState::*submenu; // a submenu's handle in the state record; nullptr otherwise
};

constexpr int kMenuEntryCount = 43;
extern const MenuEntry kMenuTree[kMenuEntryCount];
