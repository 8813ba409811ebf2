#pragma once
#include <cstdint>

constexpr int kMappingBytes = 32;

// One controller slot: its mapping codes as stored in the registry (16 codes
// in input order, then 16 bytes of modifiers in the same order) and its
// colours in the view.
struct ControllerProfile {
    uint8_t mappingCodes[kMappingBytes];
    uint32_t highlightColor; // 0xAARRGGBB
    uint32_t frameColor;     // 0xAARRGGBB
};

// The modifiers an input's key goes out with, byte 16 + i of a table: bit 0
// Ctrl, bit 1 Shift, bit 2 Alt, bit 3 Win, pressed in that order before the key.
constexpr int kModifierCount = 4;
constexpr int kModifierByteOffset = 16;

// A stored modifier byte with any bit above bit 3 was written by something
// else and holds no modifiers.
constexpr uint8_t modifierBits(uint8_t stored) {
    return (stored & 0xF0) != 0 ? 0 : stored;
}
