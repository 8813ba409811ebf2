#pragma once
#include <cstdint>

// Integer helpers for the art generators, so that every compiler draws the same bytes.

// The largest r with r * r <= value.
inline uint32_t intSqrt(uint64_t value) {
    uint64_t root = 0;
    uint64_t bit = uint64_t{1} << 62;
    while (bit > value) {
        bit >>= 2;
    }
    while (bit != 0) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<uint32_t>(root);
}

inline int32_t clampInt(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

inline int32_t minInt(int32_t a, int32_t b) {
    return a < b ? a : b;
}
inline int32_t maxInt(int32_t a, int32_t b) {
    return a > b ? a : b;
}
