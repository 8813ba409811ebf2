#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "core/app_state.h"
#include "view/render.h"

// The pixel at (x, y) as 0xAARRGGBB; three channels read as opaque.
static uint32_t pixel(const PixelBuffer& b, LONG x, LONG y) {
    uint32_t value = b.channels == 3 ? 0xFF000000u : 0;
    std::memcpy(&value, b.data + y * b.stride + x * b.channels, static_cast<size_t>(b.channels));
    return value;
}

TEST(View, FrameShowsTheWindowStatePictureSitsInPlaceAndOnlyHeldInputsAreTinted) {
    // Controller 2's frame 0xFF608DDE, and 3/4 of its highlight 0xFF0F5FFF added to each channel,
    // or of the paused grey 0xFFA0A0A0; red before a program out of reach.
    const uint32_t picture = 0xFF105010, tinted = 0xFF1B97CF, grey = 0xFF88C888;
    auto inside = [](const RECT& r, LONG x, LONG y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    // Active, paused by the switch or by the program in front's Pause Here, a program in front,
    // out of reach, and the frame and tint.
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t> rows[] = {
        {0, 0, 0, 0, 0, 0xFFB1BBBD, tinted}, {1, 0, 0, 1, 0, 0xFF608DDE, tinted},
        {1, 1, 0, 0, 0, 0xFF608DDE, grey}, {1, 0, 1, 1, 0, 0xFF608DDE, grey},
        {1, 0, 1, 0, 0, 0xFF608DDE, tinted}, {0, 0, 0, 1, 1, 0xFFC42B1C, tinted},
        {0, 1, 1, 1, 1, 0xFFC42B1C, grey}, {1, 0, 0, 0, 1, 0xFF608DDE, tinted}};
    // clang-format on
    for (const auto& [active, paused, pauseHere, inFront, unreachable, frame, lit] : rows) {
        AppState s;
        publishAppState(&s);
        s.canvasBuffer.create(kViewWidth, kViewHeight, 4);
        s.pictureBuffer.create(484, 175, 4);
        s.pictureBuffer.fillRect({0, 0, 484, 175}, picture);
        std::tie(s.windowActive, s.paused, s.program.pauseHere, s.programInFront,
                 s.programUnreachable) = std::tie(active, paused, pauseHere, inFront, unreachable);
        s.activeController = 1;
        s.inputBits = kDpadUp | 0x1 | 0x1000; // Button 13 has no place in the view
        composeView();
        int wrong = 0;
        for (LONG y = 0; y < kViewHeight; ++y) {
            for (LONG x = 0; x < kViewWidth; ++x) {
                const bool held = inside(s.layoutRects[0], x, y) || inside(s.layoutRects[4], x, y);
                const uint32_t want =
                    !inside(s.layoutRects[kPicturePlace], x, y) ? frame : (held ? lit : picture);
                wrong += pixel(s.canvasBuffer, x, y) != want;
            }
        }
        EXPECT_EQ(wrong, 0) << active << paused << pauseHere << inFront << unreachable;
    }
}

TEST(View, ScaledCopyComesFromInsideTheSourceBottomUpWithEachPixelAsAScaleSquare) {
    EXPECT_FALSE(canCopyScaled(PixelBuffer(), {0, 0, 1, 1}));
    const RECT outsideOrEmpty[] = {
        {-1, 0, 2, 2}, {0, 0, 4, 2}, {0, 0, 3, 3}, {2, 0, 2, 2}, {0, 1, 3, 1}};
    for (int32_t channels : {3, 4}) {
        for (int32_t scale = 1; scale <= 5; ++scale) {
            PixelBuffer source;
            source.create(3, 2, channels);
            std::iota(source.data, source.data + source.byteSize, uint8_t{1});
            for (const RECT& rect : outsideOrEmpty) {
                EXPECT_FALSE(canCopyScaled(source, rect)) << rect.left << "," << rect.top;
            }
            ASSERT_TRUE(canCopyScaled(source, {1, 0, 3, 2}));
            const int32_t width = 2 * scale;
            std::vector<uint32_t> out(static_cast<size_t>(width * width));
            writeScaledView(reinterpret_cast<uint8_t*>(out.data()), source, {1, 0, 3, 2}, scale);
            for (int32_t i = 0; i < width * width; ++i) {
                EXPECT_EQ(out[i], pixel(source, 1 + i % width / scale, 1 - i / width / scale))
                    << channels << " channels at scale " << scale << ", pixel " << i;
            }
        }
    }
}

TEST(PixelBuffer, ExpandingGivesOpaqueFourChannelPixelsAndAnEmptyBufferOneClearedPixel) {
    const std::tuple<int32_t, const char*, const char*> rows[] = {
        {3, "\1\2\3\4\5\6", "\1\2\3\xFF\4\5\6\xFF"}, {1, "\7\x09", "\7\7\7\xFF\x09\x09\x09\xFF"}};
    for (const auto& [channels, from, to] : rows) {
        PixelBuffer b;
        b.create(2, 1, channels);
        std::memcpy(b.data, from, b.byteSize);
        b.expandToFourChannels();
        EXPECT_EQ(std::string(reinterpret_cast<char*>(b.data), b.byteSize), to) << channels;
    }
    PixelBuffer empty;
    EXPECT_EQ(empty.expandToFourChannels(), kStatusOk);
    EXPECT_EQ(
        std::tuple(empty.status, empty.width * empty.height, empty.channels, pixel(empty, 0, 0)),
        std::tuple(0, 1u, 4, 0u));
}
