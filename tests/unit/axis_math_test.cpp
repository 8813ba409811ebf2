#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/app_state.h"
#include "input/axis_math.h"

TEST(AxisMath, AxesReadExactlyOneAtTheRangeEndsAndCentredOnEmptyRanges) {
    // clang-format off
    const std::tuple<uint32_t, float, float, float> rows[] = {
        {0, 0, 65535, -1.0f}, {65535, 0, 65535, 1.0f}, {100, 100, 300, -1.0f}, {300, 100, 300, 1.0f},
        {200, 100, 300, 0.0f}, {70000, 0, 65535, 1.0f}, {5, 100, 300, -1.0f}, {7, 50, 50, 0.0f},
        {7, 0, 0, 0.0f}, {7, 300, 100, 0.0f}, {7, NAN, 10, 0.0f}, {0xFFFFFFFF, 0, 1, 1.0f}};
    // clang-format on
    for (const auto& [position, min, max, expected] : rows) {
        const float value = normaliseAxis(position, min, max);
        EXPECT_TRUE(std::isfinite(value) && value == expected) << position << " reads " << value;
    }
}

TEST(AxisMath, HatSectorsOverlapOnTheDiagonalsAndTheStickCountsOnlyBeyondNineTenths) {
    const uint32_t U = kDpadUp, R = kDpadRight, D = kDpadDown, L = kDpadLeft;
    // clang-format off
    const std::pair<uint32_t, uint32_t> rows[] = {
        {0, U}, {2249, U}, {4500, U | R}, {6751, R}, {9000, R}, {15750, R | D}, {15751, D},
        {22500, D | L}, {27000, L}, {31500, L | U}, {35900, U}, {35901, 0}, {65535, 0}};
    // clang-format on
    for (const auto& [pov, bits] : rows) {
        EXPECT_EQ(hatDirections(pov), bits) << pov;
    }
    // Without a hat the stick gives the directions, only beyond nine tenths.
    const float beyond = std::nextafter(0.9f, 1.0f);
    EXPECT_EQ(stickDirections(-0.9f, -0.9f) | stickDirections(0.9f, 0.9f), 0u);
    EXPECT_EQ(stickDirections(-beyond, -beyond), kDpadLeft | kDpadUp);
    EXPECT_EQ(stickDirections(beyond, beyond), kDpadRight | kDpadDown);
}
