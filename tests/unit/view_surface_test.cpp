#include "test_support.h"

#include <cstring>
#include <vector>

#include "view/view_surface.h"

namespace {

const HDC kDc = reinterpret_cast<HDC>(0xD00D);

// A distinct, arbitrary 32-bit value for every pixel.
uint32_t patternPixel(int x, int y) {
    return uint32_t(y * 1000 + x + 1) * 2654435761u;
}

void makeSource(PixelBuffer& b, int w, int h, int channels) {
    ASSERT_EQ(b.create(w, h, channels), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t v = patternPixel(x, y);
            std::memcpy(b.data + (y * w + x) * channels, &v, size_t(channels));
        }
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
                return testing::AssertionFailure()
                       << "window pixel " << x << "," << y << " is " << std::hex
                       << windowPixel(s, x, y) << ", expected " << want;
            }
        }
    }
    return testing::AssertionSuccess();
}

std::vector<uint8_t> surfaceBytes(const ViewSurface& s) {
    const uint8_t* bits = static_cast<const uint8_t*>(s.bits);
    return {bits, bits + size_t(s.width) * size_t(s.height) * 4};
}

using ViewSurfaceTest = TavlorTest;

} // namespace

TEST_F(ViewSurfaceTest, CanvasIsEnlargedByWholePixelsAndShownUpright) {
    PixelBuffer canvas;
    makeSource(canvas, 494, 185, 4);
    const RECT whole = {0, 0, 494, 185};
    struct {
        int scale, width, height;
    } cases[] = {{1, 494, 185}, {2, 988, 370}, {3, 1482, 555}, {4, 1976, 740}};
    for (const auto& c : cases) {
        ViewSurface surface;
        EXPECT_EQ(surface.update(kDc, canvas, whole, c.scale), 0);
        EXPECT_EQ(surface.status, 0);
        EXPECT_EQ(surface.width, c.width);
        EXPECT_EQ(surface.height, c.height);
        const FakeCall* create = findCall("CreateDIBSection", countCalls("CreateDIBSection") - 1);
        ASSERT_NE(create, nullptr);
        EXPECT_EQ(create->args[0], reinterpret_cast<intptr_t>(kDc));
        EXPECT_EQ(create->args[1], c.width);
        EXPECT_EQ(create->args[2], c.height); // positive: bottom-up
        EXPECT_EQ(create->args[3], DIB_RGB_COLORS);
        // The last row of DIB memory is the top of the window.
        EXPECT_EQ(static_cast<const uint32_t*>(surface.bits)[(c.height - 1) * c.width],
                  patternPixel(0, 0));
        EXPECT_TRUE(showsSource(surface, whole, c.scale)) << "scale " << c.scale;
    }
    EXPECT_EQ(fake().liveBitmaps, 0);
}

TEST_F(ViewSurfaceTest, HeaderDescribesABottomUp32BitImage) {
    PixelBuffer source;
    makeSource(source, 7, 5, 4);
    ViewSurface surface;
    ASSERT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 3), 0);
    const BITMAPINFOHEADER& h = surface.bitmapInfo.bmiHeader;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 21);
    EXPECT_EQ(h.biHeight, 15);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, uint32_t(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biXPelsPerMeter, 10000);
    EXPECT_EQ(h.biYPelsPerMeter, 10000);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(h.biClrImportant, 0u);
}

TEST_F(ViewSurfaceTest, CopiesOnlyTheRectangleAndMakesThreeChannelsOpaque) {
    const RECT part = {2, 1, 7, 5};
    for (int channels : {4, 3}) {
        PixelBuffer source;
        makeSource(source, 9, 7, channels);
        ViewSurface surface;
        EXPECT_EQ(surface.update(kDc, source, part, 2), 0);
        EXPECT_TRUE(showsSource(surface, part, 2, channels == 3)) << channels << " channels";
    }
}

TEST_F(ViewSurfaceTest, OneChannelSourceCopiesNothing) {
    PixelBuffer colour;
    PixelBuffer grey;
    makeSource(colour, 7, 5, 4);
    makeSource(grey, 7, 5, 1);
    ViewSurface surface;
    ASSERT_EQ(surface.update(kDc, colour, {0, 0, 7, 5}, 2), 0);
    EXPECT_EQ(surface.update(kDc, grey, {0, 0, 7, 5}, 2), 0);
    EXPECT_TRUE(showsSource(surface, {0, 0, 7, 5}, 2));
}

TEST_F(ViewSurfaceTest, ScaleOfZeroOrBelowCountsAsOne) {
    PixelBuffer source;
    makeSource(source, 7, 5, 4);
    for (int scale : {0, -1, -4, INT32_MIN}) {
        ViewSurface surface;
        EXPECT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, scale), 0);
        EXPECT_TRUE(showsSource(surface, {0, 0, 7, 5}, 1)) << "scale " << scale;
    }
}

TEST_F(ViewSurfaceTest, BitmapIsReusedAtTheSameScaleAndReplacedOnAChange) {
    PixelBuffer source;
    makeSource(source, 7, 5, 4);
    ViewSurface surface;
    // Scale 2, 2 again, 3, back to 2, 2 again (the 2 -> 3 -> 2 round trip
    // replaces the bitmap twice), then a rectangle one row shorter.
    struct {
        int scale;
        RECT rect;
        bool creates;
    } steps[] = {{2, {0, 0, 7, 5}, true}, {2, {0, 0, 7, 5}, false}, {3, {0, 0, 7, 5}, true},
                 {2, {0, 0, 7, 5}, true}, {2, {0, 0, 7, 5}, false}, {2, {0, 1, 7, 5}, true}};
    HBITMAP previous = nullptr;
    for (const auto& step : steps) {
        int creates = countCalls("CreateDIBSection");
        int deletes = countCalls("DeleteObject");
        EXPECT_EQ(surface.update(kDc, source, step.rect, step.scale), 0);
        EXPECT_EQ(countCalls("CreateDIBSection"), creates + (step.creates ? 1 : 0));
        if (!step.creates) {
            EXPECT_EQ(surface.bitmap, previous);
            EXPECT_EQ(countCalls("DeleteObject"), deletes);
        } else if (previous != nullptr) {
            // The old bitmap goes before the new one is made.
            const FakeCall* deleted = findCall("DeleteObject", deletes);
            ASSERT_NE(deleted, nullptr);
            EXPECT_EQ(deleted->args[0], reinterpret_cast<intptr_t>(previous));
            EXPECT_LT(callIndex("DeleteObject", deletes), callIndex("CreateDIBSection", creates));
        }
        EXPECT_EQ(fake().liveBitmaps, 1);
        EXPECT_TRUE(showsSource(surface, step.rect, step.scale));
        previous = surface.bitmap;
    }
    surface.release();
    EXPECT_EQ(surface.bitmap, nullptr);
    EXPECT_EQ(surface.width, 0);
    EXPECT_EQ(surface.height, 0);
    EXPECT_EQ(fake().liveBitmaps, 0);
}

TEST_F(ViewSurfaceTest, NothingToCopyLeavesTheBitmapAsItWas) {
    PixelBuffer source;
    PixelBuffer empty;
    makeSource(source, 7, 5, 4);
    struct {
        const PixelBuffer* source;
        RECT rect;
    } cases[] = {
        {&source, {3, 0, 3, 5}},  // zero width
        {&source, {0, 2, 7, 2}},  // zero height
        {&source, {5, 0, 2, 5}},  // inverted
        {&source, {0, 0, 8, 5}},  // reaches past the right edge
        {&source, {-1, 0, 6, 5}}, // starts left of the source
        {&source, {0, 1, 7, 6}},  // reaches past the bottom
        {&empty, {0, 0, 7, 5}},   // source without storage
    };
    ViewSurface surface;
    ASSERT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 2), 0);
    HBITMAP bitmap = surface.bitmap;
    std::vector<uint8_t> shown = surfaceBytes(surface);
    for (const auto& c : cases) {
        EXPECT_EQ(surface.update(kDc, *c.source, c.rect, 2), 5);
        EXPECT_EQ(surface.status, 5);
        EXPECT_EQ(surface.bitmap, bitmap);
        EXPECT_EQ(surface.width, 14);
        EXPECT_EQ(surface.height, 10);
        EXPECT_EQ(surfaceBytes(surface), shown);
    }
    EXPECT_EQ(countCalls("CreateDIBSection"), 1);
    EXPECT_EQ(countCalls("DeleteObject"), 0);
}

TEST_F(ViewSurfaceTest, FailedBitmapLeavesNoSurfaceAndTheNextUpdateRetries) {
    PixelBuffer source;
    makeSource(source, 7, 5, 4);
    for (bool hadBitmap : {false, true}) {
        SetUp();
        ViewSurface surface;
        if (hadBitmap) {
            ASSERT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 1), 0);
        }
        fake().createDibSectionFails = true;
        EXPECT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 2), 7);
        EXPECT_EQ(surface.status, 7);
        EXPECT_EQ(surface.bitmap, nullptr);
        EXPECT_EQ(surface.width, 0);
        EXPECT_EQ(surface.height, 0);
        EXPECT_EQ(fake().liveBitmaps, 0);

        fake().createDibSectionFails = false;
        EXPECT_EQ(surface.update(kDc, source, {0, 0, 7, 5}, 2), 0);
        EXPECT_NE(surface.bitmap, nullptr);
        EXPECT_TRUE(showsSource(surface, {0, 0, 7, 5}, 2));
    }
}
