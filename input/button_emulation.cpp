#include "core/app_state.h"
#include "input/emulation.h"
#include "input/modifier_keys.h"
#include "input/scan_codes.h"

namespace {

// From a press to the first repeat of Delayed Auto; Auto repeats a step after it.
constexpr int32_t kDelayedAutoMs = 260;

struct MouseButtonFlags {
    uint8_t code;
    DWORD down;
    DWORD up;
};

constexpr MouseButtonFlags kMouseButtons[] = {
    {1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    {2, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    {4, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
};
constexpr uint8_t kLastMouseCode = 4;

INPUT eventOf(const AppState& s, uint8_t code, bool press) {
    INPUT event = {};
    for (const MouseButtonFlags& button : kMouseButtons) {
        if (code <= kLastMouseCode && button.code == code) {
            event.type = INPUT_MOUSE;
            event.mi.dwFlags = press ? button.down : button.up;
            return event;
        }
    }
    // The scan code goes with the virtual key, without KEYEVENTF_SCANCODE, so
    // programs that read virtual keys see what they always saw.
    uint16_t scan = s.keyScanCodes[code];
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = code;
    event.ki.wScan = static_cast<WORD>(scan & 0xFF);
    event.ki.dwFlags = press ? 0 : KEYEVENTF_KEYUP;
    if ((scan & kExtendedScanPrefix) == kExtendedScanPrefix) {
        event.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return event;
}

void queue(AppState& s, const INPUT& event) {
    if (s.pendingInputCount < kMaxPendingInputs) {
        s.pendingInputs[s.pendingInputCount++] = event;
    }
}

// A plain key, the common case, goes straight out; one with a stored
// modifier byte, or a modifier's own key, goes through the counts.
void press(AppState& s, int slot, uint8_t code, uint8_t storedModifiers) {
    if (code == 0) {
        return;
    }
    if (pressIsCounted(code, storedModifiers)) {
        pressCounted(s, slot, code, modifierBits(storedModifiers));
        return;
    }
    queue(s, eventOf(s, code, true));
    s.heldCodes[slot] = code;
}

// Releases what this input pressed, which may differ from its code now.
void release(AppState& s, int slot) {
    uint8_t held = s.heldCodes[slot];
    if (held == 0) {
        return;
    }
    if (s.heldModifiers[slot] != 0) {
        releaseCounted(s, slot);
        return;
    }
    queue(s, eventOf(s, held, false));
    s.heldCodes[slot] = 0;
}

// A repeat lets go of the key alone and presses it again; an input whose
// mapping lost its key lets go of everything.
void repeat(AppState& s, int slot, uint8_t code) {
    if (code == 0) {
        release(s, slot);
    } else if (s.heldModifiers[slot] != 0 || pressIsCounted(code, 0)) {
        repeatCounted(s, slot, code);
    } else {
        release(s, slot);
        press(s, slot, code, 0);
    }
}

// The first repeat comes at the first poll at or after its time from the
// press, and each later one a step after the one before was due.
void emulateSlot(AppState& s, int slot, const uint8_t* codes, int32_t elapsedMs) {
    uint8_t code = static_cast<uint8_t>(s.scratchMappingCode);
    InputSlot& input = s.inputTable[slot];
    if ((s.changedBits & input.mask) != 0) {
        input.repeatCountdown = countdownAfterEdge(s.triggerModes, input.delayedModeMask);
        release(s, slot);
        if ((s.pressedBits & input.mask) != 0) {
            press(s, slot, code, codes[kModifierByteOffset + slot]);
        }
        return;
    }
    if (input.repeatCountdown > 0) {
        input.repeatCountdown -= elapsedMs;
        if (input.repeatCountdown > 0) {
            return;
        }
    }
    // Repeat only what this input holds down: an input that was held through
    // a dialog or a release-all stays quiet until its next press.
    bool repeating = (s.triggerModes & input.groupModeMask) != 0;
    if ((s.inputBits & input.mask) != 0 && repeating && s.heldCodes[slot] != 0) {
        repeat(s, slot, code);
        input.repeatCountdown += kStepMs;
    }
}

} // namespace

void queueCode(AppState& s, uint8_t code, bool press) {
    queue(s, eventOf(s, code, press));
}

void queueInput(const INPUT& event) {
    queue(appState(), event);
}

int32_t countdownAfterEdge(uint32_t triggerModes, uint32_t delayedModeMask) {
    return (triggerModes & delayedModeMask) != 0 ? kDelayedAutoMs : kStepMs;
}

INPUT codeEvent(uint8_t code, bool press) {
    return eventOf(appState(), code, press);
}

void emulateButtons(int32_t elapsedMs) {
    AppState& s = appState();
    const uint8_t* codes = mappingCodesInUse(s, s.activeController);
    for (int slot = 0; slot < kInputCount; ++slot) {
        s.scratchMappingCode = codes[slot];
        // An unassigned input is skipped unless it still holds a key from
        // before its mapping changed.
        if (s.scratchMappingCode == 0 && s.heldCodes[slot] == 0) {
            continue;
        }
        emulateSlot(s, slot, codes, elapsedMs);
    }
}

void queueHeldReleases() {
    AppState& s = appState();
    for (int slot = 0; slot < kInputCount; ++slot) {
        release(s, slot);
    }
}
