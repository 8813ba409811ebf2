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

// Rectangles against a 6 x 5 buffer.
const RECT kClipCases[] = {
    {1, 1, 4, 3},                                 // inside
    {-2, -3, 2, 2},                               // over the top-left corner
    {-1, 0, 2, 2},                                // one column left of the buffer
    {2, 3, 7, 6},                                 // one past the right and bottom edges
    {4, 3, 9, 8},                                 // over the bottom-right corner
    {-5, 2, 20, 3},                               // a row beyond both sides
    {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, // everything
    {6, 0, 9, 5},                                 // right of the buffer
    {0, 5, 6, 9},                                 // below it
    {-4, -4, 0, 0},                               // above and left, touching the corner
    {3, 1, 3, 4},                                 // zero width
    {4, 4, 2, 2},                                 // inverted
};

// Runs the operation on a patterned 6 x 5 buffer for every rectangle above: if
// it applies to the channel count, each byte inside the rectangle becomes
// expected(old byte, channel); every other byte stays as it was.
template <typename Expected>
void expectOnlyRectChanged(int32_t channels, bool applies, Expected expected,
                           void (*operation)(PixelBuffer&, const RECT&)) {
    for (const RECT& r : kClipCases) {
        SCOPED_TRACE(testing::Message() << channels << " channels, rect " << r.left << "," << r.top
                                        << "," << r.right << "," << r.bottom);
        PixelBuffer b;
        ASSERT_EQ(b.create(6, 5, channels), 0);
        fillPattern(b, 3);
        std::vector<uint8_t> before = bytesOf(b);
        operation(b, r);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) {
                for (int c = 0; c < channels; ++c) {
                    size_t i = size_t((y * 6 + x) * channels + c);
                    uint8_t want = applies && inside(r, x, y) ? expected(before[i], c) : before[i];
                    ASSERT_EQ(b.data[i], want) << "pixel " << x << "," << y << " channel " << c;
                }
            }
        }
    }
}

// The highlight tint: scales 1, offsets three quarters of the highlight's blue,
// green and red, and 255.5 for alpha.
void buildTint(uint8_t* table, uint32_t highlight) {
    const float scales[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float offsets[4] = {0.75f * float(highlight & 0xFF),
                              0.75f * float((highlight >> 8) & 0xFF),
                              0.75f * float((highlight >> 16) & 0xFF), 255.5f};
    buildChannelLut(table, scales, offsets, 4);
}

} // namespace

TEST(PixelBufferCreate, ClampsSizeAndChannelCount) {
    struct {
        Size asked, made;
    } cases[] = {
        {{0, 0, 0}, {1, 1, 1}}, {{-7, -1, -3}, {1, 1, 1}},      {{3, 2, 9}, {3, 2, 4}},
        {{5, 1, 2}, {5, 1, 2}}, {{65535, 1, 4}, {65535, 1, 4}},
    };
    for (const auto& c : cases) {
        PixelBuffer b;
        EXPECT_EQ(b.create(c.asked.width, c.asked.height, c.asked.channels), 0);
        EXPECT_EQ(b.status, 0);
        EXPECT_NE(b.data, nullptr);
        expectGeometry(b, c.made);
    }
}

TEST(PixelBufferCreate, SizeOutOfRangeChangesOnlyTheStatus) {
    PixelBuffer b;
    ASSERT_EQ(b.create(10, 20, 3), 0);
    fillPattern(b, 1);
    std::vector<uint8_t> before = bytesOf(b);
    uint8_t* storage = b.data;
    // 32,768 x 32,768 x 4 is 2^32 bytes, which a 32-bit product would take for 0.
    const Size cases[] = {{65536, 1, 1},     {1, 65536, 1},     {INT32_MAX, 1, 1},
                          {65535, 65535, 1}, {32768, 32769, 1}, {32768, 32768, 4}};
    for (const Size& s : cases) {
        EXPECT_EQ(b.create(s.width, s.height, s.channels), 33);
        EXPECT_EQ(b.status, 33);
        EXPECT_EQ(b.data, storage);
        expectGeometry(b, {10, 20, 3});
        EXPECT_EQ(bytesOf(b), before);
    }
}

TEST(PixelBufferCreate, ExactlyTwoToTheThirtyBytesIsAllowed) {
    PixelBuffer b;
    ASSERT_EQ(b.create(32768, 32768, 1), 0);
    EXPECT_EQ(b.byteSize, 1u << 30);
    uint8_t* storage = b.data;
    EXPECT_EQ(b.create(16384, 16384, 4), 0);
    EXPECT_EQ(b.data, storage);
}

TEST(PixelBufferCreate, SameByteSizeKeepsTheStorageAndItsBytes) {
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
}

TEST(PixelBufferCreate, OtherByteSizeGetsStorageOfExactlyThatSize) {
    PixelBuffer b;
    ASSERT_EQ(b.create(10, 20, 3), 0);
    for (Size s : {Size{5, 5, 3}, Size{40, 40, 4}, Size{1, 1, 1}}) {
        EXPECT_EQ(b.create(s.width, s.height, s.channels), 0);
        expectGeometry(b, s);
        fillPattern(b, 0); // the sanitizer objects if the storage is short
    }
    b.release();
    EXPECT_EQ(b.data, nullptr);
    expectGeometry(b, {0, 0, 0});
}

TEST(PixelBufferExpand, OneAndThreeChannelsBecomeOpaqueBlueGreenRed) {
    for (int32_t channels : {1, 3}) {
        PixelBuffer b;
        ASSERT_EQ(b.create(5, 3, channels), 0);
        fillPattern(b, 9);
        std::vector<uint8_t> before = bytesOf(b);
        EXPECT_EQ(b.expandToFourChannels(), 0);
        EXPECT_EQ(b.status, 0);
        expectGeometry(b, {5, 3, 4});
        for (int p = 0; p < 15; ++p) {
            const uint8_t* in = &before[size_t(p * channels)];
            const uint8_t* out = b.data + p * 4;
            EXPECT_EQ(out[0], in[0]) << channels << " channels, pixel " << p;
            EXPECT_EQ(out[1], in[channels == 1 ? 0 : 1]) << channels << " channels, pixel " << p;
            EXPECT_EQ(out[2], in[channels == 1 ? 0 : 2]) << channels << " channels, pixel " << p;
            EXPECT_EQ(out[3], 255) << channels << " channels, pixel " << p;
        }
    }
}

TEST(PixelBufferExpand, FourChannelBufferIsLeftAsItIs) {
    PixelBuffer b;
    ASSERT_EQ(b.create(3, 2, 4), 0);
    fillPattern(b, 2);
    std::vector<uint8_t> before = bytesOf(b);
    uint8_t* storage = b.data;
    ASSERT_EQ(b.create(70000, 1, 1), 33);
    EXPECT_EQ(b.expandToFourChannels(), 0);
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.data, storage);
    expectGeometry(b, {3, 2, 4});
    EXPECT_EQ(bytesOf(b), before);
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
    struct {
        RECT rect;
        int32_t sourceWidth, sourceHeight;
    } cases[] = {
        {{2, 1, 8, 6}, 3, 2},                                 // rectangle larger than the source
        {{1, 1, 3, 3}, 5, 4},                                 // source larger than the rectangle
        {{-2, -1, 4, 4}, 5, 4},                               // over the top-left corner
        {{6, 4, 20, 20}, 5, 4},                               // over the bottom-right corner
        {{0, 0, INT32_MAX, INT32_MAX}, 9, 7},                 // source larger than the buffer
        {{-10, 0, 10, 6}, 5, 4},                              // source wholly left of the buffer
        {{0, -9, 8, 6}, 5, 4},                                // source wholly above
        {{8, 0, 12, 6}, 5, 4},                                // left at the width
        {{0, 6, 8, 9}, 5, 4},                                 // top at the height
        {{3, 2, 3, 5}, 5, 4},                                 // zero width
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 5, 4}, // source far away
    };
    for (int32_t channels : {1, 3, 4}) {
        for (const auto& c : cases) {
            const RECT& r = c.rect;
            SCOPED_TRACE(testing::Message() << channels << " channels, rect " << r.left << ","
                                            << r.top << "," << r.right << "," << r.bottom);
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
    ASSERT_EQ(target.create(8, 6, 4), 0);
    fillPattern(target, 0);
    std::vector<uint8_t> before = bytesOf(target);
    for (int32_t channels : {1, 3}) {
        PixelBuffer source;
        ASSERT_EQ(source.create(8, 6, channels), 0);
        fillPattern(source, 100);
        target.copyFrom({0, 0, 8, 6}, source);
        EXPECT_EQ(bytesOf(target), before) << channels << " channels";
    }
}

TEST(ChannelLut, ClampedLinearMapTruncatedPerChannel) {
    const float scales[4] = {2.0f, -1.0f, 0.5f, 1.0f};
    const float offsets[4] = {-10.0f, 300.0f, 0.0f, 0.0f};
    struct {
        int channel, index;
        uint8_t value;
    } cases[] = {
        {0, 0, 0},     {0, 5, 0},     {0, 6, 2},   {0, 100, 190}, {0, 132, 254},
        {0, 133, 255}, {0, 255, 255}, {1, 0, 255}, {1, 45, 255},  {1, 46, 254},
        {1, 255, 45},  {2, 0, 0},     {2, 1, 1},   {2, 254, 127}, {2, 255, 128},
    };
    uint8_t table[4 * 256];
    std::fill(table, table + 4 * 256, uint8_t{0xCD});
    buildChannelLut(table, scales, offsets, 3);
    for (const auto& c : cases) {
        EXPECT_EQ(table[c.channel * 256 + c.index], c.value)
            << "channel " << c.channel << ", entry " << c.index;
    }
    EXPECT_TRUE(std::all_of(table + 768, table + 1024, [](uint8_t v) { return v == 0xCD; }));

    for (int32_t channels : {0, -1}) {
        std::fill(table, table + 4 * 256, uint8_t{0xCD});
        buildChannelLut(table, scales, offsets, channels);
        EXPECT_TRUE(std::all_of(table, table + 1024, [](uint8_t v) { return v == 0xCD; }));
    }
}

// Every entry, so also the picture's typical pixels: a lit face (181, 188, 189)
// becomes (181, 255, 189) on controller 1 and (192, 255, 255) on controller 2,
// a rim pixel (77, 80, 80) becomes (77, 255, 80), the background (40, 41, 41)
// becomes (40, 232, 41).
TEST(ChannelLut, TintAddsThreeQuartersOfTheHighlightSaturatingAndMakesAlphaOpaque) {
    struct {
        uint32_t highlight;
        int addRed, addGreen, addBlue;
    } controllers[] = {
        {0xFF00FF00, 0, 191, 0},  {0xFF0F5FFF, 11, 71, 191}, {0xFFFF0000, 191, 0, 0},
        {0xFFFF7F00, 191, 95, 0}, {0xFF6F00FF, 83, 0, 191},
    };
    for (const auto& k : controllers) {
        uint8_t table[4 * 256];
        buildTint(table, k.highlight);
        const int adds[4] = {k.addBlue, k.addGreen, k.addRed, 0};
        for (int c = 0; c < 4; ++c) {
            for (int v = 0; v < 256; ++v) {
                int want = c == 3 ? 255 : std::min(255, v + adds[c]);
                ASSERT_EQ(table[c * 256 + v], want)
                    << std::hex << k.highlight << std::dec << " channel " << c << " value " << v;
            }
        }
    }
}
