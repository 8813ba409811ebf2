#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "view/pixel_buffer.h"

namespace {

struct Size {
    int32_t width, height, channels;
};

void expectGeometry(const PixelBuffer& b, Size s) {
    EXPECT_EQ(b.width, uint32_t(s.width));
    EXPECT_EQ(b.height, uint32_t(s.height));
    EXPECT_EQ(b.channels, s.channels);
    EXPECT_EQ(b.stride, s.width * s.channels);
    EXPECT_EQ(b.byteSize, uint32_t(s.width * s.height * s.channels));
    EXPECT_EQ(b.capacity, b.byteSize);
}

// Neighbouring bytes differ, so a shifted, swapped or skipped byte shows.
void fillPattern(PixelBuffer& b, uint8_t seed) {
    for (uint32_t i = 0; i < b.byteSize; ++i) {
        b.data[i] = uint8_t(seed + i * 7);
    }
}

std::vector<uint8_t> bytesOf(const PixelBuffer& b) {
    return {b.data, b.data + b.byteSize};
}

bool inside(const RECT& r, int64_t x, int64_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Runs the operation on a patterned 6 x 5 buffer for rectangles inside, across
// and outside its edges: if it applies to the channel count, each byte inside
// the rectangle becomes expected(old byte, channel); every other byte stays.
template <typename Expected>
void expectOnlyRectChanged(int32_t channels, bool applies, Expected expected,
                           void (*operation)(PixelBuffer&, const RECT&)) {
    // Inside, across the edges, over everything, beside and below, zero width, inverted.
    const RECT kAll = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    const RECT rects[] = {{1, 1, 4, 3}, {-2, -3, 2, 2}, {2, 3, 7, 6}, {-5, 2, 20, 3}, kAll,
                          {6, 0, 9, 5}, {0, 5, 6, 9},   {3, 1, 3, 4}, {4, 4, 2, 2}};
    for (const RECT& r : rects) {
        SCOPED_TRACE(testing::Message() << channels << " channels, rect " << r.left << "," << r.top
                                        << "," << r.right << "," << r.bottom);
        PixelBuffer b;
        ASSERT_EQ(b.create(6, 5, channels), 0);
        fillPattern(b, 3);
        std::vector<uint8_t> before = bytesOf(b);
        operation(b, r);
        for (int i = 0; i < 6 * 5 * channels; ++i) {
            int pixel = i / channels;
            bool changes = applies && inside(r, pixel % 6, pixel / 6);
            ASSERT_EQ(b.data[i], changes ? expected(before[i], i % channels) : before[i])
                << "pixel " << pixel % 6 << "," << pixel / 6 << " channel " << i % channels;
        }
    }
}

} // namespace

// Sizes below 1 count as 1 and channels are 1 to 4; a size beyond 65535 on a side
// or 2^30 bytes (2^32 would wrap to 0 in 32 bits) changes nothing but the status.
TEST(PixelBufferCreate, ClampsTheSizeOrRejectsItLeavingTheBufferAsItWas) {
    PixelBuffer b;
    ASSERT_EQ(b.create(10, 20, 3), 0);
    fillPattern(b, 1);
    const std::vector<uint8_t> before = bytesOf(b);
    uint8_t* storage = b.data;
    const Size rejected[] = {{65536, 1, 1}, {1, 65536, 1}, {32768, 32769, 1}, {32768, 32768, 4}};
    for (const Size& s : rejected) {
        EXPECT_EQ(b.create(s.width, s.height, s.channels), 33);
        EXPECT_EQ(b.status, 33);
        EXPECT_EQ(b.data, storage);
        expectGeometry(b, {10, 20, 3});
        EXPECT_EQ(bytesOf(b), before);
    }
    const Size clamped[][2] = {{{0, 0, 0}, {1, 1, 1}},
                               {{-7, -1, -3}, {1, 1, 1}},
                               {{3, 2, 9}, {3, 2, 4}},
                               {{65535, 1, 4}, {65535, 1, 4}}};
    for (const auto& [asked, made] : clamped) {
        EXPECT_EQ(b.create(asked.width, asked.height, asked.channels), 0);
        EXPECT_EQ(b.status, 0);
        expectGeometry(b, made);
    }
}

TEST(PixelBufferCreate, StorageIsKeptForTheSameByteSizeUpToTwoToTheThirty) {
    PixelBuffer b;
    ASSERT_EQ(b.create(10, 20, 3), 0);
    fillPattern(b, 5);
    std::vector<uint8_t> before = bytesOf(b);
    uint8_t* storage = b.data;
    for (Size s : {Size{20, 10, 3}, Size{30, 20, 1}, Size{5, 30, 4}}) {
        EXPECT_EQ(b.create(s.width, s.height, s.channels), 0);
        expectGeometry(b, s);
        EXPECT_EQ(b.data, storage);
        EXPECT_EQ(bytesOf(b), before);
    }
    // Another size gets storage of exactly that size; the sanitizer objects if it is short.
    for (Size s : {Size{40, 40, 4}, Size{1, 1, 1}}) {
        EXPECT_EQ(b.create(s.width, s.height, s.channels), 0);
        expectGeometry(b, s);
        fillPattern(b, 0);
    }
    ASSERT_EQ(b.create(32768, 32768, 1), 0);
    storage = b.data;
    EXPECT_EQ(b.create(16384, 16384, 4), 0);
    EXPECT_EQ(b.data, storage);
    b.release();
    EXPECT_EQ(b.data, nullptr);
    expectGeometry(b, {0, 0, 0});
}

TEST(PixelBufferExpand, OneAndThreeChannelsBecomeOpaqueBlueGreenRed) {
    for (int32_t channels : {1, 3, 4}) {
        PixelBuffer b;
        ASSERT_EQ(b.create(5, 3, channels), 0);
        fillPattern(b, 9);
        std::vector<uint8_t> before = bytesOf(b);
        EXPECT_EQ(b.expandToFourChannels(), 0);
        EXPECT_EQ(b.status, 0);
        expectGeometry(b, {5, 3, 4});
        if (channels == 4) {
            EXPECT_EQ(bytesOf(b), before);
            continue;
        }
        for (int p = 0; p < 15; ++p) {
            const uint8_t* in = &before[size_t(p * channels)];
            const uint8_t want[4] = {in[0], in[channels == 1 ? 0 : 1], in[channels == 1 ? 0 : 2],
                                     255};
            EXPECT_TRUE(std::equal(want, want + 4, b.data + p * 4))
                << channels << " channels, pixel " << p;
        }
    }
}

TEST(PixelBufferFill, FillsOnlyThePartInsideTheBuffer) {
    // Blue 0x44, green 0x33, red 0x22, alpha 0x11; one channel takes the blue byte.
    auto fill = [](PixelBuffer& b, const RECT& r) { b.fillRect(r, 0x11223344u); };
    auto colour = [](uint8_t, int c) { return uint8_t(0x44 - 0x11 * c); };
    for (int32_t channels : {1, 2, 3, 4}) {
        expectOnlyRectChanged(channels, channels != 2, colour, fill);
    }
}

TEST(PixelBufferLut, MapsEachChannelThroughItsOwnTableInsideTheBuffer) {
    auto apply = [](PixelBuffer& b, const RECT& r) {
        static uint8_t table[4 * 256];
        for (int i = 0; i < 4 * 256; ++i) {
            table[i] = uint8_t((i % 256) * 3 + 40 * (i / 256) + 1);
        }
        b.applyLut(r, table);
    };
    auto mapped = [](uint8_t v, int c) { return uint8_t(v * 3 + 40 * c + 1); };
    for (int32_t channels : {1, 2, 3, 4}) {
        expectOnlyRectChanged(channels, channels >= 3, mapped, apply);
    }
}

TEST(PixelBufferCopy, PlacesTheSourceTopLeftAtTheRectangleAndClipsToBoth) {
    const struct {
        RECT rect;
        int32_t sourceWidth, sourceHeight;
    } cases[] = {
        {{2, 1, 8, 6}, 3, 2},                 // rectangle larger than the source
        {{1, 1, 3, 3}, 5, 4},                 // source larger than the rectangle
        {{-2, -1, 4, 4}, 5, 4},               // over the top-left corner
        {{6, 4, 20, 20}, 5, 4},               // over the bottom-right corner
        {{0, 0, INT32_MAX, INT32_MAX}, 9, 7}, // source larger than the buffer
        {{-10, 0, 10, 6}, 5, 4},              // source wholly left of the buffer
        {{8, 0, 12, 6}, 5, 4},                // left at the width
        {{3, 2, 3, 5}, 5, 4},                 // zero width
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 5, 4},
    };
    for (int32_t channels : {1, 4}) {
        for (const auto& c : cases) {
            const RECT& r = c.rect;
            SCOPED_TRACE(testing::Message() << channels << " channels, case " << (&c - cases));
            PixelBuffer target;
            PixelBuffer source;
            ASSERT_EQ(target.create(8, 6, channels), 0);
            ASSERT_EQ(source.create(c.sourceWidth, c.sourceHeight, channels), 0);
            fillPattern(target, 0);
            fillPattern(source, 100);
            std::vector<uint8_t> before = bytesOf(target);
            target.copyFrom(r, source);
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 8; ++x) {
                    int64_t sx = x - int64_t(r.left);
                    int64_t sy = y - int64_t(r.top);
                    bool copied = inside(r, x, y) && sx < c.sourceWidth && sy < c.sourceHeight;
                    const uint8_t* want = copied
                                              ? source.data + (sy * c.sourceWidth + sx) * channels
                                              : &before[size_t((y * 8 + x) * channels)];
                    const uint8_t* got = target.data + (y * 8 + x) * channels;
                    ASSERT_TRUE(std::equal(got, got + channels, want)) << "pixel " << x << "," << y;
                }
            }
        }
    }
}

TEST(PixelBufferCopy, DifferentChannelCountsCopyNothing) {
    PixelBuffer target;
    PixelBuffer source;
    ASSERT_EQ(target.create(8, 6, 4), 0);
    ASSERT_EQ(source.create(8, 6, 3), 0);
    fillPattern(target, 0);
    fillPattern(source, 100);
    std::vector<uint8_t> before = bytesOf(target);
    target.copyFrom({0, 0, 8, 6}, source);
    EXPECT_EQ(bytesOf(target), before);
}

// T[k*256 + j] = j * scale + offset + 0.5, truncated and clamped to 0..255.
TEST(ChannelLut, ClampedLinearMapTruncatedPerChannel) {
    const float scales[4] = {2.0f, -1.0f, 0.5f, 1.0f};
    const float offsets[4] = {-10.0f, 300.0f, 0.0f, 0.0f};
    const int cases[][3] = {
        // channel, index, value
        {0, 5, 0},    {0, 6, 2},    {0, 132, 254}, {0, 133, 255}, {1, 45, 255},
        {1, 46, 254}, {1, 255, 45}, {2, 0, 0},     {2, 1, 1},     {2, 255, 128},
    };
    uint8_t table[4 * 256];
    std::fill(table, table + 4 * 256, uint8_t{0xCD});
    buildChannelLut(table, scales, offsets, 3);
    for (const auto& [channel, index, value] : cases) {
        EXPECT_EQ(table[channel * 256 + index], value) << "channel " << channel << ", " << index;
    }
    EXPECT_TRUE(std::all_of(table + 768, table + 1024, [](uint8_t v) { return v == 0xCD; }));
}
