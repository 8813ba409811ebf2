#include "mapping/settings_rules.h"

#include "app/main_window.h"

namespace {

constexpr int32_t kScreenSidePerScale = 1080;
constexpr int32_t kPictureWidth = 484;
constexpr int32_t kPictureHeight = 175;
constexpr int32_t kFrameWidth = 5;

} // namespace

uint32_t settleTriggerModes(uint32_t stored) {
    return stored & 0xFFFu;
}

int32_t settleMouseCurve(int32_t stored) {
    return stored & 1;
}

int32_t settleMouseSpeed(int32_t stored) {
    int32_t remainder = stored % 3;
    return remainder < 0 ? remainder + 3 : remainder;
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
