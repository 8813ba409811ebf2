#include "test_support.h"
#include "injected_input.h"

#include <cmath>
#include <string>
#include <vector>

#include "input/controllers.h"
#include "input/emulation.h"

namespace {

constexpr LONG kStyle = static_cast<LONG>(0x80CA0000u);
HWND const kDialog = reinterpret_cast<HWND>(0x2000);

constexpr int32_t kSlow = 0;
constexpr int32_t kMedium = 1;
constexpr int32_t kFast = 2;
constexpr int32_t kLinear = 0;
constexpr int32_t kCurved = 1;

// Axes run 0..2000, so a position reads as position / 1000 - 1: exactly
// for the halves and wholes the tests mostly use.
constexpr DWORD kAxisMax = 2000;
DWORD position(double value) {
    return static_cast<DWORD>(std::lround((value + 1.0) * 1000.0));
}

std::string describeMotion(const MOUSEINPUT& motion) {
    if (motion.dwFlags == 0 && motion.dx == 0 && motion.dy == 0 && motion.mouseData == 0) {
        return "nothing";
    }
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi = motion;
    return describeInput(input);
}

class MouseEmulationTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = fakeBareWindow({100, 100, 594, 285}, kStyle);
    }

    void plug(int id, bool hasPov) {
        fakeJoystickPlug(id, hasPov);
        JOYCAPSW& caps = fake().joystick.caps[id];
        caps.wXmax = caps.wYmax = caps.wZmax = caps.wRmax = kAxisMax;
        stick(0.0, 0.0, 0.0, id);
    }

    void stick(double x, double y, double r = 0.0, int id = 0) {
        JOYINFOEX& joy = fake().joystick.state[id];
        joy.dwXpos = position(x);
        joy.dwYpos = position(y);
        joy.dwZpos = position(0.0);
        joy.dwRpos = position(r);
    }

    std::string tick() {
        const int first = fake().inputCount;
        emulationTick();
        return describeInputsSince(first);
    }
    std::vector<std::string> ticks(int n) {
        std::vector<std::string> result;
        for (int i = 0; i < n; ++i) {
            result.push_back(tick());
        }
        return result;
    }
};

} // namespace

TEST(MouseMotion, DeadZoneTruncationAndWheel) {
    const float justOutside = std::nextafter(0.03f, 1.0f);
    const struct {
        const char* name;
        float x, y, r, factor;
        const char* expected;
    } cases[] = {
        {"0.03 is inside", 0.03f, 0.0f, 0.0f, 70.0f, "nothing"},
        {"-0.03 is inside", -0.03f, -0.03f, 0.0f, 70.0f, "nothing"},
        {"both near the centre", 0.02f, 0.02f, 0.0f, 70.0f, "nothing"},
        {"just past 0.03", justOutside, 0.0f, 0.0f, 70.0f, "MOVE dx=2 dy=0"},
        {"just past -0.03 on Y", 0.0f, -justOutside, 0.0f, 70.0f, "MOVE dx=0 dy=-2"},
        {"0.031 at Fast", 0.031f, 0.0f, 0.0f, 70.0f, "MOVE dx=2 dy=0"},
        {"0.7 of a pixel is dropped", 0.5f, 0.01f, 0.0f, 70.0f, "MOVE dx=35 dy=0"},
        {"X inside the zone still counts", 0.02f, 0.5f, 0.0f, 70.0f, "MOVE dx=1 dy=35"},
        {"Y inside the zone still counts", 0.5f, -0.02f, 0.0f, 70.0f, "MOVE dx=35 dy=-1"},
        {"negative truncates toward zero", -0.25f, 0.0f, 0.0f, 14.0f, "MOVE dx=-3 dy=0"},
        {"full deflection up and left", -1.0f, -1.0f, 0.0f, 28.0f, "MOVE dx=-28 dy=-28"},
        {"0.99 at Medium", 0.0f, 0.99f, 0.0f, 28.0f, "MOVE dx=0 dy=27"},
        {"wheel forward", 0.0f, 0.0f, -0.5f, 70.0f, "WHEEL wheel=60"},
        {"wheel backward, one notch", 0.0f, 0.0f, 1.0f, 14.0f, "WHEEL wheel=-120"},
        {"wheel truncates toward zero", 0.0f, 0.0f, 0.031f, 14.0f, "WHEEL wheel=-3"},
        {"wheel almost a notch", 0.0f, 0.0f, -0.999f, 14.0f, "WHEEL wheel=119"},
        {"wheel 0.03 is inside", 0.0f, 0.0f, 0.03f, 14.0f, "nothing"},
        {"wheel -0.03 is inside", 0.0f, 0.0f, -0.03f, 14.0f, "nothing"},
        {"wheel 0.02", 0.0f, 0.0f, 0.02f, 14.0f, "nothing"},
        {"motion and wheel together", 1.0f, 0.0f, 1.0f, 70.0f, "MOVE WHEEL dx=70 dy=0 wheel=-120"},
        {"wheel alone leaves dx and dy 0", 0.02f, -0.02f, 0.5f, 70.0f, "WHEEL wheel=-60"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeMotion(mouseMotion(c.x, c.y, c.r, c.factor, 120.0f)), c.expected)
            << c.name;
    }
}

TEST_F(MouseEmulationTest, FullDeflectionMovesBySpeedFactorPixelsPerTick) {
    plug(0, true);
    discoverControllers();
    stick(1.0, -1.0);
    const struct {
        int32_t speed;
        const char* expected;
    } cases[] = {
        {kSlow, "MOVE dx=14 dy=-14"},
        {kMedium, "MOVE dx=28 dy=-28"},
        {kFast, "MOVE dx=70 dy=-70"},
        {kSlow, "MOVE dx=14 dy=-14"},
    };
    // A new speed takes effect on the very next tick.
    for (const auto& c : cases) {
        state().mouseSpeed = c.speed;
        EXPECT_EQ(tick(), c.expected);
        EXPECT_EQ(state().mouseSpeedFactor, static_cast<float>(speedFactor(c.speed)));
    }
    EXPECT_EQ(speedFactor(kSlow), 14);
    EXPECT_EQ(speedFactor(kMedium), 28);
    EXPECT_EQ(speedFactor(kFast), 70);
}

TEST_F(MouseEmulationTest, EachTickSendsAtMostOneRecordFromTheStickAndWheel) {
    const struct {
        const char* name;
        int32_t speed, curve;
        double x, y, r;
        const char* expected;
    } cases[] = {
        {"Medium, half right", kMedium, kLinear, 0.5, 0.0, 0.0, "MOVE dx=14 dy=0"},
        {"Fast, 0.5 and 0.01", kFast, kLinear, 0.5, 0.01, 0.0, "MOVE dx=35 dy=0"},
        {"Fast, inside the dead zone", kFast, kLinear, 0.02, 0.02, 0.0, ""},
        {"Fast, 0.031", kFast, kLinear, 0.031, 0.0, 0.0, "MOVE dx=2 dy=0"},
        {"Slow, under a pixel, never adds up", kSlow, kLinear, 0.05, 0.0, 0.0, "MOVE dx=0 dy=0"},
        {"Slow, curved -0.5", kSlow, kCurved, -0.5, 0.0, 0.0, "MOVE dx=-3 dy=0"},
        {"Medium, curved 0.15 falls inside", kMedium, kCurved, 0.15, 0.0, 0.0, ""},
        {"Medium, curved halves", kMedium, kCurved, 0.5, -0.5, 0.0, "MOVE dx=7 dy=-7"},
        {"wheel, full", kSlow, kLinear, 0.0, 0.0, 1.0, "WHEEL wheel=-120"},
        {"wheel, half the other way", kSlow, kLinear, 0.0, 0.0, -0.5, "WHEEL wheel=60"},
        {"wheel, 0.02", kSlow, kLinear, 0.0, 0.0, 0.02, ""},
        {"wheel is never curved", kMedium, kCurved, 0.0, 0.0, 0.5, "WHEEL wheel=-60"},
        {"motion and wheel", kFast, kLinear, 1.0, 0.0, 1.0, "MOVE WHEEL dx=70 dy=0 wheel=-120"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        plug(0, true);
        discoverControllers();
        state().mouseSpeed = c.speed;
        state().mouseCurve = c.curve;
        stick(c.x, c.y, c.r);

        // Nothing carries over from one tick to the next.
        EXPECT_EQ(ticks(4), std::vector<std::string>(4, c.expected));
        EXPECT_EQ(fake().sendInputCalls, fake().inputCount);
    }
}

TEST_F(MouseEmulationTest, MotionAndWheelTravelInOneRecord) {
    plug(0, true);
    discoverControllers();
    state().mouseSpeed = kFast;
    stick(1.0, 0.0, 1.0);

    emulationTick();

    ASSERT_EQ(fake().inputCount, 1);
    const INPUT& input = fake().inputs[0];
    EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_MOUSE));
    EXPECT_EQ(input.mi.dwFlags, 0x0801u);
    EXPECT_EQ(input.mi.dx, 70);
    EXPECT_EQ(input.mi.dy, 0);
    EXPECT_EQ(static_cast<LONG>(input.mi.mouseData), -120);
}

TEST_F(MouseEmulationTest, OnlyThePointerControllerMovesThePointer) {
    // Two controllers with hats: the lower one is the pointer controller.
    plug(0, true);
    plug(2, true);
    discoverControllers();
    state().activeController = 2;
    state().profiles[2].mappingCodes[3] = 39; // D-pad Right
    stick(1.0, 1.0, 1.0, 2);
    fake().joystick.state[2].dwPOV = 9000;
    EXPECT_EQ(ticks(3), (std::vector<std::string>{"K39 down", "", ""}));

    // A controller without a hat: its stick is the D-pad and nothing else.
    SetUp();
    plug(0, false);
    discoverControllers();
    ASSERT_EQ(state().mouseController, -1);
    stick(1.0, 0.0, 1.0);
    EXPECT_EQ(state().profiles[0].mappingCodes[3], 39);
    EXPECT_EQ(ticks(3), (std::vector<std::string>{"K39 down", "", ""}));
}

TEST_F(MouseEmulationTest, TheStickMovesThePointerWhileADialogIsOpen) {
    plug(0, true);
    discoverControllers();
    state().hwndDialog = kDialog;
    fake().joystick.state[0].dwButtons = 0x1; // mapped to Backspace
    stick(-1.0, 0.5, -1.0);

    EXPECT_EQ(ticks(2), std::vector<std::string>(2, "MOVE WHEEL dx=-14 dy=7 wheel=120"));
}

TEST_F(MouseEmulationTest, AFailedPollMovesNothing) {
    plug(0, true);
    discoverControllers();
    stick(1.0, 1.0, 1.0);
    fake().joystick.pollFails[0] = true;

    EXPECT_EQ(ticks(3), std::vector<std::string>(3, ""));
}

TEST_F(MouseEmulationTest, MotionIsAlwaysRelative) {
    plug(0, true);
    discoverControllers();
    const double positions[] = {-1.0, -0.6, -0.1, -0.02, 0.0, 0.04, 0.3, 0.97, 1.0};
    int ticked = 0;
    for (int32_t speed : {kSlow, kMedium, kFast}) {
        for (int32_t curve : {kLinear, kCurved}) {
            state().mouseSpeed = speed;
            state().mouseCurve = curve;
            for (double x : positions) {
                for (double y : positions) {
                    stick(x, y, -y);
                    const int before = fake().inputCount;
                    emulationTick();
                    ++ticked;
                    ASSERT_LE(fake().inputCount - before, 1);
                }
            }
        }
    }
    ASSERT_GT(fake().inputCount, ticked / 2);
    EXPECT_EQ(fake().sendInputCalls, fake().inputCount);
    for (int i = 0; i < fake().inputCount; ++i) {
        const INPUT& input = fake().inputs[i];
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_MOUSE));
        EXPECT_EQ(input.mi.dwFlags & ~DWORD{MOUSEEVENTF_MOVE | MOUSEEVENTF_WHEEL}, 0u)
            << describeInput(input);
        EXPECT_EQ(input.mi.time, 0u);
        EXPECT_EQ(input.mi.dwExtraInfo, 0u);
    }
}
