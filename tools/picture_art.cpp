#include "tools/picture_art.h"

#include "tools/int_math.h"

namespace {

// Shapes are evaluated on a 4 x 4 grid of samples per pixel, in fixed point with
// kUnit steps per pixel; samples sit at odd offsets so none lies on a pixel edge.
constexpr int32_t kUnit = 8;
constexpr int32_t kSamples = 4;
constexpr int32_t kSampleCount = kSamples * kSamples;

constexpr int32_t kButtonRadius = 5;
constexpr int32_t kCrossRadius = 6;
constexpr int32_t kGradientEndRow = 160;
constexpr int32_t kOutside = 0;
constexpr int32_t kFarInside = 1 << 20;

struct Rgb {
    int32_t r, g, b;
};

// The face colour, then the rim from the inside out; indexed by how deep a sample lies.
constexpr Rgb kFace = {181, 188, 189};
constexpr Rgb kRim[3] = {{118, 122, 123}, {159, 165, 166}, {177, 184, 185}};

// Inclusive pixel bounds.
struct Box {
    int32_t left, top, right, bottom;
};

constexpr Box kCrossVertical = {69, 32, 105, 142};
constexpr Box kCrossHorizontal = {32, 69, 142, 105};
constexpr Box kCrossBounds = {32, 32, 142, 142};
constexpr int32_t kButtonSize = 29;
constexpr int32_t kButtonLefts[4] = {308, 345, 382, 419};
constexpr int32_t kButtonTops[3] = {36, 73, 110};

// A box in fixed point, right and bottom exclusive.
struct Span {
    int32_t left, top, right, bottom;
};

Span toSpan(const Box& box) {
    return {box.left * kUnit, box.top * kUnit, (box.right + 1) * kUnit, (box.bottom + 1) * kUnit};
}

Rgb backgroundColour(int32_t y) {
    int32_t t = minInt(y, kGradientEndRow);
    int32_t r = 51 - 49 * t / kGradientEndRow;
    int32_t gb = 52 - 50 * t / kGradientEndRow;
    return {r, gb, gb};
}

// Distance of (x, y) from the nearest edge of the span; negative outside.
int32_t edgeDepth(const Span& s, int32_t x, int32_t y) {
    return minInt(minInt(x - s.left, s.right - x), minInt(y - s.top, s.bottom - y));
}

// Distance from the rounding arc while (x, y) lies in one of the span's corner squares.
int32_t cornerDepth(const Span& s, int32_t radius, int32_t x, int32_t y) {
    int32_t r = radius * kUnit;
    int32_t cx = clampInt(x, s.left + r, s.right - r);
    int32_t cy = clampInt(y, s.top + r, s.bottom - r);
    if (cx == x || cy == y) {
        return kFarInside;
    }
    int64_t dx = cx - x;
    int64_t dy = cy - y;
    return r - static_cast<int32_t>(intSqrt(static_cast<uint64_t>(dx * dx + dy * dy)));
}

// Distance from the empty quadrant that starts at corner (cx, cy) and extends away from
// the shape in the directions (-inX, -inY).
int32_t notchDepth(int32_t cx, int32_t cy, int32_t inX, int32_t inY, int32_t x, int32_t y) {
    int64_t dx = maxInt(0, (x - cx) * inX);
    int64_t dy = maxInt(0, (y - cy) * inY);
    return static_cast<int32_t>(intSqrt(static_cast<uint64_t>(dx * dx + dy * dy)));
}

int32_t buttonDepth(const Span& s, int32_t x, int32_t y) {
    return minInt(edgeDepth(s, x, y), cornerDepth(s, kButtonRadius, x, y));
}

// The cross: its bounding square minus four square notches, with the ends of the arms
// rounded and the inner corners left square.
int32_t crossDepth(int32_t x, int32_t y) {
    Span bounds = toSpan(kCrossBounds);
    Span vertical = toSpan(kCrossVertical);
    Span horizontal = toSpan(kCrossHorizontal);
    int32_t depth = edgeDepth(bounds, x, y);
    depth = minInt(depth, cornerDepth(vertical, kCrossRadius, x, y));
    depth = minInt(depth, cornerDepth(horizontal, kCrossRadius, x, y));
    depth = minInt(depth, notchDepth(vertical.left, horizontal.top, 1, 1, x, y));
    depth = minInt(depth, notchDepth(vertical.right, horizontal.top, -1, 1, x, y));
    depth = minInt(depth, notchDepth(vertical.left, horizontal.bottom, 1, -1, x, y));
    return minInt(depth, notchDepth(vertical.right, horizontal.bottom, -1, -1, x, y));
}

Rgb shadeForDepth(int32_t depth, const Rgb& background) {
    if (depth <= kOutside) {
        return background;
    }
    int32_t ring = depth / kUnit;
    return ring < 3 ? kRim[ring] : kFace;
}

void putPixel(uint8_t* bgr, int32_t x, int32_t y, const Rgb& c) {
    uint8_t* p = bgr + (y * kPictureWidth + x) * 3;
    p[0] = static_cast<uint8_t>(c.b);
    p[1] = static_cast<uint8_t>(c.g);
    p[2] = static_cast<uint8_t>(c.r);
}

void drawBackground(uint8_t* bgr) {
    for (int32_t y = 0; y < kPictureHeight; ++y) {
        Rgb c = backgroundColour(y);
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            putPixel(bgr, x, y, c);
        }
    }
}

// Averages the shade of every sample in the pixel; pixels wholly outside stay as they are.
template <typename DepthFn> void shadePixel(uint8_t* bgr, int32_t x, int32_t y, DepthFn depthAt) {
    Rgb background = backgroundColour(y);
    Rgb sum = {0, 0, 0};
    int32_t inside = 0;
    for (int32_t i = 0; i < kSampleCount; ++i) {
        int32_t sx = x * kUnit + (i % kSamples) * 2 + 1;
        int32_t sy = y * kUnit + (i / kSamples) * 2 + 1;
        int32_t depth = depthAt(sx, sy);
        inside += depth > kOutside ? 1 : 0;
        Rgb c = shadeForDepth(depth, background);
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
    }
    if (inside == 0) {
        return;
    }
    int32_t half = kSampleCount / 2;
    putPixel(bgr, x, y,
             {(sum.r + half) / kSampleCount, (sum.g + half) / kSampleCount,
              (sum.b + half) / kSampleCount});
}

template <typename DepthFn> void drawShape(uint8_t* bgr, const Box& bounds, DepthFn depthAt) {
    for (int32_t y = bounds.top; y <= bounds.bottom; ++y) {
        for (int32_t x = bounds.left; x <= bounds.right; ++x) {
            shadePixel(bgr, x, y, depthAt);
        }
    }
}

void drawButtons(uint8_t* bgr) {
    for (int32_t top : kButtonTops) {
        for (int32_t left : kButtonLefts) {
            Box box = {left, top, left + kButtonSize - 1, top + kButtonSize - 1};
            Span span = toSpan(box);
            drawShape(bgr, box, [&span](int32_t x, int32_t y) { return buttonDepth(span, x, y); });
        }
    }
}

} // namespace

void drawControllerPicture(uint8_t* bgr) {
    drawBackground(bgr);
    drawShape(bgr, kCrossBounds, crossDepth);
    drawButtons(bgr);
}
