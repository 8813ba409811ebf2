#include <gtest/gtest.h>

#include <vector>

#include "tests/resources/resource_file.h"
#include "tools/picture_art.h"

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr Rgb kFace = {181, 188, 189};
constexpr Rgb kInnerRim = {177, 184, 185};
constexpr Rgb kMiddleRim = {159, 165, 166};
constexpr Rgb kOuterRim = {118, 122, 123};
constexpr int kCanvasOffset = 5;

const std::vector<uint8_t>& picture() {
    static const std::vector<uint8_t> pixels = [] {
        std::vector<uint8_t> p(kPictureBytes);
        drawControllerPicture(p.data());
        return p;
    }();
    return pixels;
}

Rgb pixelAt(int x, int y) {
    const uint8_t* p = &picture()[(y * kPictureWidth + x) * 3];
    return {p[2], p[1], p[0]};
}

Rgb background(int y) {
    return pixelAt(0, y);
}

enum Edge { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8, kAllEdges = 15 };

// The view's input rectangles on the canvas (right and bottom exclusive), and which of
// their edges are the outline of a shape; the arms share their inner edge with the centre.
struct InputRect {
    const char* name;
    int left, top, right, bottom;
    int outerEdges;
};

const InputRect kInputs[] = {
    {"Up", 74, 37, 111, 74, kTop | kLeft | kRight},
    {"Down", 74, 111, 111, 148, kBottom | kLeft | kRight},
    {"Left", 37, 74, 74, 111, kLeft | kTop | kBottom},
    {"Right", 111, 74, 148, 111, kRight | kTop | kBottom},
    {"Button 1", 313, 41, 342, 70, kAllEdges},
    {"Button 2", 350, 41, 379, 70, kAllEdges},
    {"Button 3", 387, 41, 416, 70, kAllEdges},
    {"Button 4", 424, 41, 453, 70, kAllEdges},
    {"Button 5", 313, 78, 342, 107, kAllEdges},
    {"Button 6", 350, 78, 379, 107, kAllEdges},
    {"Button 7", 387, 78, 416, 107, kAllEdges},
    {"Button 8", 424, 78, 453, 107, kAllEdges},
    {"Button 9", 313, 115, 342, 144, kAllEdges},
    {"Button 10", 350, 115, 379, 144, kAllEdges},
    {"Button 11", 387, 115, 416, 144, kAllEdges},
    {"Button 12", 424, 115, 453, 144, kAllEdges},
};

// Pixels this far from a corner are clear of the rounding.
constexpr int kCornerClearance = 6;

// Calls check(x, y, stepX, stepY) for each pixel (x, y) just outside the middle part of
// one edge, with the unit step that leads into the shape.
template <typename Check> void alongEdge(int l, int t, int r, int b, Edge edge, Check check) {
    bool horizontal = edge == kTop || edge == kBottom;
    int from = (horizontal ? l : t) + kCornerClearance;
    int to = (horizontal ? r : b) - kCornerClearance;
    for (int i = from; i < to; ++i) {
        switch (edge) {
        case kTop:
            check(i, t - 1, 0, 1);
            break;
        case kBottom:
            check(i, b, 0, -1);
            break;
        case kLeft:
            check(l - 1, i, 1, 0);
            break;
        default:
            check(r, i, -1, 0);
            break;
        }
    }
}

// Background outside the edge, then the rim from the outside in, then the face.
void expectEdgeProfile(int x, int y, int stepX, int stepY) {
    const Rgb inward[4] = {kOuterRim, kMiddleRim, kInnerRim, kFace};
    EXPECT_EQ(pixelAt(x, y), background(y)) << "outside at " << x << ", " << y;
    for (int depth = 0; depth < 4; ++depth) {
        int ix = x + stepX * (depth + 1), iy = y + stepY * (depth + 1);
        EXPECT_EQ(pixelAt(ix, iy), inward[depth]) << "inside at " << ix << ", " << iy;
    }
}

void expectFace(int l, int t, int r, int b) {
    for (int y = t; y < b; ++y) {
        for (int x = l; x < r; ++x) {
            ASSERT_EQ(pixelAt(x, y), kFace) << "at " << x << ", " << y;
        }
    }
}

TEST(ControllerPicture, MatchesCommittedResource) {
    std::vector<uint8_t> committed = readResourceFile("controller_picture.bgr");
    ASSERT_EQ(committed.size(), 254100u);
    EXPECT_EQ(firstDifference(committed, picture()), -1)
        << "regenerate resources/controller_picture.bgr with draw_picture";
}

TEST(ControllerPicture, ShapesCoincideWithInputRectangles) {
    for (const InputRect& in : kInputs) {
        SCOPED_TRACE(in.name);
        int l = in.left - kCanvasOffset, t = in.top - kCanvasOffset;
        int r = in.right - kCanvasOffset, b = in.bottom - kCanvasOffset;
        expectFace(l + kCornerClearance, t + kCornerClearance, r - kCornerClearance,
                   b - kCornerClearance);
        for (Edge edge : {kTop, kBottom, kLeft, kRight}) {
            if ((in.outerEdges & edge) == 0) {
                continue;
            }
            alongEdge(l, t, r, b, edge, expectEdgeProfile);
        }
    }
}

TEST(ControllerPicture, CornersAreRounded) {
    for (const InputRect& in : kInputs) {
        SCOPED_TRACE(in.name);
        int l = in.left - kCanvasOffset, t = in.top - kCanvasOffset;
        int r = in.right - kCanvasOffset - 1, b = in.bottom - kCanvasOffset - 1;
        const int corners[4][3] = {{l, t, kLeft | kTop},
                                   {r, t, kRight | kTop},
                                   {l, b, kLeft | kBottom},
                                   {r, b, kRight | kBottom}};
        for (const auto& c : corners) {
            if ((in.outerEdges & c[2]) == c[2]) {
                EXPECT_LT(pixelAt(c[0], c[1]).r, kOuterRim.r) << "at " << c[0] << ", " << c[1];
            }
        }
    }
}

TEST(ControllerPicture, CentreOfCrossIsFace) {
    // Only the rim's curve around the four inner corners reaches into the centre square.
    expectFace(69 + 3, 69 + 3, 106 - 3, 106 - 3);
    for (int i = 69 + kCornerClearance; i < 106 - kCornerClearance; ++i) {
        EXPECT_EQ(pixelAt(i, 69), kFace) << "top, x " << i;
        EXPECT_EQ(pixelAt(69, i), kFace) << "left, y " << i;
    }
}

TEST(ControllerPicture, BackgroundDarkensRowByRow) {
    EXPECT_EQ(background(0), (Rgb{51, 52, 52}));
    EXPECT_EQ(background(kPictureHeight - 1), (Rgb{2, 2, 2}));
    for (int y = 0; y < kPictureHeight; ++y) {
        Rgb row = background(y);
        if (y > 0) {
            Rgb above = background(y - 1);
            EXPECT_TRUE(row.r <= above.r && row.g <= above.g && row.b <= above.b) << "row " << y;
        }
        for (int x = 0; x < kPictureWidth; ++x) {
            bool inCross = x >= 32 && x <= 142 && y >= 32 && y <= 142;
            bool inButtons = x >= 308 && x <= 447 && y >= 36 && y <= 138;
            if (!inCross && !inButtons) {
                ASSERT_EQ(pixelAt(x, y), row) << "at " << x << ", " << y;
            }
        }
    }
}

} // namespace
