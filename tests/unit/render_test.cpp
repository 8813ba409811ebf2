#include "test_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "view/render.h"
#include "view/view_surface.h"

namespace {

constexpr int kWidth = 494;
constexpr int kHeight = 185;
const HDC kDc = reinterpret_cast<HDC>(0xD00D);

// A distinct, arbitrary 32-bit value for every pixel.
uint32_t patternPixel(int x, int y) {
    return uint32_t(y * 1000 + x + 1) * 2654435761u;
}

void makeSource(PixelBuffer& b, int w, int h, int channels) {
    ASSERT_EQ(b.create(w, h, channels), 0);
    for (int i = 0; i < w * h; ++i) {
        uint32_t v = patternPixel(i % w, i / w);
        std::memcpy(b.data + i * channels, &v, size_t(channels));
    }
}

// The window pixel (x, y), counted from the top left, of a bottom-up DIB.
uint32_t windowPixel(const ViewSurface& s, int x, int y) {
    return static_cast<const uint32_t*>(s.bits)[(s.height - 1 - y) * s.width + x];
}

// Each window pixel is the source pixel under it, enlarged `scale` times from
// the rectangle's top-left; `opaque` forces alpha 255 (3-channel sources).
testing::AssertionResult showsSource(const ViewSurface& s, const RECT& r, int scale,
                                     bool opaque = false) {
    if (s.width != scale * (r.right - r.left) || s.height != scale * (r.bottom - r.top)) {
        return testing::AssertionFailure() << "size " << s.width << " x " << s.height;
    }
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            uint32_t want = patternPixel(r.left + x / scale, r.top + y / scale);
            want = opaque ? (want | 0xFF000000u) : want;
            if (windowPixel(s, x, y) != want) {
                return testing::AssertionFailure() << "window pixel " << x << "," << y << " is "
                                                   << std::hex << windowPixel(s, x, y);
            }
        }
    }
    return testing::AssertionSuccess();
}

using ViewSurfaceTest = TavlorTest;

} // namespace

// The bitmap is bottom-up: the last row of its memory is the top of the window.
TEST_F(ViewSurfaceTest, CanvasIsEnlargedByWholePixelsAndShownUpright) {
    PixelBuffer canvas;
    makeSource(canvas, kWidth, kHeight, 4);
    const RECT whole = {0, 0, kWidth, kHeight};
    for (int scale : {1, 2, 3, 4, 0, -1}) { // a scale below 1 counts as 1
        const int s = std::max(scale, 1);
        ViewSurface surface;
        ASSERT_EQ(surface.update(kDc, canvas, whole, scale), 0);
        EXPECT_EQ(surface.status, 0);
        EXPECT_TRUE(hasArgs(findCall("CreateDIBSection", countCalls("CreateDIBSection") - 1),
                            {arg(kDc), kWidth * s, kHeight * s, DIB_RGB_COLORS}));
        EXPECT_EQ(static_cast<const uint32_t*>(surface.bits)[(kHeight * s - 1) * kWidth * s],
                  patternPixel(0, 0));
        EXPECT_TRUE(showsSource(surface, whole, s)) << "scale " << scale;
    }
    EXPECT_EQ(fake().liveBitmaps, 0);
}

TEST_F(ViewSurfaceTest, CopiesOnlyTheRectangleAndMakesThreeChannelsOpaque) {
    const RECT part = {2, 1, 7, 5};
    for (int channels : {4, 3, 1}) {
        PixelBuffer source;
        makeSource(source, 9, 7, channels);
        ViewSurface surface;
        if (channels == 1) { // a one-channel source copies nothing
            PixelBuffer colour;
            makeSource(colour, 9, 7, 4);
            ASSERT_EQ(surface.update(kDc, colour, part, 2), 0);
        }
        EXPECT_EQ(surface.update(kDc, source, part, 2), 0);
        EXPECT_TRUE(showsSource(surface, part, 2, channels == 3)) << channels << " channels";
    }
}

// Scale 2, 2 again, 3, back to 2, then a rectangle one row shorter.
TEST_F(ViewSurfaceTest, BitmapIsReusedAtTheSameSizeAndReplacedOnAChange) {
    PixelBuffer source;
    makeSource(source, 7, 5, 4);
    ViewSurface surface;
    const std::tuple<int, RECT, bool> steps[] = {{2, {0, 0, 7, 5}, true},
                                                 {2, {0, 0, 7, 5}, false},
                                                 {3, {0, 0, 7, 5}, true},
                                                 {2, {0, 0, 7, 5}, true},
                                                 {2, {0, 1, 7, 5}, true}};
    HBITMAP previous = nullptr;
    for (const auto& [scale, rect, creates] : steps) {
        const int created = countCalls("CreateDIBSection");
        const int deleted = countCalls("DeleteObject");
        EXPECT_EQ(surface.update(kDc, source, rect, scale), 0);
        EXPECT_EQ(countCalls("CreateDIBSection"), created + (creates ? 1 : 0));
        if (!creates) {
            EXPECT_EQ(surface.bitmap, previous);
        } else if (previous != nullptr) {
            // The old bitmap goes before the new one is made.
            EXPECT_TRUE(hasArgs(findCall("DeleteObject", deleted), {arg(previous)}));
            EXPECT_LT(callIndex("DeleteObject", deleted), callIndex("CreateDIBSection", created));
        }
        EXPECT_EQ(fake().liveBitmaps, 1);
        EXPECT_TRUE(showsSource(surface, rect, scale));
        previous = surface.bitmap;
    }
    surface.release();
    EXPECT_EQ(surface.bitmap, nullptr);
    EXPECT_EQ(fake().liveBitmaps, 0);
}

TEST_F(ViewSurfaceTest, NothingToCopyLeavesTheBitmapAsItWas) {
    PixelBuffer source;
    PixelBuffer empty;
    makeSource(source, 7, 5, 4);
    const std::pair<const PixelBuffer*, RECT> cases[] = {
        {&source, {3, 0, 3, 5}},  // zero width
        {&source, {5, 0, 2, 5}},  // inverted
        {&source, {0, 0, 8, 5}},  // reaches past the right edge
        {&source, {-1, 0, 6, 5}}, // starts left of the source
        {&source, {0, 1, 7, 6}},  // reaches past the bottom
        {&empty, {0, 0, 7, 5}},   // source without storage
    };
    ViewSurface surface;
    ASSERT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 2), 0);
    HBITMAP bitmap = surface.bitmap;
    for (const auto& [from, rect] : cases) {
        EXPECT_EQ(surface.update(kDc, *from, rect, 2), 5);
        EXPECT_EQ(surface.status, 5);
        EXPECT_EQ(surface.bitmap, bitmap);
        EXPECT_TRUE(showsSource(surface, {0, 0, 7, 5}, 2));
    }
    EXPECT_EQ(countCalls("CreateDIBSection"), 1);
}

namespace {

// The committed controller picture, 484 x 175 pixels of blue, green, red.
const std::vector<uint8_t>& controllerPicture() {
    static const std::vector<uint8_t> bytes = [] {
        std::string here = __FILE__;
        std::ifstream file(here.substr(0, here.rfind("tests/unit/")) +
                               "resources/controller_picture.bgr",
                           std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

// Highlight and frame colours of controllers 1 and 2, and the frame of an inactive window.
constexpr uint32_t kHighlight[] = {0xFF00FF00, 0xFF0F5FFF};
constexpr uint32_t kFrame[] = {0xFF51D758, 0xFF608DDE};
constexpr uint32_t kInactiveFrame = 0xFFB1BBBD;

uint32_t argb(int a, int r, int g, int b) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

// The canvas as it should be, row by row, each pixel 0xAARRGGBB: the picture
// inside a five-pixel frame. Each held input lights a square, the D-pad arms
// 37 pixels wide, the buttons a 4 x 3 grid of 29-pixel squares 8 pixels apart:
// every colour channel gains three quarters of the highlight's, rounded, up to 255.
std::vector<uint32_t> expectedCanvas(int controller, bool active, uint32_t bits) {
    const std::vector<uint8_t>& picture = controllerPicture();
    std::vector<uint32_t> canvas(size_t(kWidth) * kHeight,
                                 active ? kFrame[controller] : kInactiveFrame);
    for (int y = 5; y < kHeight - 5; ++y) {
        for (int x = 5; x < kWidth - 5; ++x) {
            const uint8_t* p = &picture[size_t(((y - 5) * 484 + (x - 5)) * 3)];
            canvas[size_t(y * kWidth + x)] = argb(255, p[2], p[1], p[0]);
        }
    }
    struct Square {
        uint32_t bit;
        int left, top, size;
    };
    std::vector<Square> squares = {{kDpadUp, 74, 37, 37},
                                   {kDpadDown, 74, 111, 37},
                                   {kDpadLeft, 37, 74, 37},
                                   {kDpadRight, 111, 74, 37}};
    for (int n = 0; n < 12; ++n) {
        squares.push_back({1u << n, 313 + 37 * (n % 4), 41 + 37 * (n / 4), 29});
    }
    auto tint = [&](uint32_t pixel, int shift) {
        int add = int(std::floor(0.75 * ((kHighlight[controller] >> shift) & 0xFF) + 0.5));
        return std::min(255, int((pixel >> shift) & 0xFF) + add);
    };
    for (const Square& s : squares) {
        for (int y = s.top; y < s.top + s.size && (bits & s.bit) != 0; ++y) {
            for (int x = s.left; x < s.left + s.size; ++x) {
                uint32_t& v = canvas[size_t(y * kWidth + x)];
                v = argb(255, tint(v, 16), tint(v, 8), tint(v, 0));
            }
        }
    }
    return canvas;
}

uint32_t canvasPixel(const AppState& s, int x, int y) {
    const uint8_t* p = s.canvasBuffer.data + (y * kWidth + x) * 4;
    return argb(p[3], p[2], p[1], p[0]);
}

// Compares the canvas, and the scale-1 surface read upright, with `want`.
testing::AssertionResult shows(const AppState& s, const std::vector<uint32_t>& want) {
    if (s.viewSurface.width != kWidth || s.viewSurface.height != kHeight) {
        return testing::AssertionFailure() << "surface " << s.viewSurface.width;
    }
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint32_t expected = want[size_t(y * kWidth + x)];
            if (canvasPixel(s, x, y) != expected || windowPixel(s.viewSurface, x, y) != expected) {
                return testing::AssertionFailure()
                       << "at " << x << "," << y << ": canvas " << std::hex << canvasPixel(s, x, y)
                       << ", window " << windowPixel(s.viewSurface, x, y) << ", not " << expected;
            }
        }
    }
    return testing::AssertionSuccess();
}

class RenderTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        ASSERT_EQ(controllerPicture().size(), size_t(484 * 175 * 3)) << "picture not found";
        AppState& s = state();
        ASSERT_EQ(s.canvasBuffer.create(kWidth, kHeight, 4), 0);
        std::fill(s.canvasBuffer.data, s.canvasBuffer.data + s.canvasBuffer.byteSize, 0xA5);
        ASSERT_EQ(s.pictureBuffer.create(484, 175, 3), 0);
        std::copy(controllerPicture().begin(), controllerPicture().end(), s.pictureBuffer.data);
        ASSERT_EQ(s.pictureBuffer.expandToFourChannels(), 0);
        s.windowScale = 1;
        hwnd = fakeBareWindow({100, 100, 594, 285}, 0);
    }

    int32_t render(int controller, bool active, uint32_t bits) {
        state().activeController = controller;
        state().windowActive = active ? 1 : 0;
        state().inputBits = bits;
        state().viewDirty = 1;
        return renderView(kDc);
    }

    // The nth paint copied width x height from (0, 0) of its memory context
    // to (0, 0) of the paint context.
    testing::AssertionResult blitted(int nth, int width, int height) {
        const FakeCall* memory = findCall("DeleteDC", nth);
        const FakeCall* paint = findCall("CreateCompatibleDC", nth);
        if (memory == nullptr || paint == nullptr) {
            return testing::AssertionFailure() << "no paint " << nth;
        }
        return hasArgs(findCall("BitBlt", nth),
                       {paint->args[0], 0, 0, width, height, memory->args[0], 0});
    }

    HWND hwnd = nullptr;
};

} // namespace

// Every render rewrites the whole canvas: each case starts from the one before.
// With all 32 bits set the sixteen inputs light; buttons 13 to 16 and unused bits do not.
TEST_F(RenderTest, CanvasIsThePictureInTheFrameWithHeldInputsTinted) {
    for (int controller : {0, 1}) {
        for (bool active : {true, false}) {
            for (uint32_t bits : {0x0u, 0x1u, 0xFFFFFFFFu}) {
                SCOPED_TRACE(testing::Message() << "controller " << controller + 1 << ", active "
                                                << active << ", bits " << std::hex << bits);
                EXPECT_EQ(render(controller, active, bits), 0);
                EXPECT_EQ(state().viewDirty, 0);
                EXPECT_TRUE(shows(state(), expectedCanvas(controller, active, bits)));
            }
        }
    }
}

// A lit face pixel (181, 188, 189) and the dark corner of Button 1 (40, 41, 41).
TEST_F(RenderTest, TintAddsThreeQuartersOfTheHighlightSaturatingAndOpaque) {
    const uint32_t cases[][3] = {{0, argb(255, 181, 255, 189), argb(255, 40, 232, 41)},
                                 {1, argb(255, 192, 255, 255), argb(255, 51, 112, 232)}};
    for (const auto& [controller, face, corner] : cases) {
        render(controller, true, 0);
        ASSERT_EQ(canvasPixel(state(), 327, 55), argb(255, 181, 188, 189));
        ASSERT_EQ(canvasPixel(state(), 313, 41), argb(255, 40, 41, 41));
        render(controller, true, 0x001);
        EXPECT_EQ(canvasPixel(state(), 327, 55), face);
        EXPECT_EQ(canvasPixel(state(), 313, 41), corner);
        // The tint leaves every lit pixel opaque, even one that was transparent.
        EXPECT_EQ(state().channelLut[3 * 256 + 0], 255);
    }
}

TEST_F(RenderTest, PaintRendersWhileDirtyAndAlwaysCopiesTheSurface) {
    state().windowScale = 2;
    paintView(hwnd);
    EXPECT_EQ(state().viewDirty, 0);
    EXPECT_TRUE(blitted(0, 2 * kWidth, 2 * kHeight));
    EXPECT_TRUE(hasArgs(findCall("SelectObject"),
                        {findCall("DeleteDC")->args[0], arg(state().viewSurface.bitmap)}));
    const char* order[] = {"BeginPaint", "CreateCompatibleDC", "CreateDIBSection", "SelectObject",
                           "BitBlt",     "DeleteDC",           "EndPaint"};
    for (int i = 1; i < 7; ++i) {
        EXPECT_LT(callIndex(order[i - 1]), callIndex(order[i])) << order[i];
    }
    // The previous object goes back in before the memory context is deleted.
    ASSERT_EQ(countCalls("SelectObject"), 2);
    EXPECT_LT(callIndex("SelectObject", 1), callIndex("DeleteDC"));

    // Clean: the last frame is copied at its own size, whatever changed since.
    std::vector<uint8_t> frame(state().canvasBuffer.data,
                               state().canvasBuffer.data + state().canvasBuffer.byteSize);
    state().inputBits = 0xFFF;
    state().windowScale = 3;
    paintView(hwnd);
    EXPECT_EQ(countCalls("CreateDIBSection"), 1);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), state().canvasBuffer.data));
    EXPECT_TRUE(blitted(1, 2 * kWidth, 2 * kHeight));

    // A surface that could not be made copies nothing until a render makes it.
    fake().createDibSectionFails = true;
    state().viewDirty = 1;
    paintView(hwnd);
    EXPECT_EQ(state().viewSurface.bitmap, nullptr);
    fake().createDibSectionFails = false;
    paintView(hwnd);
    EXPECT_TRUE(blitted(3, 0, 0));
    state().viewDirty = 1;
    paintView(hwnd);
    EXPECT_TRUE(blitted(4, 3 * kWidth, 3 * kHeight));
    EXPECT_EQ(countCalls("EndPaint"), 5);
    EXPECT_EQ(fake().liveBitmaps, 1);
}
