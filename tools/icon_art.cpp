#include "tools/icon_art.h"

#include "tools/icon_shapes.h"
#include "tools/int_math.h"

namespace {

struct Rgb {
    int32_t r, g, b;
};

// The shape of the gamepad: a wide top and, below its left end, a grip that the right
// grip mirrors; a dark outline runs along its edge.
struct Body {
    Point topLeft, bottomRight;
    int32_t radius;
    Point gripTop, gripBottom;
    int32_t gripRadius, outline;
};

// The D-pad in its round well on the left, the four face buttons on the right.
struct Controls {
    Point dpad;
    int32_t armLength, armWidth, wellRadius;
    Point buttons;
    int32_t buttonSpacing, buttonRadius;
};

// One drawing of the gamepad, in quarter pixels of the size it is made for, so that each
// size can put its edges on whole pixels.
struct Design {
    int32_t size;
    Body body;
    Controls controls;
};

constexpr Design kDesigns[kIconSizeCount] = {
    {16, {{4, 12}, {60, 40}, 14, {12, 30}, {12, 44}, 8, 4}, {{18, 26}, 6, 2, 0, {46, 26}, 4, 2}},
    {32,
     {{12, 24}, {116, 72}, 23, {33, 55}, {25, 90}, 19, 4},
     {{40, 48}, 12, 4, 20, {88, 48}, 12, 5}},
    {48,
     {{18, 36}, {174, 108}, 34, {50, 82}, {38, 135}, 28, 4},
     {{58, 74}, 22, 6, 30, {134, 74}, 16, 9}},
    {256,
     {{96, 192}, {928, 576}, 184, {264, 440}, {200, 720}, 152, 24},
     {{312, 384}, 120, 40, 160, {712, 384}, 88, 48}},
};

constexpr Rgb kBodyTop = {104, 118, 206};
constexpr Rgb kBodyBottom = {61, 74, 168};
constexpr Rgb kOutline = {38, 46, 112};
constexpr Rgb kWell = {52, 63, 148};
constexpr Rgb kDpad = {236, 239, 246};
constexpr Rgb kButtonColours[4] = {
    {255, 202, 64},  // top
    {239, 83, 80},   // right
    {102, 200, 110}, // bottom
    {100, 181, 246}, // left
};

// Shapes are tested on a grid of kGrid steps across the icon, whatever its size.
constexpr int32_t kGrid = 4096;

struct Scale {
    int32_t quartersAcross;
    int32_t operator()(int32_t quarters) const { return quarters * kGrid / quartersAcross; }
    Point operator()(Point p) const { return {(*this)(p.x), (*this)(p.y)}; }
};

// The design with every length and position converted to grid steps.
Design onGrid(const Design& d) {
    Scale s = {4 * d.size};
    const Body& b = d.body;
    const Controls& c = d.controls;
    return {d.size,
            {s(b.topLeft), s(b.bottomRight), s(b.radius), s(b.gripTop), s(b.gripBottom),
             s(b.gripRadius), s(b.outline)},
            {s(c.dpad), s(c.armLength), s(c.armWidth), s(c.wellRadius), s(c.buttons),
             s(c.buttonSpacing), s(c.buttonRadius)}};
}

Point mirrored(Point p) {
    return {kGrid - p.x, p.y};
}

// The body shrunk by inset.
bool inBody(Point p, const Body& b, int32_t inset) {
    Point topLeft = {b.topLeft.x + inset, b.topLeft.y + inset};
    Point bottomRight = {b.bottomRight.x - inset, b.bottomRight.y - inset};
    int32_t grip = b.gripRadius - inset;
    return inRoundedRect(p, topLeft, bottomRight, b.radius - inset) ||
           inCapsule(p, b.gripTop, b.gripBottom, grip) ||
           inCapsule(p, mirrored(b.gripTop), mirrored(b.gripBottom), grip);
}

bool inDpad(Point p, const Controls& c) {
    int32_t x = c.dpad.x, y = c.dpad.y, l = c.armLength, w = c.armWidth;
    return inRoundedRect(p, {x - w, y - l}, {x + w, y + l}, w / 2) ||
           inRoundedRect(p, {x - l, y - w}, {x + l, y + w}, w / 2);
}

// Index of the face button under p (top, right, bottom, left), or -1.
int32_t buttonAt(Point p, const Controls& c) {
    const Point directions[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (int32_t i = 0; i < 4; ++i) {
        Point centre = {c.buttons.x + directions[i].x * c.buttonSpacing,
                        c.buttons.y + directions[i].y * c.buttonSpacing};
        if (inCircle(p, centre, c.buttonRadius)) {
            return i;
        }
    }
    return -1;
}

// The body shades from a lighter top to a deeper bottom.
Rgb bodyColour(Point p, const Body& b) {
    int32_t range = b.gripBottom.y + b.gripRadius - b.topLeft.y;
    int32_t t = clampInt(p.y - b.topLeft.y, 0, range);
    return {kBodyTop.r + (kBodyBottom.r - kBodyTop.r) * t / range,
            kBodyTop.g + (kBodyBottom.g - kBodyTop.g) * t / range,
            kBodyTop.b + (kBodyBottom.b - kBodyTop.b) * t / range};
}

// The colour inside the outline.
Rgb faceColour(Point p, const Design& d) {
    const Controls& c = d.controls;
    int32_t button = buttonAt(p, c);
    if (button >= 0) {
        return kButtonColours[button];
    }
    if (inDpad(p, c)) {
        return kDpad;
    }
    return inCircle(p, c.dpad, c.wellRadius) ? kWell : bodyColour(p, d.body);
}

// The colour of one sample; false where the background shows.
bool sampleColour(Point p, const Design& d, Rgb* colour) {
    if (!inBody(p, d.body, 0)) {
        return false;
    }
    *colour = inBody(p, d.body, d.body.outline) ? faceColour(p, d) : kOutline;
    return true;
}

// Samples per pixel along each axis: the small sizes need the finer steps of coverage.
int32_t samplesPerAxis(int32_t size) {
    return size > 64 ? 4 : 8;
}

// Averages the samples of pixel (x, y); alpha is the share of samples on the gamepad.
void drawPixel(const Design& d, int32_t x, int32_t y, uint8_t* bgra) {
    int32_t n = samplesPerAxis(d.size);
    int64_t steps = int64_t{2} * n * d.size;
    Rgb sum = {0, 0, 0};
    int32_t covered = 0;
    for (int32_t i = 0; i < n * n; ++i) {
        Point p = {static_cast<int32_t>(((x * n + i % n) * 2 + 1) * int64_t{kGrid} / steps),
                   static_cast<int32_t>(((y * n + i / n) * 2 + 1) * int64_t{kGrid} / steps)};
        Rgb c;
        if (sampleColour(p, d, &c)) {
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            ++covered;
        }
    }
    int32_t half = covered / 2, divisor = covered > 0 ? covered : 1;
    bgra[0] = static_cast<uint8_t>((sum.b + half) / divisor);
    bgra[1] = static_cast<uint8_t>((sum.g + half) / divisor);
    bgra[2] = static_cast<uint8_t>((sum.r + half) / divisor);
    bgra[3] = static_cast<uint8_t>((covered * 255 + n * n / 2) / (n * n));
}

// The drawing made for a size, else the nearest larger one.
const Design& designFor(int32_t size) {
    for (const Design& d : kDesigns) {
        if (d.size >= size) {
            return d;
        }
    }
    return kDesigns[kIconSizeCount - 1];
}

} // namespace

void drawIcon(int32_t size, uint8_t* bgra) {
    Design design = onGrid(designFor(size));
    design.size = size;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            drawPixel(design, x, y, bgra + (y * size + x) * 4);
        }
    }
}
