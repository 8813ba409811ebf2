#include "test_support.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "input/axis_math.h"

namespace {

constexpr uint32_t kUp = kDpadUp;
constexpr uint32_t kDown = kDpadDown;
constexpr uint32_t kLeft = kDpadLeft;
constexpr uint32_t kRight = kDpadRight;

TEST(NormaliseAxis, MapsTheRangeOntoMinusOneToOne) {
    struct Case {
        uint32_t position;
        float min, max;
        float expected;
    };
    const Case cases[] = {
        {0, 0.0f, 65535.0f, -1.0f},
        {65535, 0.0f, 65535.0f, 1.0f},
        {2000, 1000.0f, 3000.0f, 0.0f},
        {1000, 1000.0f, 3000.0f, -1.0f},
        {3000, 1000.0f, 3000.0f, 1.0f},
        {1500, 1000.0f, 3000.0f, -0.5f},
        {2500, 1000.0f, 3000.0f, 0.5f},
        {0, 1000.0f, 3000.0f, -1.0f},
        {999, 1000.0f, 3000.0f, -1.0f},
        {3001, 1000.0f, 3000.0f, 1.0f},
        {0xFFFFFFFFu, 0.0f, 65535.0f, 1.0f},
        {0xFFFFFFFFu, 0.0f, 0.0f, 0.0f},
        {7, 7.0f, 7.0f, 0.0f},
        {5, 0.0f, 0.0f, 0.0f},
        {2000, 3000.0f, 1000.0f, 0.0f},
        {0, 65535.0f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        // Exact on purpose: the ends of the range must reach the ends of the scale.
        EXPECT_EQ(normaliseAxis(c.position, c.min, c.max), c.expected)
            << c.position << " in " << c.min << ".." << c.max;
    }
}

TEST(NormaliseAxis, IsAlwaysFiniteAndWithinRange) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float bounds[] = {-inf, -1.0f, 0.0f, 1.0f, 1000.0f, 65535.0f, 4294967295.0f, inf, nan};
    const uint32_t positions[] = {0, 1, 32767, 65535, 0x80000000u, 0xFFFFFFFFu};
    for (float min : bounds) {
        for (float max : bounds) {
            for (uint32_t position : positions) {
                float value = normaliseAxis(position, min, max);
                EXPECT_TRUE(std::isfinite(value)) << position << " in " << min << ".." << max;
                EXPECT_GE(value, -1.0f) << position << " in " << min << ".." << max;
                EXPECT_LE(value, 1.0f) << position << " in " << min << ".." << max;
            }
        }
    }
}

TEST(ApplyCurve, SquaresTheMagnitudeAndKeepsTheSign) {
    const float cases[][2] = {
        {0.0f, 0.0f},   {0.5f, 0.25f}, {-0.5f, -0.25f}, {1.0f, 1.0f},
        {-1.0f, -1.0f}, {0.9f, 0.81f}, {-0.9f, -0.81f}, {0.1f, 0.01f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(applyCurve(c[0]), c[1]) << c[0];
    }
}

TEST(HatDirections, EachDirectionCoversItsSectorWithBounds) {
    // {angle, directions}
    const uint32_t cases[][2] = {
        {0, kUp},
        {2249, kUp},
        {2250, kUp | kRight},
        {4500, kUp | kRight},
        {6750, kUp | kRight},
        {6751, kRight},
        {9000, kRight},
        {11249, kRight},
        {11250, kRight | kDown},
        {13500, kRight | kDown},
        {15750, kRight | kDown},
        {15751, kDown},
        {18000, kDown},
        {20249, kDown},
        {20250, kDown | kLeft},
        {22500, kDown | kLeft},
        {24750, kDown | kLeft},
        {24751, kLeft},
        {27000, kLeft},
        {29249, kLeft},
        {29250, kLeft | kUp},
        {31500, kLeft | kUp},
        {33750, kLeft | kUp},
        {33751, kUp},
        {35900, kUp},
        {35901, 0},
        {35950, 0},
        {36000, 0},
        {JOY_POVCENTERED, 0},
        {0xFFFFFFFFu, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hatDirections(c[0]), c[1]) << "pov " << c[0];
    }
}

TEST(StickDirections, NeedsAValueBeyondPointNine) {
    const float below = std::nextafter(-0.9f, -1.0f);
    const float above = std::nextafter(0.9f, 1.0f);
    const struct {
        float x, y;
        uint32_t expected;
    } cases[] = {{0.0f, 0.0f, 0},
                 {0.0f, -0.9f, 0},
                 {0.0f, 0.9f, 0},
                 {-0.9f, 0.0f, 0},
                 {0.9f, 0.0f, 0},
                 {0.0f, below, kUp},
                 {0.0f, above, kDown},
                 {below, 0.0f, kLeft},
                 {above, 0.0f, kRight},
                 {-1.0f, -1.0f, kUp | kLeft},
                 {1.0f, 1.0f, kDown | kRight},
                 {1.0f, -0.9f, kRight}};
    for (const auto& c : cases) {
        EXPECT_EQ(stickDirections(c.x, c.y), c.expected) << "x " << c.x << " y " << c.y;
    }
}

TEST(ComputeEdges, SplitsTheChangeIntoPressesAndReleases) {
    const struct {
        uint32_t previous, current;
        InputEdges expected;
    } cases[] = {
        {0, 0, {0, 0, 0}},
        {0x1, 0x1, {0, 0, 0}},
        {0, 0x1, {0x1, 0x1, 0}},
        {0x1, 0, {0x1, 0, 0x1}},
        {0x80000003u, 0x10000005u, {0x90000006u, 0x10000004u, 0x80000002u}},
        {0, 0xFFFFFFFFu, {0xFFFFFFFFu, 0xFFFFFFFFu, 0}},
    };
    for (const auto& c : cases) {
        InputEdges edges = computeEdges(c.previous, c.current);
        EXPECT_EQ(edges.changed, c.expected.changed) << c.previous << " -> " << c.current;
        EXPECT_EQ(edges.pressed, c.expected.pressed) << c.previous << " -> " << c.current;
        EXPECT_EQ(edges.released, c.expected.released) << c.previous << " -> " << c.current;
    }
}

} // namespace
