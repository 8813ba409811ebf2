#include "test_support.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "view/render.h"

namespace {

constexpr int kWidth = 494;
constexpr int kHeight = 185;
constexpr int kPictureWidth = 484;
constexpr int kPictureBytes = 484 * 175 * 3;
constexpr uint32_t kInactiveFrame = 0xFFB1BBBD;
constexpr uint32_t kAllSixteen = 0xF0000FFFu;
const HDC kDc = reinterpret_cast<HDC>(0xD00D);

// The committed controller picture, 484 x 175 pixels of blue, green, red, found
// next to this file in the source tree unless TAVLOR_SOURCE_DIR names the tree.
const std::vector<uint8_t>& controllerPicture() {
    static const std::vector<uint8_t> bytes = [] {
#ifdef TAVLOR_SOURCE_DIR
        std::string root = std::string(TAVLOR_SOURCE_DIR) + "/";
#else
        std::string here = __FILE__;
        std::string root = here.substr(0, here.rfind("tests/unit/"));
#endif
        std::ifstream file(root + "resources/controller_picture.bgr", std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

// Where each input lights, in canvas pixels: the D-pad arms are 37-pixel
// squares, the buttons a 4 x 3 grid of 29-pixel squares 8 pixels apart.
struct Square {
    uint32_t bit;
    int left, top, size;
};

std::vector<Square> inputSquares() {
    std::vector<Square> squares = {{0x10000000, 74, 37, 37},
                                   {0x20000000, 74, 111, 37},
                                   {0x40000000, 37, 74, 37},
                                   {0x80000000, 111, 74, 37}};
    for (int n = 0; n < 12; ++n) {
        squares.push_back({1u << n, 313 + 37 * (n % 4), 41 + 37 * (n / 4), 29});
    }
    return squares;
}

struct Colours {
    uint32_t highlight, frame;
};
const Colours kControllers[5] = {{0xFF00FF00, 0xFF51D758},
                                 {0xFF0F5FFF, 0xFF608DDE},
                                 {0xFFFF0000, 0xFFC24A4B},
                                 {0xFFFF7F00, 0xFFC28A4B},
                                 {0xFF6F00FF, 0xFF8251D2}};

uint32_t argb(int a, int r, int g, int b) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

// A lit channel: min(255, v + floor(0.75 c + 0.5)).
int tint(int v, uint32_t highlight, int shift) {
    int c = int((highlight >> shift) & 0xFF);
    return std::min(255, v + int(std::floor(0.75 * c + 0.5)));
}

// The canvas as it should be, row by row, each pixel 0xAARRGGBB.
std::vector<uint32_t> expectedCanvas(int controller, bool active, uint32_t bits) {
    const std::vector<uint8_t>& picture = controllerPicture();
    uint32_t frame = active ? kControllers[controller].frame : kInactiveFrame;
    uint32_t highlight = kControllers[controller].highlight;
    std::vector<uint32_t> canvas(size_t(kWidth) * kHeight, frame);
    for (int y = 5; y < kHeight - 5; ++y) {
        for (int x = 5; x < kWidth - 5; ++x) {
            const uint8_t* p = &picture[size_t(((y - 5) * kPictureWidth + (x - 5)) * 3)];
            canvas[size_t(y * kWidth + x)] = argb(255, p[2], p[1], p[0]);
        }
    }
    for (const Square& s : inputSquares()) {
        if ((bits & s.bit) == 0) {
            continue;
        }
        for (int y = s.top; y < s.top + s.size; ++y) {
            for (int x = s.left; x < s.left + s.size; ++x) {
                uint32_t& v = canvas[size_t(y * kWidth + x)];
                v = argb(255, tint(int((v >> 16) & 0xFF), highlight, 16),
                         tint(int((v >> 8) & 0xFF), highlight, 8),
                         tint(int(v & 0xFF), highlight, 0));
            }
        }
    }
    return canvas;
}

uint32_t pixelValue(const uint8_t* p) {
    return argb(p[3], p[2], p[1], p[0]);
}

uint32_t canvasPixel(const PixelBuffer& canvas, int x, int y) {
    return pixelValue(canvas.data + (y * kWidth + x) * 4);
}

// Compares the canvas, and the scale-1 surface read upright, with `want`.
testing::AssertionResult shows(const AppState& s, const std::vector<uint32_t>& want) {
    if (s.viewSurface.width != kWidth || s.viewSurface.height != kHeight) {
        return testing::AssertionFailure()
               << "surface " << s.viewSurface.width << " x " << s.viewSurface.height;
    }
    const uint8_t* dib = static_cast<const uint8_t*>(s.viewSurface.bits);
    int wrong = 0;
    testing::AssertionResult result = testing::AssertionFailure();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint32_t expected = want[size_t(y * kWidth + x)];
            uint32_t canvas = canvasPixel(s.canvasBuffer, x, y);
            uint32_t window = pixelValue(dib + ((kHeight - 1 - y) * kWidth + x) * 4);
            if ((canvas != expected || window != expected) && wrong++ == 0) {
                result << "first at " << x << "," << y << ": canvas " << std::hex << canvas
                       << ", window " << window << ", expected " << expected << std::dec;
            }
        }
    }
    return wrong == 0 ? testing::AssertionSuccess() : (result << "; " << wrong << " pixels wrong");
}

class RenderTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        ASSERT_EQ(controllerPicture().size(), size_t(kPictureBytes)) << "picture not found";
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

    // The BitBlt of the nth paint copied width x height from (0, 0) of its
    // memory context to (0, 0) of the paint context.
    void expectBlit(int nth, int width, int height) {
        const FakeCall* blit = findCall("BitBlt", nth);
        const FakeCall* madeMemory = findCall("CreateCompatibleDC", nth);
        const FakeCall* deletedMemory = findCall("DeleteDC", nth);
        ASSERT_TRUE(blit != nullptr && madeMemory != nullptr && deletedMemory != nullptr);
        EXPECT_EQ(blit->args[0], madeMemory->args[0]); // the paint context
        EXPECT_EQ(blit->args[1], 0);
        EXPECT_EQ(blit->args[2], 0);
        EXPECT_EQ(blit->args[3], width);
        EXPECT_EQ(blit->args[4], height);
        EXPECT_EQ(blit->args[5], deletedMemory->args[0]); // the memory context
        EXPECT_EQ(blit->args[6], 0);                      // from its (0, 0)
    }

    HWND hwnd = nullptr;
};

} // namespace

TEST_F(RenderTest, CanvasIsThePictureInTheFrameWithHeldInputsTinted) {
    // Every render rewrites the whole canvas: each case starts from the one before.
    const uint32_t inputs[] = {
        0,           // nothing held
        0x001,       // Button 1
        kAllSixteen, // every arm and button; the centre of the cross has no input
        0x0FFFF000,  // buttons 13 to 16 and unused bits light nothing
        0xFFFFFFFF,
    };
    for (int controller = 0; controller < 5; ++controller) {
        for (bool active : {true, false}) {
            for (uint32_t bits : inputs) {
                SCOPED_TRACE(testing::Message() << "controller " << controller + 1 << ", active "
                                                << active << ", bits " << std::hex << bits);
                EXPECT_EQ(render(controller, active, bits), 0);
                EXPECT_EQ(state().viewDirty, 0);
                EXPECT_TRUE(shows(state(), expectedCanvas(controller, active, bits)));
            }
        }
    }
}

TEST_F(RenderTest, ButtonOneChangesOnlyItsSquare) {
    struct {
        int controller;
        uint32_t face, corner; // lit (327, 55) was (181, 188, 189); lit (313, 41) was (40, 41, 41)
    } cases[] = {{0, argb(255, 181, 255, 189), argb(255, 40, 232, 41)},
                 {1, argb(255, 192, 255, 255), argb(255, 51, 112, 232)}};
    for (const auto& c : cases) {
        render(c.controller, true, 0);
        std::vector<uint8_t> unlit(state().canvasBuffer.data,
                                   state().canvasBuffer.data + state().canvasBuffer.byteSize);
        EXPECT_EQ(canvasPixel(state().canvasBuffer, 327, 55), argb(255, 181, 188, 189));
        EXPECT_EQ(canvasPixel(state().canvasBuffer, 313, 41), argb(255, 40, 41, 41));
        render(c.controller, true, 0x001);
        int changed = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (canvasPixel(state().canvasBuffer, x, y) !=
                    pixelValue(&unlit[(y * kWidth + x) * 4])) {
                    ++changed;
                    EXPECT_TRUE(x >= 313 && x <= 341 && y >= 41 && y <= 69) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(changed, 29 * 29);
        EXPECT_EQ(canvasPixel(state().canvasBuffer, 327, 55), c.face);
        EXPECT_EQ(canvasPixel(state().canvasBuffer, 313, 41), c.corner);
    }
}

TEST_F(RenderTest, RenderShowsTheCanvasAtTheWindowScale) {
    state().windowScale = 2;
    EXPECT_EQ(render(0, true, 0), 0);
    EXPECT_EQ(state().viewSurface.width, 988);
    EXPECT_EQ(state().viewSurface.height, 370);
    EXPECT_EQ(findCall("CreateDIBSection")->args[0], reinterpret_cast<intptr_t>(kDc));
}

TEST_F(RenderTest, PaintRendersWhileDirtyAndAlwaysCopiesTheSurface) {
    state().windowActive = 1;
    paintView(hwnd);
    EXPECT_EQ(state().viewDirty, 0);
    EXPECT_TRUE(shows(state(), expectedCanvas(0, true, 0)));
    HDC paintDc = reinterpret_cast<HDC>(findCall("CreateCompatibleDC")->args[0]);
    EXPECT_EQ(findCall("CreateDIBSection")->args[0], reinterpret_cast<intptr_t>(paintDc));
    expectBlit(0, kWidth, kHeight);
    const FakeCall* select = findCall("SelectObject");
    EXPECT_EQ(select->args[0], findCall("DeleteDC")->args[0]);
    EXPECT_EQ(select->args[1], reinterpret_cast<intptr_t>(state().viewSurface.bitmap));
    const char* order[] = {"BeginPaint", "CreateCompatibleDC", "CreateDIBSection", "SelectObject",
                           "BitBlt",     "DeleteDC",           "EndPaint"};
    for (int i = 1; i < 7; ++i) {
        EXPECT_LT(callIndex(order[i - 1]), callIndex(order[i])) << order[i];
    }
    EXPECT_EQ(countCalls("SelectObject"), 2); // the previous object goes back in
    EXPECT_LT(callIndex("SelectObject", 1), callIndex("DeleteDC"));

    // Clean: the last frame is copied at its own size, whatever changed since.
    std::vector<uint8_t> frame(state().canvasBuffer.data,
                               state().canvasBuffer.data + state().canvasBuffer.byteSize);
    state().inputBits = kAllSixteen;
    state().windowActive = 0;
    state().windowScale = 3;
    paintView(hwnd);
    EXPECT_EQ(countCalls("CreateDIBSection"), 1);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), state().canvasBuffer.data));
    expectBlit(1, kWidth, kHeight);
    EXPECT_EQ(countCalls("EndPaint"), 2);
}

TEST_F(RenderTest, PaintAfterAFailedSurfaceCopiesNothingUntilTheNextRender) {
    fake().createDibSectionFails = true;
    paintView(hwnd);
    EXPECT_EQ(state().viewDirty, 0);
    expectBlit(0, 0, 0);
    EXPECT_EQ(countCalls("EndPaint"), 1);

    fake().createDibSectionFails = false;
    paintView(hwnd);
    EXPECT_EQ(countCalls("CreateDIBSection"), 1);
    expectBlit(1, 0, 0);

    state().viewDirty = 1;
    paintView(hwnd);
    EXPECT_EQ(countCalls("CreateDIBSection"), 2);
    expectBlit(2, kWidth, kHeight);
    EXPECT_EQ(countCalls("EndPaint"), 3);
}

TEST_F(RenderTest, ActivationChangeMarksTheViewDirtyAndRepaintsAtOnce) {
    struct {
        int32_t before;
        WPARAM wParam;
        bool changes;
    } cases[] = {{0, 1, true}, {1, 0, true}, {0, 0, false}, {1, 1, false}};
    for (const auto& c : cases) {
        SetUp();
        state().windowActive = c.before;
        state().viewDirty = 0;
        onActivationChanged(hwnd, c.wParam);
        EXPECT_EQ(state().windowActive, int32_t(c.wParam));
        EXPECT_EQ(state().viewDirty, c.changes ? 1 : 0);
        ASSERT_EQ(countCalls("InvalidateRect"), c.changes ? 1 : 0);
        ASSERT_EQ(countCalls("UpdateWindow"), c.changes ? 1 : 0);
        if (c.changes) {
            const FakeCall* invalidate = findCall("InvalidateRect");
            EXPECT_EQ(invalidate->args[0], reinterpret_cast<intptr_t>(hwnd));
            EXPECT_EQ(invalidate->args[1], 0);
            EXPECT_EQ(invalidate->args[2], TRUE);
            EXPECT_EQ(findCall("UpdateWindow")->args[0], reinterpret_cast<intptr_t>(hwnd));
            EXPECT_LT(callIndex("InvalidateRect"), callIndex("UpdateWindow"));
        }
    }
}
