#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/app_state.h"
#include "input/axis_math.h"

TEST(AxisMath, RangeEndsReadExactlyOneAndEmptyRangesReadCentred) {
    const std::tuple<uint32_t, float, float, float> rows[] = {
        {0, 0, 65535, -1.0f},  {65535, 0, 65535, 1.0f}, {100, 100, 300, -1.0f},
        {300, 100, 300, 1.0f}, {200, 100, 300, 0.0f},   {70000, 0, 65535, 1.0f},
        {5, 100, 300, -1.0f},  {7, 50, 50, 0.0f},       {7, 0, 0, 0.0f},
        {7, 300, 100, 0.0f},   {7, NAN, 10, 0.0f},      {0xFFFFFFFF, 0, 1, 1.0f},
    };
    for (const auto& [position, min, max, expected] : rows) {
        float value = normaliseAxis(position, min, max);
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_EQ(value, expected) << position << " in " << min << ".." << max;
    }
}

TEST(AxisMath, CurveSquaresTheMagnitudeAndKeepsTheSign) {
    EXPECT_EQ(std::tuple(applyCurve(-0.5f), applyCurve(0.5f), applyCurve(-1.0f)),
              std::tuple(-0.25f, 0.25f, -1.0f));
}

TEST(AxisMath, HatSectorsOverlapOnTheDiagonals) {
    // clang-format off
    const std::pair<uint32_t, uint32_t> rows[] = {
        {0, kDpadUp}, {2249, kDpadUp}, {4500, kDpadUp | kDpadRight}, {6751, kDpadRight},
        {9000, kDpadRight}, {15750, kDpadRight | kDpadDown}, {15751, kDpadDown},
        {22500, kDpadDown | kDpadLeft}, {27000, kDpadLeft}, {31500, kDpadLeft | kDpadUp},
        {35900, kDpadUp}, {35901, 0}, {65535, 0}};
    // clang-format on
    for (const auto& [pov, bits] : rows) {
        EXPECT_EQ(hatDirections(pov), bits) << pov;
    }
}

TEST(AxisMath, StickGivesADirectionOnlyBeyondNineTenths) {
    const float edge = 0.9f;
    const float beyond = std::nextafter(edge, 1.0f);
    EXPECT_EQ(stickDirections(-edge, -edge) | stickDirections(edge, edge), 0u);
    EXPECT_EQ(stickDirections(0, -beyond), kDpadUp);
    EXPECT_EQ(stickDirections(0, beyond), kDpadDown);
    EXPECT_EQ(stickDirections(-beyond, 0), kDpadLeft);
    EXPECT_EQ(stickDirections(beyond, beyond), kDpadRight | kDpadDown);
}

TEST(AxisMath, EdgesSeparatePressesFromReleases) {
    InputEdges edges = computeEdges(0b0110, 0b0011);
    EXPECT_EQ(std::tie(edges.changed, edges.pressed, edges.released),
              std::tuple(0b0101u, 0b0001u, 0b0100u));
}
