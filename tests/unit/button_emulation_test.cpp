#include "test_support.h"
#include "injected_input.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "input/controllers.h"

namespace {

constexpr LONG kStyle = static_cast<LONG>(0x80CA0000u);
HWND const kDialog = reinterpret_cast<HWND>(0x2000);

// Inputs in input order: the D-pad, then Buttons 1 to 12.
constexpr int kUp = 0;
constexpr int kRight = 3;
constexpr int buttonSlot(int n) {
    return 3 + n;
}
constexpr DWORD button(int n) {
    return 1u << (n - 1);
}

constexpr DWORD kHatUp = 0;
constexpr DWORD kHatUpRight = 4500;
constexpr DWORD kHatRight = 9000;
constexpr DWORD kHatDown = 18000;
constexpr DWORD kHatLeft = 27000;

constexpr uint8_t kMouseLeft = 1;
constexpr uint8_t kMouseRight = 2;
constexpr uint8_t kMouseMiddle = 4;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kSpace = 32;
constexpr uint8_t kArrowLeft = 37;
constexpr uint8_t kArrowUp = 38;
constexpr uint8_t kArrowRight = 39;
constexpr uint8_t kArrowDown = 40;
constexpr uint8_t kNumpad0 = 96;

// What each tick injected, one string per tick.
using Ticks = std::vector<std::string>;

enum class Mode { Single, Auto, DelayedAuto };

// A press on tick 0, held until tick `held`, which sees the release.
Ticks expectedHold(Mode mode, int held, const std::string& down, const std::string& up) {
    Ticks ticks{down};
    for (int t = 1; t < held; ++t) {
        bool repeats = mode == Mode::Auto || (mode == Mode::DelayedAuto && t >= 13);
        ticks.push_back(repeats ? up + ", " + down : "");
    }
    ticks.push_back(up);
    return ticks;
}

Ticks operator+(Ticks a, const Ticks& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Ticks times(int n, const std::string& text) {
    return Ticks(static_cast<size_t>(n), text);
}

// Controllers 0 and 1, both with a hat; 0 is active and moves the pointer,
// its stick centred. Every mapping starts unassigned.
class ButtonEmulationTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = fakeBareWindow({100, 100, 594, 285}, kStyle);
        fakeJoystickPlug(0, true);
        fakeJoystickPlug(1, true);
        discoverControllers();
        for (ControllerProfile& profile : state().profiles) {
            std::fill(std::begin(profile.mappingCodes), std::end(profile.mappingCodes), 0);
        }
    }

    void map(int slot, uint8_t code, int controller = 0) {
        state().profiles[controller].mappingCodes[slot] = code;
    }

    // What the controller reports from its next poll on.
    void hold(DWORD buttons, DWORD hat = JOY_POVCENTERED, int id = 0) {
        fake().joystick.state[id].dwButtons = buttons;
        fake().joystick.state[id].dwPOV = hat;
    }
    void letGo(int id = 0) { hold(0, JOY_POVCENTERED, id); }

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
        result.push_back(tick());
        return result;
    }
};

} // namespace

TEST_F(ButtonEmulationTest, DelayedAutoWaitsThirteenTicksThenRepeatsEveryTick) {
    map(buttonSlot(1), kSpace);
    state().triggerModes = 0x002;

    Ticks t = press(button(1), JOY_POVCENTERED, 20);

    ASSERT_EQ(t.size(), 21u);
    EXPECT_EQ(t[0], "K32 down");
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(t[i], "") << "tick " << i;
    }
    for (int i = 13; i <= 19; ++i) {
        EXPECT_EQ(t[i], "K32 up, K32 down") << "tick " << i;
    }
    EXPECT_EQ(t[20], "K32 up");
}

TEST_F(ButtonEmulationTest, EachGroupFollowsTheBitsOfItsOwnTriggerField) {
    const struct {
        const char* name;
        uint32_t triggerModes;
        int button;
        Mode mode;
        int held;
    } cases[] = {
        {"Single", 0x000, 1, Mode::Single, 10},
        {"Auto", 0x001, 1, Mode::Auto, 10},
        {"Delayed Auto", 0x002, 4, Mode::DelayedAuto, 20},
        {"field 3 has the delay bit", 0x003, 2, Mode::DelayedAuto, 20},
        {"field 6 has the delay bit", 0x006, 3, Mode::DelayedAuto, 16},
        {"field 5 repeats at once", 0x005, 3, Mode::Auto, 6},
        {"field 8 repeats at once", 0x008, 4, Mode::Auto, 6},
        {"group 2 Auto", 0x010, 5, Mode::Auto, 5},
        {"group 2 field 3", 0x030, 6, Mode::DelayedAuto, 15},
        {"group 2 field 8", 0x080, 8, Mode::Auto, 5},
        {"group 3 Delayed Auto", 0x200, 9, Mode::DelayedAuto, 15},
        {"group 3 field 0xF", 0xF00, 12, Mode::DelayedAuto, 15},
        {"groups 2 and 3 leave group 1 Single", 0xFF0, 1, Mode::Single, 15},
        {"groups 1 and 3 leave group 2 Single", 0xF0F, 7, Mode::Single, 15},
        {"groups 1 and 2 leave group 3 Single", 0x0FF, 11, Mode::Single, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        map(buttonSlot(c.button), kSpace);
        state().triggerModes = c.triggerModes;

        Ticks t = press(button(c.button), JOY_POVCENTERED, c.held) + ticks(15);

        // The countdown restarted by the release runs out without a sound.
        EXPECT_EQ(t, expectedHold(c.mode, c.held, "K32 down", "K32 up") + times(15, ""));
    }
}

TEST_F(ButtonEmulationTest, AReleaseDuringTheDelayedWaitEndsThePressAndANewPressWaitsAgain) {
    map(buttonSlot(1), kSpace);
    state().triggerModes = 0x002;

    Ticks early = press(button(1), JOY_POVCENTERED, 4) + ticks(20);
    EXPECT_EQ(early, Ticks{"K32 down"} + times(3, "") + Ticks{"K32 up"} + times(20, ""));

    // Pressed again while the countdown of the release is still running.
    Ticks quick = press(button(1), JOY_POVCENTERED, 3) + ticks(2);
    hold(button(1));
    Ticks again = ticks(15);
    EXPECT_EQ(quick, (Ticks{"K32 down", "", "", "K32 up", "", ""}));
    EXPECT_EQ(again, Ticks{"K32 down"} + times(12, "") + times(2, "K32 up, K32 down"));
}

TEST_F(ButtonEmulationTest, TheDpadNeverRepeats) {
    const struct {
        DWORD hat;
        const char* down;
        const char* up;
    } directions[] = {
        {kHatUp, "K38 down", "K38 up"},
        {kHatRight, "K39 down", "K39 up"},
        {kHatDown, "K40 down", "K40 up"},
        {kHatLeft, "K37 down", "K37 up"},
    };
    for (uint32_t modes : {0x111u, 0x222u, 0xFFFu}) {
        for (const auto& d : directions) {
            SCOPED_TRACE(testing::Message() << "triggerModes " << modes << " hat " << d.hat);
            SetUp();
            const uint8_t arrows[] = {kArrowUp, kArrowDown, kArrowLeft, kArrowRight};
            for (int slot = kUp; slot <= kRight; ++slot) {
                map(slot, arrows[slot]);
            }
            state().triggerModes = modes;

            EXPECT_EQ(press(0, d.hat, 20), expectedHold(Mode::Single, 20, d.down, d.up));
        }
    }
}

TEST_F(ButtonEmulationTest, MouseButtonsOnAutoClickWhereThePointerIs) {
    const struct {
        uint8_t code;
        const char* down;
        const char* up;
    } cases[] = {
        {kMouseLeft, "LDOWN", "LUP"},
        {kMouseRight, "RDOWN", "RUP"},
        {kMouseMiddle, "MDOWN", "MUP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.down);
        SetUp();
        map(buttonSlot(2), c.code);
        state().triggerModes = 0x001;

        // The text would show any dx, dy or wheel data the records carried.
        EXPECT_EQ(press(button(2), JOY_POVCENTERED, 5), expectedHold(Mode::Auto, 5, c.down, c.up));
    }
}

TEST_F(ButtonEmulationTest, InputsOfOneTickGoOutInInputOrderOneEventPerCall) {
    map(kUp, kArrowUp);
    map(kRight, kArrowRight);
    map(buttonSlot(1), kBackspace);
    map(buttonSlot(3), kMouseLeft);
    map(buttonSlot(5), kEnter);
    map(buttonSlot(12), kTab);
    state().triggerModes = 0x111;
    hold(button(12) | button(5) | button(3) | button(1), kHatUpRight);

    EXPECT_EQ(tick(), "K38 down, K39 down, K8 down, LDOWN, K13 down, K9 down");
    EXPECT_EQ(tick(), "K8 up, K8 down, LUP, LDOWN, K13 up, K13 down, K9 up, K9 down");
    letGo();
    EXPECT_EQ(tick(), "K38 up, K39 up, K8 up, LUP, K13 up, K9 up");

    // Every record was accepted (the stand-in refuses a wrong cbSize) and
    // came in a call of its own.
    EXPECT_EQ(fake().inputCount, 20);
    EXPECT_EQ(fake().sendInputCalls, 20);
}

TEST_F(ButtonEmulationTest, ChangingTheModeWhileHeldTakesEffectOnTheNextTick) {
    const struct {
        const char* name;
        uint32_t before;
        uint32_t after;
        Ticks following;
    } cases[] = {
        {"Single to Auto", 0x000, 0x001, times(3, "K32 up, K32 down")},
        {"Auto to Single", 0x001, 0x000, times(3, "")},
        {"Delayed Auto to Single", 0x002, 0x000, times(12, "")},
        // The wait started by the press still runs out first.
        {"Delayed Auto to Auto", 0x002, 0x001, times(10, "") + times(2, "K32 up, K32 down")},
        // Only a press starts the wait.
        {"Single to Delayed Auto", 0x000, 0x002, times(2, "K32 up, K32 down")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        map(buttonSlot(1), kSpace);
        state().triggerModes = c.before;
        hold(button(1));
        ASSERT_EQ(tick(), "K32 down");
        ticks(2);

        state().triggerModes = c.after;
        EXPECT_EQ(ticks(static_cast<int>(c.following.size())), c.following);
        letGo();
        EXPECT_EQ(tick(), "K32 up");
    }
}

TEST_F(ButtonEmulationTest, KeysAreSentByVirtualKeyAlone) {
    // Right Ctrl, Insert, and codes the key list does not offer.
    for (uint8_t code : {uint8_t{163}, uint8_t{45}, uint8_t{3}, uint8_t{0xFF}}) {
        SCOPED_TRACE(testing::Message() << "code " << int{code});
        SetUp();
        map(buttonSlot(1), code);
        press(button(1), JOY_POVCENTERED, 1);

        ASSERT_EQ(fake().inputCount, 2);
        const DWORD flags[] = {0, KEYEVENTF_KEYUP};
        for (int i = 0; i < 2; ++i) {
            const INPUT& input = fake().inputs[i];
            EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
            EXPECT_EQ(input.ki.wVk, code);
            EXPECT_EQ(input.ki.wScan, 0);
            EXPECT_EQ(input.ki.dwFlags, flags[i]);
            EXPECT_EQ(input.ki.time, 0u);
            EXPECT_EQ(input.ki.dwExtraInfo, 0u);
        }
    }
}

TEST_F(ButtonEmulationTest, UnassignedInputsInjectNothingInAnyMode) {
    for (uint32_t modes : {0x000u, 0x111u, 0x222u}) {
        SCOPED_TRACE(testing::Message() << "triggerModes " << modes);
        SetUp();
        state().triggerModes = modes;

        press(0xFFF, kHatUpRight, 20);
        ticks(5);

        EXPECT_EQ(fake().inputCount, 0);
        for (const InputSlot& slot : state().inputTable) {
            EXPECT_EQ(slot.repeatCountdown, 0u) << slot.controlId;
        }
    }
}

// A held input's release always lets go of the code it pressed.
TEST_F(ButtonEmulationTest, ChangingAMappingWhileHeldReleasesTheCodeThatWasPressed) {
    const struct {
        const char* name;
        uint32_t modes;
        uint8_t before;
        uint8_t after;
        const char* down;
        Ticks whileHeld;
        const char* release;
        const char* nextPress;
    } cases[] = {
        {"Single, key to key", 0x000, kBackspace, kEnter, "K8 down", times(3, ""), "K8 up",
         "K13 down"},
        {"Auto, key to key", 0x001, kBackspace, kEnter, "K8 down",
         Ticks{"K8 up, K13 down"} + times(2, "K13 up, K13 down"), "K13 up", "K13 down"},
        {"Delayed Auto, key to key in the wait", 0x002, kBackspace, kEnter, "K8 down", times(3, ""),
         "K8 up", "K13 down"},
        {"Single, key to unassigned", 0x000, kBackspace, 0, "K8 down", times(3, ""), "K8 up", ""},
        {"Auto, key to unassigned", 0x001, kBackspace, 0, "K8 down", Ticks{"K8 up"} + times(2, ""),
         "", ""},
        {"Single, key to mouse", 0x000, kBackspace, kMouseLeft, "K8 down", times(3, ""), "K8 up",
         "LDOWN"},
        {"Single, mouse to key", 0x000, kMouseRight, kBackspace, "RDOWN", times(3, ""), "RUP",
         "K8 down"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        state().triggerModes = c.modes;
        map(buttonSlot(1), c.before);
        hold(button(1));
        ASSERT_EQ(tick(), c.down);

        map(buttonSlot(1), c.after);
        EXPECT_EQ(ticks(3), c.whileHeld);
        letGo();
        EXPECT_EQ(tick(), c.release);
        hold(button(1));
        EXPECT_EQ(tick(), c.nextPress);
    }
}

TEST_F(ButtonEmulationTest, EveryWayOfLosingTrackOfTheInputsReleasesWhatIsHeld) {
    enum class Cause { PollFails, SwitchController, DialogOpens, Close, EndSession, NoEndSession };
    const struct {
        const char* name;
        Cause cause;
        const char* released;
        const char* afterwards;
    } cases[] = {
        {"poll fails", Cause::PollFails, "K38 up, K8 up, RUP", ""},
        {"controller switched", Cause::SwitchController, "K38 up, K8 up, RUP", ""},
        {"dialog opens", Cause::DialogOpens, "K38 up, K8 up, RUP", ""},
        {"WM_CLOSE", Cause::Close, "K38 up, K8 up, RUP", ""},
        {"WM_ENDSESSION, ending", Cause::EndSession, "K38 up, K8 up, RUP", ""},
        {"WM_ENDSESSION, not ending", Cause::NoEndSession, "", "K38 up, K8 up, RUP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        map(kUp, kArrowUp);
        map(buttonSlot(1), kBackspace);
        map(buttonSlot(2), kMouseRight);
        state().triggerModes = 0x001;
        hold(button(1) | button(2), kHatUp);
        ASSERT_EQ(tick(), "K38 down, K8 down, RDOWN");

        const int first = fake().inputCount;
        const HWND hwnd = state().hwndMain;
        switch (c.cause) {
        case Cause::PollFails:
            fake().joystick.pollFails[0] = true;
            emulationTick();
            break;
        case Cause::SwitchController:
            activateController(1);
            break;
        case Cause::DialogOpens:
            state().hwndDialog = kDialog;
            emulationTick();
            break;
        case Cause::Close:
            mainWindowProc(hwnd, WM_CLOSE, 0, 0);
            break;
        case Cause::EndSession:
            mainWindowProc(hwnd, WM_ENDSESSION, 1, 0);
            break;
        case Cause::NoEndSession:
            mainWindowProc(hwnd, WM_ENDSESSION, 0, 0);
            break;
        }
        EXPECT_EQ(describeInputsSince(first), c.released);

        // Whatever was released is not released a second time.
        state().hwndDialog = nullptr;
        fake().joystick.pollFails[0] = false;
        discoverControllers();
        letGo(0);
        letGo(1);
        const int later = fake().inputCount;
        ticks(3);
        EXPECT_EQ(describeInputsSince(later), c.afterwards);
    }
}

TEST_F(ButtonEmulationTest, AControllerThatComesBackPressesAfresh) {
    map(buttonSlot(1), kBackspace);
    map(buttonSlot(2), kMouseLeft);
    hold(button(1) | button(2));
    ASSERT_EQ(tick(), "K8 down, LDOWN");

    fake().joystick.pollFails[0] = true;
    EXPECT_EQ(tick(), "K8 up, LUP");
    EXPECT_EQ(ticks(5), times(5, ""));

    // The menu rediscovers; the buttons are still held.
    fake().joystick.pollFails[0] = false;
    discoverControllers();
    EXPECT_EQ(tick(), "K8 down, LDOWN");
    EXPECT_EQ(tick(), "");
    letGo();
    EXPECT_EQ(tick(), "K8 up, LUP");
}

TEST_F(ButtonEmulationTest, SwitchingControllersReleasesAndTheNewOnePressesWithItsOwnCodes) {
    map(buttonSlot(1), kBackspace, 0);
    map(buttonSlot(1), kNumpad0, 1);
    hold(button(1), JOY_POVCENTERED, 0);
    hold(button(1), JOY_POVCENTERED, 1);
    ASSERT_EQ(tick(), "K8 down");
    state().viewDirty = 0;

    const int first = fake().inputCount;
    activateController(1);
    EXPECT_EQ(describeInputsSince(first), "K8 up");
    EXPECT_EQ(state().activeController, 1);
    EXPECT_EQ(state().inputBits, 0u);
    EXPECT_EQ(state().previousInputBits, 0u);
    EXPECT_EQ(state().viewDirty, 1);

    EXPECT_EQ(tick(), "K96 down");
    letGo(1);
    EXPECT_EQ(tick(), "K96 up");
}

TEST_F(ButtonEmulationTest, DiscoveryLeavingAVanishedControllerReleasesItsInputs) {
    map(buttonSlot(1), kBackspace, 0);
    hold(button(1), JOY_POVCENTERED, 0);
    ASSERT_EQ(tick(), "K8 down");

    fake().joystick.present[0] = false;
    const int first = fake().inputCount;
    discoverControllers();

    EXPECT_EQ(state().activeController, 1);
    EXPECT_EQ(describeInputsSince(first), "K8 up");
}

TEST_F(ButtonEmulationTest, InputsHeldThroughADialogStayQuietUntilPressedAgain) {
    map(buttonSlot(1), kBackspace);
    map(buttonSlot(2), kMouseLeft);
    map(buttonSlot(5), kEnter);
    state().triggerModes = 0x011;
    hold(button(1) | button(2));
    ASSERT_EQ(tick(), "K8 down, LDOWN");

    state().hwndDialog = kDialog;
    EXPECT_EQ(tick(), "K8 up, LUP");
    // Presses and releases while the dialog is open are not acted upon.
    EXPECT_EQ(ticks(10), times(10, ""));
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
