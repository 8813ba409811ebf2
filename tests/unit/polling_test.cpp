#include "test_support.h"
#include "alloc_counter.h"

#include <cmath>
#include <initializer_list>

#include "input/controllers.h"

namespace {

HWND const kMainWindow = reinterpret_cast<HWND>(0x1000);
HWND const kDialog = reinterpret_cast<HWND>(0x2000);

// Raw position that reads as value on the usual 0..65535 axis.
DWORD rawFor(float value) {
    return static_cast<DWORD>(std::lround((value + 1.0) / 2.0 * 65535.0));
}

struct PollingTest : TavlorTest {
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = kMainWindow;
    }

    // Plugs the ids, runs discovery as window creation does and starts from a clean view.
    void plug(std::initializer_list<int> ids, bool hasPov) {
        for (int id : ids) {
            fakeJoystickPlug(id, hasPov);
        }
        discoverControllers();
        state().viewDirty = 0;
    }

    JOYINFOEX& joy(int id) { return fake().joystick.state[id]; }
    int polls(int id) { return fake().joystick.polls[id]; }
};

TEST_F(PollingTest, AxesAreNormalisedAndOnlyTheStickIsCurved) {
    for (int curve : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "mouseCurve " << curve);
        resetFakeWin32();
        fakeJoystickPlug(0, true);
        JOYCAPSW& caps = fake().joystick.caps[0];
        caps.wXmax = 1000;
        caps.wYmax = 2000;
        caps.wZmax = 4000;
        caps.wRmax = 8000;
        discoverControllers();
        joy(0).dwXpos = 750;  // 0.5
        joy(0).dwYpos = 500;  // -0.5
        joy(0).dwZpos = 3000; // 0.5
        joy(0).dwRpos = 6000; // 0.5
        state().mouseCurve = curve;

        emulationTick();

        const float stick = curve != 0 ? 0.25f : 0.5f;
        EXPECT_FLOAT_EQ(state().axes[0], stick);
        EXPECT_FLOAT_EQ(state().axes[1], -stick);
        EXPECT_FLOAT_EQ(state().axes[2], 0.5f);
        EXPECT_FLOAT_EQ(state().axes[3], 0.5f);
    }
}

TEST_F(PollingTest, InputBitsComeFromButtonsAndTheHatOrStick) {
    const DWORD centre = rawFor(0.0f);
    const struct {
        bool hasPov;
        int curve;
        DWORD buttons;
        DWORD pov;
        DWORD x, y;
        uint32_t expected;
    } cases[] = {
        {true, 0, 0x0001, JOY_POVCENTERED, centre, centre, 0x0001},
        {true, 0, 0xFFFF0803u, JOY_POVCENTERED, centre, centre, 0x0803},
        {true, 0, 0, 4500, centre, centre, kDpadUp | kDpadRight},
        // With a hat the stick moves the pointer only.
        {true, 0, 0x0004, 9000, 0, 65535, 0x0004 | kDpadRight},
        // Without a hat the reported angle is ignored.
        {false, 0, 0, 0, 0, centre, kDpadLeft},
        {false, 0, 0x0002, JOY_POVCENTERED, centre, 65535, 0x0002 | kDpadDown},
        {false, 0, 0, JOY_POVCENTERED, rawFor(0.94f), centre, kDpadRight},
        {false, 1, 0, JOY_POVCENTERED, rawFor(0.94f), centre, 0},
        {false, 1, 0, JOY_POVCENTERED, rawFor(0.95f), centre, kDpadRight},
        {false, 1, 0, JOY_POVCENTERED, rawFor(-0.95f), rawFor(-0.95f), kDpadLeft | kDpadUp},
        {false, 1, 0, JOY_POVCENTERED, centre, rawFor(0.94f), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        resetFakeWin32();
        fakeJoystickPlug(0, c.hasPov);
        discoverControllers();
        state().mouseCurve = c.curve;
        joy(0).dwButtons = c.buttons;
        joy(0).dwPOV = c.pov;
        joy(0).dwXpos = c.x;
        joy(0).dwYpos = c.y;

        emulationTick();

        EXPECT_EQ(state().inputBits, c.expected);
    }
}

TEST_F(PollingTest, PollsTheActiveControllerOnly) {
    fakeJoystickPlug(0, true);
    fakeJoystickPlug(2, false);
    discoverControllers();
    state().activeController = 2;
    joy(0).dwButtons = 0x1;
    joy(2).dwButtons = 0x2;
    joy(2).dwPOV = 0; // ignored: this controller has no hat

    emulationTick();

    EXPECT_EQ(polls(0), 0);
    EXPECT_EQ(polls(2), 1);
    EXPECT_EQ(state().inputBits, 0x2u);
}

TEST_F(PollingTest, EdgesFollowTheButtonsAcrossTicks) {
    plug({0}, true);
    const struct {
        DWORD buttons;
        uint32_t previous, changed, pressed, released;
    } ticks[] = {
        {0x1, 0x0, 0x1, 0x1, 0x0}, {0x3, 0x1, 0x2, 0x2, 0x0}, {0x2, 0x3, 0x1, 0x0, 0x1},
        {0x2, 0x2, 0x0, 0x0, 0x0}, {0x0, 0x2, 0x2, 0x0, 0x2},
    };
    for (const auto& t : ticks) {
        SCOPED_TRACE(testing::Message() << "tick " << (&t - ticks));
        joy(0).dwButtons = t.buttons;
        emulationTick();
        EXPECT_EQ(state().inputBits, t.buttons);
        EXPECT_EQ(state().previousInputBits, t.previous);
        EXPECT_EQ(state().changedBits, t.changed);
        EXPECT_EQ(state().pressedBits, t.pressed);
        EXPECT_EQ(state().releasedBits, t.released);
    }
}

TEST_F(PollingTest, AChangedInputRepaintsTheMainWindowAtOnce) {
    plug({0}, true);
    joy(0).dwButtons = 0xF000; // buttons 13 to 16: mapped to nothing, still shown

    emulationTick();

    EXPECT_EQ(state().inputBits, 0xF000u);
    EXPECT_EQ(state().changedBits, 0xF000u);
    EXPECT_EQ(state().viewDirty, 1);
    ASSERT_EQ(countCalls("InvalidateRect"), 1);
    const FakeCall* invalidate = findCall("InvalidateRect");
    EXPECT_EQ(invalidate->args[0], reinterpret_cast<intptr_t>(kMainWindow));
    EXPECT_EQ(invalidate->args[1], 0);
    EXPECT_NE(invalidate->args[2], 0);
    ASSERT_EQ(countCalls("UpdateWindow"), 1);
    EXPECT_EQ(findCall("UpdateWindow")->args[0], reinterpret_cast<intptr_t>(kMainWindow));
    EXPECT_LT(callIndex("InvalidateRect"), callIndex("UpdateWindow"));
}

TEST_F(PollingTest, AxisMovementAloneDoesNotRepaint) {
    plug({0}, true);
    emulationTick();
    for (DWORD position : {0u, 20000u, 65535u}) {
        joy(0).dwXpos = joy(0).dwYpos = joy(0).dwZpos = joy(0).dwRpos = position;
        emulationTick();
    }

    EXPECT_EQ(state().axes[0], 1.0f);
    EXPECT_EQ(state().viewDirty, 0);
    EXPECT_EQ(countCalls("InvalidateRect"), 0);
    EXPECT_EQ(countCalls("UpdateWindow"), 0);

    // A redraw someone else asked for is carried out by the next tick.
    state().viewDirty = 1;
    emulationTick();
    EXPECT_EQ(countCalls("InvalidateRect"), 1);
}

TEST_F(PollingTest, ALostControllerGoesDarkAndIsNotPolledAgain) {
    plug({0, 1}, true);
    joy(0).dwButtons = 0x5;
    joy(0).dwPOV = 9000;
    joy(0).dwXpos = 0;
    emulationTick();
    joy(0).dwButtons = 0x6;
    emulationTick();
    ASSERT_EQ(state().inputBits, 0x6u | kDpadRight);
    state().viewDirty = 0;
    const int repaintsBefore = countCalls("InvalidateRect");

    fake().joystick.pollFails[0] = true;
    emulationTick();

    const AppState& s = state();
    EXPECT_EQ(s.controllers[0].present, 0);
    EXPECT_EQ(s.controllerCount, 1);
    EXPECT_EQ(s.inputBits, 0u);
    EXPECT_EQ(s.previousInputBits, 0x6u | kDpadRight);
    EXPECT_EQ(s.changedBits, 0x6u | kDpadRight);
    EXPECT_EQ(s.pressedBits, 0x2u);
    EXPECT_EQ(s.releasedBits, 0x1u);
    EXPECT_EQ(s.axes[0], -1.0f);
    EXPECT_EQ(s.viewDirty, 1);
    EXPECT_EQ(countCalls("InvalidateRect"), repaintsBefore + 1);

    // One controller is still counted, so the tick never rediscovers by itself.
    const int pollsBefore = polls(0);
    const int queriesBefore = fake().joystick.capsQueries;
    for (int i = 0; i < 1200; ++i) {
        emulationTick();
    }
    EXPECT_EQ(polls(0), pollsBefore);
    EXPECT_EQ(polls(1), 0);
    EXPECT_EQ(fake().joystick.capsQueries, queriesBefore);
    EXPECT_EQ(s.activeController, 0);
    EXPECT_EQ(s.changedBits, 0x6u | kDpadRight);
}

TEST_F(PollingTest, WithoutControllersDiscoveryRunsEvery501Ticks) {
    plug({}, true);
    ASSERT_EQ(fake().joystick.capsQueries, kControllerSlots);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        for (int i = 0; i < 500; ++i) {
            emulationTick();
        }
        EXPECT_EQ(fake().joystick.capsQueries, round * kControllerSlots);
        EXPECT_EQ(state().rediscoveryTicks, 500);
        emulationTick();
        EXPECT_EQ(fake().joystick.capsQueries, (round + 1) * kControllerSlots);
        EXPECT_EQ(state().rediscoveryTicks, 0);
    }
    for (int id = 0; id < kControllerSlots; ++id) {
        EXPECT_EQ(polls(id), 0) << id;
    }
    EXPECT_EQ(countCalls("InvalidateRect"), 0);
}

TEST_F(PollingTest, TheOnlyControllerComingBackIsFoundAndPressesAgain) {
    plug({0}, true);
    joy(0).dwButtons = 0x1;
    emulationTick();
    fake().joystick.pollFails[0] = true;
    emulationTick(); // the failed tick counts as the first without a controller
    ASSERT_EQ(state().controllerCount, 0);
    const int queriesBefore = fake().joystick.capsQueries;

    fake().joystick.pollFails[0] = false;
    for (int i = 0; i < 499; ++i) {
        emulationTick();
    }
    EXPECT_EQ(fake().joystick.capsQueries, queriesBefore);
    emulationTick();
    EXPECT_EQ(fake().joystick.capsQueries, queriesBefore + kControllerSlots);
    EXPECT_EQ(state().controllerCount, 1);

    emulationTick();
    EXPECT_EQ(state().inputBits, 0x1u);
    EXPECT_EQ(state().pressedBits, 0x1u);
}

TEST_F(PollingTest, AnOpenDialogDoesNotStopPolling) {
    plug({0}, true);
    state().hwndDialog = kDialog;
    joy(0).dwButtons = 0x1;

    emulationTick();

    EXPECT_EQ(polls(0), 1);
    EXPECT_EQ(state().inputBits, 0x1u);
    EXPECT_EQ(countCalls("InvalidateRect"), 1);
}

TEST_F(PollingTest, TheTickAllocatesNothing) {
    plug({0}, true); // the pointer controller, so both emulations run
    state().mouseCurve = 1;
    emulationTick();

    // Inputs changing on every tick, a lost controller, rediscovery and polling again.
    const DWORD hat[] = {JOY_POVCENTERED, 0, 4500, 9000, 27000};
    const size_t before = allocationCount();
    for (int i = 0; i < 2000; ++i) {
        joy(0).dwButtons = static_cast<DWORD>(i % 7);
        joy(0).dwPOV = hat[i % 5];
        joy(0).dwXpos = static_cast<DWORD>((i * 997) % 65536);
        joy(0).dwYpos = static_cast<DWORD>((i * 331) % 65536);
        joy(0).dwRpos = static_cast<DWORD>((i * 127) % 65536);
        fake().joystick.pollFails[0] = i >= 500 && i < 600;
        emulationTick();
    }
    const size_t after = allocationCount();

    EXPECT_EQ(after, before);
    EXPECT_EQ(state().controllers[0].present, 1);
    EXPECT_EQ(polls(0), 1 + 501 + 999);
    EXPECT_GT(fake().inputCount, 0);
}

} // namespace
