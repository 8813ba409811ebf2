#pragma once
#include <cstdint>

// One of the sixteen mappable inputs, in the fixed order D-pad Up, Down,
// Left, Right, then Buttons 1 to 12.
struct InputSlot {
    uint32_t mask;            // the input's bit in the input bit set
    int32_t repeatCountdown;  // milliseconds before auto-repeat may run
    uint32_t delayedModeMask; // the Delayed Auto bit of the group in triggerModes
    uint32_t groupModeMask;   // the group's nibble in triggerModes
    int32_t controlId;        // the input's list in the Map Buttons dialog
};

constexpr int kInputCount = 16;
