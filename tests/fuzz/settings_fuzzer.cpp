// Any bytes of any size under any of the value names, then the range
// rules: every setting ends in range and each mapping table equals its old
// bytes overlaid with the last stored value that fits.
#include <algorithm>
#include <cstring>

#include "core/app_state.h"
#include "mapping/settings_rules.h"

namespace {

void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

bool positionSettled(int32_t at, int32_t extent, int32_t scale, int32_t virtualSize) {
    return at == virtualSize / 4 || (at > -extent * scale && at < virtualSize - 5 * scale);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    AppState s;
    publishAppState(&s);
    int32_t virtualWidth = 1 + data[0] * 32;
    int32_t virtualHeight = 1 + data[1] * 32;
    setDefaultSettings(s, virtualWidth, virtualHeight);
    StoredValue settings[kSettingCount];
    listSettings(s, settings);
    uint8_t expected[kControllerSlots][kMappingBytes];
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        std::memcpy(expected[slot], s.profiles[slot].mappingCodes, kMappingBytes);
    }
    // Records of [value index][length][bytes]: the settings, then the mapping tables.
    for (size_t at = 2; at + 2 <= size;) {
        int index = data[at] % (kSettingCount + kControllerSlots), slot = index - kSettingCount;
        uint32_t length = static_cast<uint32_t>(std::min<size_t>(data[at + 1], size - at - 2));
        overlayStoredValue(slot < 0 ? settings[index] : profileValue(s, slot), data + at + 2,
                           length);
        if (slot >= 0 && length <= kMappingBytes) {
            std::memcpy(expected[slot], data + at + 2, length);
        }
        at += 2 + length;
    }
    settleSettings(s, virtualWidth, virtualHeight);
    require(s.triggerModes <= 0xFFF && s.mouseSpeed >= 0 && s.mouseSpeed <= 2);
    require(s.mouseCurve == 0 || s.mouseCurve == 1);
    require(s.windowScale >= kMinScale && s.windowScale <= kMaxScale);
    require(positionSettled(s.windowX, 484, s.windowScale, virtualWidth));
    require(positionSettled(s.windowY, 175, s.windowScale, virtualHeight));
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        require(std::memcmp(expected[slot], s.profiles[slot].mappingCodes, kMappingBytes) == 0);
    }
    return 0;
}
