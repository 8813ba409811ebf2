#include "app/app_state.h"
#include "input/emulation.h"

namespace {

constexpr uint32_t kDelayedAutoTicks = 13;
constexpr uint8_t kMouseLeft = 1;
constexpr uint8_t kMouseRight = 2;
constexpr uint8_t kMouseMiddle = 4;

void sendCode(AppState& s, uint8_t code, bool press) {
    DWORD mouseFlags = mouseButtonFlags(code, press);
    if (mouseFlags != 0) {
        s.mouseButtonInput.mi.dwFlags = mouseFlags;
        SendInput(1, &s.mouseButtonInput, sizeof(INPUT));
        return;
    }
    s.keyInput.ki.wVk = code;
    s.keyInput.ki.dwFlags = press ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &s.keyInput, sizeof(INPUT));
}

void press(AppState& s, int slot, uint8_t code) {
    if (code == 0) {
        return;
    }
    sendCode(s, code, true);
    s.heldCodes[slot] = code;
}

// Releases what this input pressed, which may differ from its code now.
void release(AppState& s, int slot) {
    uint8_t held = s.heldCodes[slot];
    if (held == 0) {
        return;
    }
    sendCode(s, held, false);
    s.heldCodes[slot] = 0;
}

void emulateSlot(AppState& s, int slot, uint8_t code) {
    InputSlot& input = s.inputTable[slot];
    if ((s.changedBits & input.mask) != 0) {
        input.repeatCountdown = countdownAfterEdge(s.triggerModes, input.delayedModeMask);
    }
    if (input.repeatCountdown > 0) {
        if ((s.pressedBits & input.mask) != 0) {
            release(s, slot);
            press(s, slot, code);
        } else if ((s.releasedBits & input.mask) != 0) {
            release(s, slot);
        }
        input.repeatCountdown -= 1;
        return;
    }
    // Repeat only what this input holds down: an input that was held through
    // a dialog or a release-all stays quiet until its next press.
    bool repeating = (s.triggerModes & input.groupModeMask) != 0;
    if ((s.inputBits & input.mask) != 0 && repeating && s.heldCodes[slot] != 0) {
        release(s, slot);
        press(s, slot, code);
    }
}

} // namespace

uint32_t countdownAfterEdge(uint32_t triggerModes, uint32_t delayedModeMask) {
    return (triggerModes & delayedModeMask) != 0 ? kDelayedAutoTicks : 1;
}

DWORD mouseButtonFlags(uint8_t code, bool press) {
    switch (code) {
    case kMouseLeft:
        return press ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    case kMouseRight:
        return press ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case kMouseMiddle:
        return press ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
        return 0;
    }
}

void emulateButtons() {
    AppState& s = appState();
    const uint8_t* codes = s.profiles[s.activeController].mappingCodes;
    for (int slot = 0; slot < kInputCount; ++slot) {
        s.scratchMappingCode = codes[slot];
        // An unassigned input is skipped unless it still holds a key from
        // before its mapping changed.
        if (s.scratchMappingCode == 0 && s.heldCodes[slot] == 0) {
            continue;
        }
        emulateSlot(s, slot, static_cast<uint8_t>(s.scratchMappingCode));
    }
}

void releaseHeldInputs() {
    AppState& s = appState();
    for (int slot = 0; slot < kInputCount; ++slot) {
        release(s, slot);
    }
}
