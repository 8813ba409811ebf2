#include "test_support.h"
#include "injected_input.h"

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_window.h"
#include "input/controllers.h"
#include "input/emulation.h"

namespace {

const HWND kDialog = reinterpret_cast<HWND>(0x2000);

// Inputs in input order: the D-pad, then Buttons 1 to 12.
constexpr int kUp = 0;
constexpr int kRight = 3;
constexpr auto buttonSlot = [](int n) { return 3 + n; };
constexpr auto button = [](int n) { return DWORD{1} << (n - 1); };

constexpr DWORD kHatUpRight = 4500;
constexpr DWORD kCentred = JOY_POVCENTERED;

constexpr uint8_t kMouseLeft = 1;
constexpr uint8_t kMouseRight = 2;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kSpace = 32;
constexpr uint8_t kArrowUp = 38;
constexpr uint8_t kArrowRight = 39;
constexpr uint8_t kInsert = 45;
constexpr uint8_t kCtrlRight = 163;

constexpr int32_t kSlow = 0, kMedium = 1, kFast = 2;
constexpr int32_t kLinear = 0, kCurved = 1;

// What each tick injected, one string per tick.
using Ticks = std::vector<std::string>;

Ticks operator+(Ticks a, const Ticks& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Ticks times(int n, const std::string& text) {
    return Ticks(static_cast<size_t>(n), text);
}

enum class Mode { Single, Auto, DelayedAuto };

// A press on tick 0, held until tick `held`, which sees the release: Auto
// repeats on every tick in between, Delayed Auto from the 13th on.
Ticks expectedHold(Mode mode, int held, const std::string& down, const std::string& up) {
    Ticks ticks{down};
    for (int t = 1; t < held; ++t) {
        bool repeats = mode == Mode::Auto || (mode == Mode::DelayedAuto && t >= 13);
        ticks.push_back(repeats ? up + ", " + down : "");
    }
    ticks.push_back(up);
    return ticks;
}

// Controllers 0 and 1, both with a hat and axes running 0..2000, so that a
// position reads as position / 1000 - 1. Controller 0 is active and moves the
// pointer, its stick centred. Every mapping starts unassigned.
class EmulationTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = fakeBareWindow({100, 100, 594, 285}, 0);
        for (int id : {0, 1}) {
            fakeJoystickPlug(id, true);
            JOYCAPSW& caps = fake().joystick.caps[id];
            caps.wXmax = caps.wYmax = caps.wZmax = caps.wRmax = 2000;
            stick(0.0, 0.0, 0.0, id);
        }
        discoverControllers();
        for (ControllerProfile& profile : state().profiles) {
            std::fill(std::begin(profile.mappingCodes), std::end(profile.mappingCodes), 0);
        }
    }

    void map(int slot, uint8_t code, int controller = 0) {
        state().profiles[controller].mappingCodes[slot] = code;
    }
    // What the controller reports from its next poll on.
    void hold(DWORD buttons, DWORD hat = kCentred, int id = 0) {
        fake().joystick.state[id].dwButtons = buttons;
        fake().joystick.state[id].dwPOV = hat;
    }
    void letGo(int id = 0) { hold(0, kCentred, id); }
    void stick(double x, double y, double r = 0.0, int id = 0) {
        JOYINFOEX& joy = fake().joystick.state[id];
        joy.dwXpos = static_cast<DWORD>(std::lround((x + 1.0) * 1000.0));
        joy.dwYpos = static_cast<DWORD>(std::lround((y + 1.0) * 1000.0));
        joy.dwZpos = 1000;
        joy.dwRpos = static_cast<DWORD>(std::lround((r + 1.0) * 1000.0));
    }

    std::string tick() {
        const int first = fake().inputCount;
        emulationTick();
        return describeInputsSince(first);
    }
    Ticks ticks(int n) {
        Ticks result;
        for (int i = 0; i < n; ++i) {
            result.push_back(tick());
        }
        return result;
    }
    // Holds for `held` ticks, then lets go for one more.
    Ticks press(DWORD buttons, DWORD hat, int held) {
        hold(buttons, hat);
        Ticks result = ticks(held);
        letGo();
        return result + Ticks{tick()};
    }
};

} // namespace

// --- Buttons and keys ---

// Field values 3 and 6 carry the delay bit, 5 does not.
TEST_F(EmulationTest, EachGroupRepeatsAsItsTriggerFieldSays) {
    const std::tuple<uint32_t, int, Mode, int> cases[] = {
        {0x000, 1, Mode::Single, 5},       {0x001, 1, Mode::Auto, 5},
        {0x002, 4, Mode::DelayedAuto, 17}, {0x003, 2, Mode::DelayedAuto, 15},
        {0x005, 3, Mode::Auto, 4},         {0x060, 6, Mode::DelayedAuto, 15},
        {0x010, 5, Mode::Auto, 4},         {0x200, 9, Mode::DelayedAuto, 15},
        {0xFF0, 1, Mode::Single, 15},      {0xF0F, 7, Mode::Single, 15},
        {0x0FF, 11, Mode::Single, 15},
    };
    for (const auto& [modes, n, mode, held] : cases) {
        SCOPED_TRACE(testing::Message() << "modes " << std::hex << modes);
        SetUp();
        map(buttonSlot(n), kSpace);
        state().triggerModes = modes;
        // The countdown restarted by the release runs out without a sound.
        EXPECT_EQ(press(button(n), kCentred, held) + ticks(15),
                  expectedHold(mode, held, "K32 down", "K32 up") + times(15, ""));
    }
}

TEST_F(EmulationTest, AReleaseDuringTheDelayedWaitEndsThePressAndANewPressWaitsAgain) {
    map(buttonSlot(1), kSpace);
    state().triggerModes = 0x002;

    EXPECT_EQ(press(button(1), kCentred, 4) + ticks(20),
              Ticks{"K32 down"} + times(3, "") + Ticks{"K32 up"} + times(20, ""));

    // Pressed again while the countdown of the release is still running.
    EXPECT_EQ(press(button(1), kCentred, 3) + ticks(2),
              (Ticks{"K32 down", "", "", "K32 up", "", ""}));
    hold(button(1));
    EXPECT_EQ(ticks(15), Ticks{"K32 down"} + times(12, "") + times(2, "K32 up, K32 down"));
}

TEST_F(EmulationTest, TheDpadNeverRepeats) {
    const std::pair<DWORD, int> directions[] = {{0, 38}, {9000, 39}, {18000, 40}, {27000, 37}};
    for (const auto& [hat, key] : directions) {
        SetUp();
        const uint8_t arrows[] = {38, 40, 37, 39};
        for (int slot = kUp; slot <= kRight; ++slot) {
            map(slot, arrows[slot]);
        }
        state().triggerModes = 0x111;
        const std::string k = "K" + std::to_string(key);
        EXPECT_EQ(press(0, hat, 5), expectedHold(Mode::Single, 5, k + " down", k + " up")) << hat;
    }
}

// The text would show any dx, dy or wheel data the records carried.
TEST_F(EmulationTest, MouseButtonsOnAutoClickWhereThePointerIs) {
    const std::tuple<uint8_t, const char*, const char*> cases[] = {
        {1, "LDOWN", "LUP"}, {2, "RDOWN", "RUP"}, {4, "MDOWN", "MUP"}};
    for (const auto& [code, down, up] : cases) {
        SetUp();
        map(buttonSlot(2), code);
        state().triggerModes = 0x001;
        EXPECT_EQ(press(button(2), kCentred, 4), expectedHold(Mode::Auto, 4, down, up));
    }
}

// Keys go by virtual key alone: Right Ctrl and Insert carry no extended-key flag.
TEST_F(EmulationTest, InputsOfOneTickGoOutInInputOrderOneEventPerCall) {
    map(kUp, kArrowUp);
    map(kRight, kArrowRight);
    map(buttonSlot(1), kCtrlRight);
    map(buttonSlot(3), kMouseLeft);
    map(buttonSlot(5), kEnter);
    map(buttonSlot(12), kInsert);
    state().triggerModes = 0x111;
    hold(button(12) | button(5) | button(3) | button(1), kHatUpRight);

    EXPECT_EQ(tick(), "K38 down, K39 down, K163 down, LDOWN, K13 down, K45 down");
    EXPECT_EQ(tick(), "K163 up, K163 down, LUP, LDOWN, K13 up, K13 down, K45 up, K45 down");
    letGo();
    EXPECT_EQ(tick(), "K38 up, K39 up, K163 up, LUP, K13 up, K45 up");
    // The stand-in refuses a wrong cbSize, so every record was accepted.
    EXPECT_EQ(fake().inputCount, 20);
    EXPECT_EQ(fake().sendInputCalls, 20);
}

TEST_F(EmulationTest, UnassignedInputsInjectNothingInAnyMode) {
    for (uint32_t modes : {0x000u, 0x111u, 0x222u}) {
        SetUp();
        state().triggerModes = modes;
        press(0xFFF, kHatUpRight, 20);
        EXPECT_EQ(fake().inputCount, 0) << modes;
    }
}

TEST_F(EmulationTest, ChangingTheModeWhileHeldTakesEffectOnTheNextTick) {
    const std::tuple<uint32_t, uint32_t, Ticks> cases[] = {
        {0x000, 0x001, times(3, "K32 up, K32 down")},
        {0x001, 0x000, times(3, "")},
        {0x002, 0x000, times(12, "")},
        // The wait started by the press still runs out first.
        {0x002, 0x001, times(10, "") + times(2, "K32 up, K32 down")},
        // Only a press starts the wait.
        {0x000, 0x002, times(2, "K32 up, K32 down")},
    };
    for (const auto& [before, after, following] : cases) {
        SCOPED_TRACE(testing::Message() << before << " to " << after);
        SetUp();
        map(buttonSlot(1), kSpace);
        state().triggerModes = before;
        hold(button(1));
        ASSERT_EQ(tick(), "K32 down");
        ticks(2);

        state().triggerModes = after;
        EXPECT_EQ(ticks(static_cast<int>(following.size())), following);
        letGo();
        EXPECT_EQ(tick(), "K32 up");
    }
}

// A held input's release always lets go of the code it pressed.
TEST_F(EmulationTest, ChangingAMappingWhileHeldReleasesTheCodeThatWasPressed) {
    const struct {
        uint32_t modes;
        uint8_t before, after;
        Ticks whileHeld;
        const char *release, *nextPress;
    } cases[] = {
        {0x000, kBackspace, kEnter, times(3, ""), "K8 up", "K13 down"},
        {0x001, kBackspace, kEnter, Ticks{"K8 up, K13 down"} + times(2, "K13 up, K13 down"),
         "K13 up", "K13 down"},
        {0x001, kBackspace, 0, Ticks{"K8 up"} + times(2, ""), "", ""},
        {0x002, kBackspace, 0, times(3, ""), "K8 up", ""},
        {0x000, kBackspace, kMouseLeft, times(3, ""), "K8 up", "LDOWN"},
        {0x000, kMouseRight, kBackspace, times(3, ""), "RUP", "K8 down"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        state().triggerModes = c.modes;
        map(buttonSlot(1), c.before);
        hold(button(1));
        tick();

        map(buttonSlot(1), c.after);
        EXPECT_EQ(ticks(3), c.whileHeld);
        letGo();
        EXPECT_EQ(tick(), c.release);
        hold(button(1));
        EXPECT_EQ(tick(), c.nextPress);
    }
}

TEST_F(EmulationTest, EveryWayOfLosingTrackOfTheInputsReleasesWhatIsHeldOnce) {
    enum Cause { PollFails, SwitchController, DialogOpens, Close, EndSession, NoEndSession };
    for (Cause cause :
         {PollFails, SwitchController, DialogOpens, Close, EndSession, NoEndSession}) {
        SCOPED_TRACE(cause);
        SetUp();
        map(kUp, kArrowUp);
        map(buttonSlot(1), kBackspace);
        map(buttonSlot(2), kMouseRight);
        state().triggerModes = 0x001;
        hold(button(1) | button(2), 0);
        ASSERT_EQ(tick(), "K38 down, K8 down, RDOWN");

        const int first = fake().inputCount;
        const HWND hwnd = state().hwndMain;
        switch (cause) {
        case PollFails:
            fake().joystick.pollFails[0] = true;
            emulationTick();
            break;
        case SwitchController:
            activateController(1);
            break;
        case DialogOpens:
            state().hwndDialog = kDialog;
            emulationTick();
            break;
        case Close:
            mainWindowProc(hwnd, WM_CLOSE, 0, 0);
            break;
        case EndSession:
        case NoEndSession:
            mainWindowProc(hwnd, WM_ENDSESSION, cause == EndSession ? 1 : 0, 0);
            break;
        }
        const std::string released = "K38 up, K8 up, RUP";
        EXPECT_EQ(describeInputsSince(first), cause == NoEndSession ? "" : released);

        // Whatever was released is not released a second time.
        state().hwndDialog = nullptr;
        fake().joystick.pollFails[0] = false;
        discoverControllers();
        letGo(0);
        const int later = fake().inputCount;
        ticks(3);
        EXPECT_EQ(describeInputsSince(later), cause == NoEndSession ? released : "");
    }
}

TEST_F(EmulationTest, AnotherControllerPressesWithItsOwnCodes) {
    map(buttonSlot(1), kBackspace, 0);
    map(buttonSlot(1), 96, 1); // Numpad 0
    hold(button(1), kCentred, 0);
    hold(button(1), kCentred, 1);
    ASSERT_EQ(tick(), "K8 down");

    activateController(1);
    EXPECT_EQ(tick(), "K96 down");
    letGo(1);
    EXPECT_EQ(tick(), "K96 up");
}

TEST_F(EmulationTest, InputsHeldThroughADialogStayQuietUntilPressedAgain) {
    map(buttonSlot(1), kBackspace);
    map(buttonSlot(2), kMouseLeft);
    map(buttonSlot(5), kEnter);
    state().triggerModes = 0x011;
    hold(button(1) | button(2));
    ASSERT_EQ(tick(), "K8 down, LDOWN");

    state().hwndDialog = kDialog;
    EXPECT_EQ(tick(), "K8 up, LUP");
    // Presses and releases while the dialog is open are not acted upon.
    hold(button(1) | button(5));
    EXPECT_EQ(ticks(10), times(10, ""));

    // Buttons 1 and 5 are still held, both on Auto: no repeats, no presses.
    state().hwndDialog = nullptr;
    EXPECT_EQ(ticks(10), times(10, ""));
    letGo();
    EXPECT_EQ(tick(), "");
    hold(button(1) | button(5));
    EXPECT_EQ(tick(), "K8 down, K13 down");
    EXPECT_EQ(tick(), "K8 up, K8 down, K13 up, K13 down");
}

// --- Pointer and wheel ---

TEST(MouseMotion, DeadZoneTruncationAndWheel) {
    const float justOutside = std::nextafter(0.03f, 1.0f);
    const std::tuple<float, float, float, float, const char*> cases[] = {
        {0.03f, -0.03f, 0.03f, 70, "flags=0"}, // the bounds are inside: nothing to send
        {justOutside, 0, 0, 70, "MOVE dx=2 dy=0"},
        {0, -justOutside, 0, 70, "MOVE dx=0 dy=-2"},
        {0.5f, 0.01f, 0, 70, "MOVE dx=35 dy=0"}, // 0.7 of a pixel is dropped
        {0.02f, 0.5f, 0, 70, "MOVE dx=1 dy=35"}, // an axis inside still counts
        {-0.25f, 0, 0, 14, "MOVE dx=-3 dy=0"},   // truncated toward zero
        {0, 0.99f, 0, 28, "MOVE dx=0 dy=27"},
        {0, 0, -0.5f, 70, "WHEEL wheel=60"}, // pushed forward turns away
        {0, 0, 1, 14, "WHEEL wheel=-120"},
        {0, 0, 0.031f, 14, "WHEEL wheel=-3"},
        {0, 0, -0.999f, 14, "WHEEL wheel=119"},
        {1, 0, 1, 70, "MOVE WHEEL dx=70 dy=0 wheel=-120"},
        {0.02f, -0.02f, 0.5f, 70, "WHEEL wheel=-60"},
    };
    for (const auto& [x, y, r, factor, expected] : cases) {
        INPUT input = {INPUT_MOUSE, {}};
        input.mi = mouseMotion(x, y, r, factor, 120.0f);
        EXPECT_EQ(describeInput(input), expected) << x << ", " << y << ", " << r;
    }
}

TEST_F(EmulationTest, EachTickSendsOneRecordFromTheStickAndWheel) {
    const struct {
        int32_t speed, curve;
        double x, y, r;
        const char* expected;
    } cases[] = {
        // Full deflection moves 14, 28 or 70 pixels a tick.
        {kSlow, kLinear, 1.0, -1.0, 0.0, "MOVE dx=14 dy=-14"},
        {kMedium, kLinear, -1.0, 1.0, 0.0, "MOVE dx=-28 dy=28"},
        {kFast, kLinear, 1.0, 1.0, 0.0, "MOVE dx=70 dy=70"},
        {kMedium, kLinear, 0.5, 0.0, 0.0, "MOVE dx=14 dy=0"},
        {kFast, kLinear, 0.02, 0.02, 0.0, ""},
        {kSlow, kLinear, 0.05, 0.0, 0.0, "MOVE dx=0 dy=0"}, // under a pixel, never adds up
        {kSlow, kCurved, -0.5, 0.0, 0.0, "MOVE dx=-3 dy=0"},
        {kMedium, kCurved, 0.15, 0.0, 0.0, ""}, // 0.0225 falls inside the dead zone
        {kMedium, kCurved, 0.5, -0.5, 0.0, "MOVE dx=7 dy=-7"},
        {kSlow, kLinear, 0.0, 0.0, -0.5, "WHEEL wheel=60"},
        {kMedium, kCurved, 0.0, 0.0, 0.5, "WHEEL wheel=-60"}, // the wheel is never curved
        {kFast, kLinear, 1.0, 0.0, 1.0, "MOVE WHEEL dx=70 dy=0 wheel=-120"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        state().mouseSpeed = c.speed;
        state().mouseCurve = c.curve;
        stick(c.x, c.y, c.r);
        // Nothing carries over from one tick to the next.
        EXPECT_EQ(ticks(3), times(3, c.expected));
        EXPECT_EQ(fake().sendInputCalls, fake().inputCount);
    }
}

TEST_F(EmulationTest, OnlyThePointerControllerMovesThePointer) {
    // Controller 1 has a hat too, but 0 is the pointer controller.
    activateController(1);
    map(kRight, kArrowRight, 1);
    stick(1.0, 1.0, 1.0, 1);
    hold(0, 9000, 1);
    EXPECT_EQ(ticks(2), (Ticks{"K39 down", ""}));

    // A controller without a hat: its stick is the D-pad and nothing else.
    SetUp();
    fake().joystick.caps[0].wCaps = 0;
    fake().joystick.present[1] = false;
    discoverControllers();
    ASSERT_EQ(state().mouseController, -1);
    map(kRight, kArrowRight);
    stick(1.0, 0.0, 1.0);
    EXPECT_EQ(ticks(2), (Ticks{"K39 down", ""}));
}

TEST_F(EmulationTest, TheStickMovesThePointerWhileADialogIsOpenButNotAfterAFailedPoll) {
    map(buttonSlot(1), kBackspace);
    state().hwndDialog = kDialog;
    hold(button(1));
    stick(-1.0, 0.5, -1.0);
    EXPECT_EQ(ticks(2), times(2, "MOVE WHEEL dx=-14 dy=7 wheel=120"));

    fake().joystick.pollFails[0] = true;
    EXPECT_EQ(ticks(2), times(2, ""));
}
