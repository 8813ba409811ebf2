#pragma once
#include <cstdint>

// Pure helpers of the poll: no state, no Windows calls.

// Maps a raw axis position to -1..+1 over the range min..max. An empty range
// (max not above min) reads as centred, and the result is always finite.
float normaliseAxis(uint32_t position, float min, float max);

// Squares the magnitude and keeps the sign.
float applyCurve(float value);

// D-pad bits from a POV hat angle in hundredths of a degree. Each direction
// covers 135 degrees with its bounds, so a diagonal sets two directions.
uint32_t hatDirections(uint32_t pov);

// D-pad bits from stick values, beyond 0.9 in either direction.
uint32_t stickDirections(float x, float y);

struct InputEdges {
    uint32_t changed;
    uint32_t pressed;
    uint32_t released;
};

InputEdges computeEdges(uint32_t previous, uint32_t current);
