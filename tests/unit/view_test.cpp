#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "view/render.h"

namespace {

bool inside(const RECT& r, LONG x, LONG y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The pixel at (x, y) as 0xAARRGGBB; three channels read as opaque.
uint32_t pixel(const PixelBuffer& b, LONG x, LONG y) {
    uint32_t value = b.channels == 3 ? 0xFF000000u : 0;
    std::memcpy(&value, b.data + y * b.stride + x * b.channels, static_cast<size_t>(b.channels));
    return value;
}

} // namespace

TEST(View, FrameShowsTheWindowStatePictureSitsInPlaceAndOnlyHeldInputsAreTinted) {
    const uint32_t picture = 0xFF102080;
    const uint32_t tinted = 0xFF4098FF; // 3/4 of the highlight 0xFF40A0FF added, saturating
    for (int32_t active : {0, 1}) {
        AppState s;
        publishAppState(&s);
        s.profiles[0].frameColor = 0xFF123456;
        s.profiles[0].highlightColor = 0xFF40A0FF;
        s.canvasBuffer.create(kViewWidth, kViewHeight, 4);
        s.pictureBuffer.create(484, 175, 4);
        s.pictureBuffer.fillRect({0, 0, 484, 175}, picture);
        s.windowActive = active;
        s.inputBits = kDpadUp | 0x1 | 0x1000; // Button 13 has no place in the view
        composeView();
        const uint32_t frame = active != 0 ? 0xFF123456 : 0xFFB1BBBD;
        int wrong = 0;
        for (LONG y = 0; y < kViewHeight; ++y) {
            for (LONG x = 0; x < kViewWidth; ++x) {
                const bool lit = inside(s.layoutRects[0], x, y) || inside(s.layoutRects[4], x, y);
                const uint32_t want =
                    !inside(s.layoutRects[kPicturePlace], x, y) ? frame : (lit ? tinted : picture);
                wrong += pixel(s.canvasBuffer, x, y) != want;
            }
        }
        EXPECT_EQ(std::pair(wrong, s.viewDirty), std::pair(0, 0)) << "active " << active;
    }
}

TEST(View, ScaledRowsGoBottomUpWithEachPixelAsAScaleSquare) {
    for (int32_t channels : {3, 4}) {
        for (int32_t scale = 1; scale <= 5; ++scale) {
            PixelBuffer source;
            source.create(3, 2, channels);
            for (uint32_t i = 0; i < source.byteSize; ++i) {
                source.data[i] = static_cast<uint8_t>(i * 7 + 1);
            }
            const RECT rect = {1, 0, 3, 2};
            ASSERT_TRUE(canCopyScaled(source, rect));
            const int32_t width = 2 * scale;
            std::vector<uint32_t> out(static_cast<size_t>(width * width));
            writeScaledView(reinterpret_cast<uint8_t*>(out.data()), source, rect, scale);
            int wrong = 0;
            for (int32_t i = 0; i < width * width; ++i) {
                wrong += out[i] != pixel(source, 1 + i % width / scale, 1 - i / width / scale);
            }
            EXPECT_EQ(wrong, 0) << channels << " channels at scale " << scale;
        }
    }
}

TEST(View, OnlyNonEmptyRectanglesInsideTheSourceCanBeCopied) {
    PixelBuffer source;
    EXPECT_FALSE(canCopyScaled(source, {0, 0, 1, 1}));
    source.create(3, 2, 4);
    for (const auto& [rect, ok] : {std::pair{RECT{0, 0, 3, 2}, true},
                                   {RECT{2, 1, 3, 2}, true},
                                   {RECT{-1, 0, 2, 2}, false},
                                   {RECT{0, 0, 4, 2}, false},
                                   {RECT{0, 0, 3, 3}, false},
                                   {RECT{2, 0, 2, 2}, false},
                                   {RECT{0, 1, 3, 1}, false}}) {
        EXPECT_EQ(canCopyScaled(source, rect), ok) << rect.left << "," << rect.top;
    }
}

TEST(PixelBuffer, ExpandingGivesOpaqueBgrPixelsAndAnEmptyBufferOneClearedPixel) {
    for (const auto& [channels, from, to] : {std::tuple{3, "\1\2\3\4\5\6", "\1\2\3\xFF\4\5\6\xFF"},
                                             {1, "\7\x09", "\7\7\7\xFF\x09\x09\x09\xFF"}}) {
        PixelBuffer b;
        b.create(2, 1, channels);
        std::memcpy(b.data, from, b.byteSize);
        EXPECT_EQ(b.expandToFourChannels(), kStatusOk);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(b.data), b.byteSize), to) << channels;
    }
    PixelBuffer empty;
    EXPECT_EQ(empty.expandToFourChannels(), kStatusOk);
    EXPECT_EQ(
        std::tuple(empty.status, empty.width, empty.height, empty.channels, pixel(empty, 0, 0)),
        std::tuple(0, 1u, 1u, 4, 0u));
}
