#pragma once
#include <cstdint>

#include "core/app_state.h"

// Ctrl, Shift, Alt and Win shared between the inputs that hold them. Each
// goes out as its left-hand key, down when the first input needs it (through
// a modifier bit, or as its own mapped key) and up when the last lets go, so
// no order of presses and releases leaves one down or lets one go early.

// The left-hand keys of the modifiers, in the order they go down.
constexpr uint8_t kModifierKeys[kModifierCount] = {0xA2, 0xA0, 0xA4, 0x5B}; // Ctrl Shift Alt Win

// Marks heldModifiers of an input whose release goes through the counts: one
// pressed with modifiers, or whose key is itself a modifier's.
constexpr uint8_t kCounted = 0x10;

struct ModifierOfKey {
    int8_t index[kVirtualKeyCount];
};

// Per virtual key, the modifier it is the left-hand key of, else -1.
constexpr ModifierOfKey modifierOfKeyTable() {
    ModifierOfKey table = {};
    for (int8_t& m : table.index) {
        m = -1;
    }
    for (int m = 0; m < kModifierCount; ++m) {
        table.index[kModifierKeys[m]] = static_cast<int8_t>(m);
    }
    return table;
}
inline constexpr ModifierOfKey kModifierOfKey = modifierOfKeyTable();

// Whether pressing this code with this stored modifier byte goes through the
// counts: a byte that holds no modifiers is counted too, harmlessly.
inline bool pressIsCounted(uint8_t code, uint8_t storedModifiers) {
    return storedModifiers != 0 || kModifierOfKey.index[code] >= 0;
}

// The counted press of an input: its modifiers in the order Ctrl, Shift,
// Alt, Win, then its key; marks it kCounted.
void pressCounted(AppState& s, int slot, uint8_t code, uint8_t modifiers);

// The counted release of an input: its key, then its modifiers in reverse.
void releaseCounted(AppState& s, int slot);

// A repeat of the key alone (release, press of `code`): the modifiers stay.
void repeatCounted(AppState& s, int slot, uint8_t code);

// Queues the event of a code (codeEvent's), the one way keys go out.
void queueCode(AppState& s, uint8_t code, bool press);
