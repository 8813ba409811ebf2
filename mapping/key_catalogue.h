#pragma once
#include <cstdint>

#include "app/win32.h"

// One assignable key or mouse button: its name in the Map Buttons lists and
// its mapping code (0 unassigned, 1/2/4 mouse buttons, else a virtual key).
struct KeyEntry {
    const wchar_t* name;
    uint8_t code;
};

constexpr int kKeyCatalogueSize = 104;
extern const KeyEntry keyCatalogue[kKeyCatalogueSize];

// Fills an empty sorted drop-down list with the catalogue, each item carrying
// its code, and selects the item whose code is `currentCode` (none if no
// entry has it).
void fillKeyList(HWND dialog, int listId, uint8_t currentCode);
