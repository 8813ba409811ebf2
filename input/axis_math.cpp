#include "input/axis_math.h"

#include "core/app_state.h"

float normaliseAxis(uint32_t position, float min, float max) {
    if (!(max > min)) {
        return 0.0f;
    }
    float value = (static_cast<float>(position) - min) / (max - min) * 2.0f - 1.0f;
    if (!(value >= -1.0f)) {
        return -1.0f;
    }
    return value > 1.0f ? 1.0f : value;
}

float applyCurve(float value) {
    return value * value * (value < 0.0f ? -1.0f : 1.0f);
}

namespace {

struct HatSector {
    uint32_t bit;
    uint32_t from;
    uint32_t to;
};

// Up wraps through north, so it has two ranges.
constexpr HatSector kHatSectors[] = {
    {kDpadUp, 29250, 35900},   {kDpadUp, 0, 6750},        {kDpadRight, 2250, 15750},
    {kDpadDown, 11250, 24750}, {kDpadLeft, 20250, 33750},
};

constexpr float kStickThreshold = 0.9f;

} // namespace

uint32_t hatDirections(uint32_t pov) {
    uint32_t bits = 0;
    for (const HatSector& sector : kHatSectors) {
        if (pov >= sector.from && pov <= sector.to) {
            bits |= sector.bit;
        }
    }
    return bits;
}

uint32_t stickDirections(float x, float y) {
    uint32_t bits = 0;
    if (y < -kStickThreshold) {
        bits |= kDpadUp;
    }
    if (y > kStickThreshold) {
        bits |= kDpadDown;
    }
    if (x < -kStickThreshold) {
        bits |= kDpadLeft;
    }
    if (x > kStickThreshold) {
        bits |= kDpadRight;
    }
    return bits;
}

InputEdges computeEdges(uint32_t previous, uint32_t current) {
    uint32_t changed = previous ^ current;
    return {changed, current & changed, previous & changed};
}
