#pragma once
#include <cstdint>

#include "core/app_state.h"

// Scan codes that go with injected keys, so that programs reading raw input
// or DirectInput see the key a keyboard would send. A code is the set-1 make
// code; keys whose code has the E0 prefix carry it as 0xE0 in the high byte
// and go out with KEYEVENTF_EXTENDEDKEY. Pause is the one key a keyboard
// sends otherwise (E1 1D 45, which SendInput cannot express): it goes as
// E0 45, which raw input and DirectInput read as Pause, while Num Lock is
// the plain 45.
constexpr uint16_t kExtendedScanPrefix = 0xE000;
// Letters, digits and punctuation move with the keyboard layout: only the
// layout can say where they are.
constexpr uint16_t kScanFromLayout = 0xFFFF;

// The fixed scan code of a virtual key, kScanFromLayout for a key that the
// layout places, or 0 for a key without one.
uint16_t fixedScanCode(uint8_t virtualKey);

// Fills a scan code table with the fixed codes; keys the layout places get 0.
void fillFixedScanCodes(uint16_t (&table)[kVirtualKeyCount]);

// Fills the state record's scan code table: the fixed codes, and the layout's
// answers for the keys it places. Glue: asks Windows (scan_codes_layout.cpp);
// called once at start-up.
void loadScanCodes();
