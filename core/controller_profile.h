#pragma once
#include <cstdint>

constexpr int kMappingBytes = 32;

// One controller slot: its mapping codes as stored in the registry (16 codes
// in input order, then 16 reserved bytes) and its colours in the view.
struct ControllerProfile {
    uint8_t mappingCodes[kMappingBytes];
    uint32_t highlightColor; // 0xAARRGGBB
    uint32_t frameColor;     // 0xAARRGGBB
};
