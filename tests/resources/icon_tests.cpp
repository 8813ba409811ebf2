#include <gtest/gtest.h>

#include <vector>

#include "tests/resources/resource_file.h"
#include "tools/icon_art.h"
#include "tools/tavlor_icon.h"

namespace {

uint32_t read16(const std::vector<uint8_t>& f, size_t at) {
    return static_cast<uint32_t>(f[at] | f[at + 1] << 8);
}

uint32_t read32(const std::vector<uint8_t>& f, size_t at) {
    return read16(f, at) | read16(f, at + 2) << 16;
}

uint32_t maskStride(uint32_t size) {
    return (size + 31) / 32 * 4;
}

const std::vector<uint8_t>& committedIcon() {
    static const std::vector<uint8_t> file = readResourceFile("tavlor.ico");
    return file;
}

TEST(TavlorIcon, MatchesCommittedResource) {
    ASSERT_FALSE(committedIcon().empty());
    EXPECT_EQ(firstDifference(committedIcon(), buildTavlorIcon()), -1)
        << "regenerate resources/tavlor.ico with draw_icon";
}

TEST(TavlorIcon, DirectoryListsFourDibImages) {
    const std::vector<uint8_t>& f = committedIcon();
    ASSERT_GE(f.size(), 6u + 4u * 16u);
    EXPECT_EQ(read16(f, 0), 0u);
    EXPECT_EQ(read16(f, 2), 1u);
    ASSERT_EQ(read16(f, 4), 4u);
    const uint32_t sizes[4] = {16, 32, 48, 256};
    uint32_t end = 6 + 4 * 16;
    for (int i = 0; i < 4; ++i) {
        uint32_t s = sizes[i];
        SCOPED_TRACE(s);
        size_t entry = 6 + 16 * static_cast<size_t>(i);
        EXPECT_EQ(f[entry], s % 256) << "width";
        EXPECT_EQ(f[entry + 1], s % 256) << "height";
        EXPECT_EQ(read16(f, entry + 4), 1u) << "planes";
        EXPECT_EQ(read16(f, entry + 6), 32u) << "bits per pixel";
        uint32_t bytes = read32(f, entry + 8);
        uint32_t offset = read32(f, entry + 12);
        EXPECT_EQ(bytes, 40 + s * s * 4 + maskStride(s) * s);
        ASSERT_EQ(offset, end) << "images follow the directory in order";
        ASSERT_LE(uint64_t{offset} + bytes, f.size());
        EXPECT_EQ(read32(f, offset), 40u) << "header size";
        EXPECT_EQ(read32(f, offset + 4), s);
        EXPECT_EQ(read32(f, offset + 8), 2 * s) << "colour and mask";
        EXPECT_EQ(read16(f, offset + 14), 32u);
        EXPECT_EQ(read32(f, offset + 16), 0u) << "uncompressed";
        end = offset + bytes;
    }
    EXPECT_EQ(end, f.size());
}

// The mask of the 16-pixel image marks the transparent corner but not the body's centre.
TEST(TavlorIcon, MaskFollowsTransparency) {
    const std::vector<uint8_t>& f = committedIcon();
    ASSERT_GE(f.size(), 6u + 16u);
    uint32_t mask = read32(f, 6 + 12) + 40 + 16 * 16 * 4;
    ASSERT_LE(mask + 16 * 4, f.size());
    uint32_t bottomRow = mask;         // rows run bottom first, 4 bytes each
    uint32_t middleRow = mask + 7 * 4; // row 8 from the top
    EXPECT_NE(f[bottomRow] & 0x80, 0) << "bottom left is transparent";
    EXPECT_EQ(f[middleRow + 1] & 0x80, 0) << "x 8 is opaque";
}

TEST(TavlorIcon, GamepadSitsOnTransparentBackground) {
    for (int32_t size : kIconSizes) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> px(static_cast<size_t>(size * size * 4));
        drawIcon(size, px.data());
        auto alpha = [&](int32_t x, int32_t y) { return px[(y * size + x) * 4 + 3]; };
        int32_t last = size - 1;
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(last, 0), 0);
        EXPECT_EQ(alpha(0, last), 0);
        EXPECT_EQ(alpha(last, last), 0);
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << "body";
        EXPECT_EQ(alpha(size / 2, size * 7 / 8), 0) << "gap between the grips";
        EXPECT_EQ(alpha(size / 4, size * 5 / 8), 255) << "left grip";
        EXPECT_EQ(alpha(size - 1 - size / 4, size * 5 / 8), 255) << "right grip";
    }
}

} // namespace
