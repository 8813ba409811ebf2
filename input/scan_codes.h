#pragma once
#include <cstdint>

// Scan codes that go with injected keys, so that programs reading raw input
// or DirectInput see the key a keyboard would send. A code is the set-1 make
// code; keys whose code has the E0 prefix carry it as 0xE0 in the high byte.
constexpr uint16_t kExtendedScanPrefix = 0xE000;
// Letters, digits and punctuation move with the keyboard layout: only the
// layout can say where they are.
constexpr uint16_t kScanFromLayout = 0xFFFF;

// The fixed scan code of a virtual key, kScanFromLayout for a key that the
// layout places, or 0 for a key without one.
uint16_t fixedScanCode(uint8_t virtualKey);

// Fills the layout's answers into the state record's scan code table. Glue:
// asks Windows (scan_codes_layout.cpp); called once at start-up.
void askLayoutScanCodes();
