#pragma once
#include <cstdint>

// One assignable key or mouse button: its name in the Map Buttons lists and
// its mapping code (0 unassigned, 1/2/4 mouse buttons, else a virtual key).
struct KeyEntry {
    const wchar_t* name;
    uint8_t code;
};

constexpr int kKeyCatalogueSize = 112;
extern const KeyEntry keyCatalogue[kKeyCatalogueSize];
