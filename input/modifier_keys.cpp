#include "input/modifier_keys.h"

namespace {

// Sends a key, or for a modifier's own key counts one holder more or less:
// it goes down with the first and up with the last.
void send(AppState& s, uint8_t code, bool press) {
    int m = kModifierOfKey.index[code];
    if (m >= 0) {
        uint8_t& holds = s.modifierHolds[m];
        bool edge = press ? holds++ == 0 : holds > 0 && --holds == 0;
        if (!edge) {
            return;
        }
    }
    queueCode(s, code, press);
}

// Ctrl, Shift, Alt and Win go down in this order and up in the reverse order.
void sendModifiers(AppState& s, uint8_t modifiers, bool press) {
    for (int i = 0; i < kModifierCount; ++i) {
        int m = press ? i : kModifierCount - 1 - i;
        if (((modifiers >> m) & 1) != 0) {
            send(s, kModifierKeys[m], press);
        }
    }
}

} // namespace

void pressCounted(AppState& s, int slot, uint8_t code, uint8_t modifiers) {
    sendModifiers(s, modifiers, true);
    send(s, code, true);
    s.heldCodes[slot] = code;
    s.heldModifiers[slot] = modifiers | kCounted;
}

void releaseCounted(AppState& s, int slot) {
    send(s, s.heldCodes[slot], false);
    sendModifiers(s, s.heldModifiers[slot], false);
    s.heldCodes[slot] = 0;
    s.heldModifiers[slot] = 0;
}

void repeatCounted(AppState& s, int slot, uint8_t code) {
    send(s, s.heldCodes[slot], false);
    send(s, code, true);
    s.heldCodes[slot] = code;
    s.heldModifiers[slot] |= kCounted;
}
