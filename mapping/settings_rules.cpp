#include "mapping/settings_rules.h"

#include <cstring>

#include "core/app_state.h"

namespace {

constexpr int32_t kScreenSidePerScale = 1080;
constexpr int32_t kFrameWidth = 5;
constexpr int32_t kDefaultWindowX = 150;
constexpr int32_t kDefaultWindowY = 100;

const wchar_t* const kProfileValueNames[kControllerSlots] = {L"P1", L"P2", L"P3", L"P4", L"P5"};

} // namespace

void listSettings(AppState& s, StoredValue (&values)[kSettingCount]) {
    constexpr uint32_t size = sizeof(int32_t);
    values[0] = {L"Trigger", &s.triggerModes, size};
    values[1] = {L"MouseSpeed", &s.mouseSpeed, size};
    values[2] = {L"MouseCurve", &s.mouseCurve, size};
    values[3] = {L"Size", &s.windowScale, size};
    values[4] = {L"X", &s.windowX, size};
    values[5] = {L"Y", &s.windowY, size};
    values[6] = {L"Hidden", &s.windowHidden, size};
    values[7] = {L"DeadZone", &s.deadZone, size};
    values[8] = {L"PollRate", &s.pollRate, size};
}

StoredValue profileValue(AppState& s, int slot) {
    return {kProfileValueNames[slot], s.profiles[slot].mappingCodes, kMappingBytes};
}

void overlayStoredValue(const StoredValue& value, const uint8_t* bytes, uint32_t size) {
    if (size <= value.size) {
        std::memcpy(value.field, bytes, size);
    }
}

uint8_t savedModifierByte(uint8_t stored, uint8_t ticked) {
    return ticked == modifierBits(stored) ? stored : ticked;
}

void setDefaultSettings(AppState& s, int32_t screenWidth, int32_t screenHeight) {
    s.mouseSpeed = 1;
    s.mouseCurve = 1;
    s.windowScale = screenScale(screenWidth, screenHeight);
    s.windowX = kDefaultWindowX;
    s.windowY = kDefaultWindowY;
}

void settleSettings(AppState& s, int32_t virtualWidth, int32_t virtualHeight) {
    s.triggerModes &= 0xFFFu;
    s.mouseCurve &= 1;
    s.windowHidden = s.windowHidden == 1 ? 1 : 0;
    s.deadZone = settleChoice(s.deadZone, kDeadZones);
    s.pollRate = settleChoice(s.pollRate, kPollRates);
    int32_t speed = s.mouseSpeed % 3;
    s.mouseSpeed = speed < 0 ? speed + 3 : speed;
    s.windowScale = clampWindowScale(s.windowScale);
    s.windowX = settlePosition(s.windowX, kPictureWidth, s.windowScale, virtualWidth);
    s.windowY = settlePosition(s.windowY, kPictureHeight, s.windowScale, virtualHeight);
}

int32_t settleChoice(int32_t stored, const int32_t (&choices)[kClockChoices]) {
    for (int32_t choice : choices) {
        if (stored == choice) {
            return stored;
        }
    }
    return choices[0];
}

int32_t clampWindowScale(int32_t requested) {
    if (requested < kMinScale) {
        return kMinScale;
    }
    return requested > kMaxScale ? kMaxScale : requested;
}

int32_t screenScale(int32_t screenWidth, int32_t screenHeight) {
    int32_t shorter = screenWidth >= screenHeight ? screenHeight : screenWidth;
    return clampWindowScale(shorter / kScreenSidePerScale);
}

int32_t settlePosition(int32_t stored, int32_t extent, int32_t scale, int32_t virtualSize) {
    int64_t low = -int64_t{extent} * scale;
    int64_t high = int64_t{virtualSize} - int64_t{kFrameWidth} * scale;
    if (low < stored && stored < high) {
        return stored;
    }
    return virtualSize / 4;
}

bool positionWorthSaving(const RECT& window, int32_t scale) {
    return window.left > -(kPictureWidth / 2) * scale && window.top > -(kPictureHeight * scale) / 2;
}
