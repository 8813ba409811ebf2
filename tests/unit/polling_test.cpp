#include "test_support.h"
#include "alloc_counter.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "input/axis_math.h"
#include "input/controllers.h"

namespace {

constexpr uint32_t kUp = kDpadUp;
constexpr uint32_t kDown = kDpadDown;
constexpr uint32_t kLeft = kDpadLeft;
constexpr uint32_t kRight = kDpadRight;
const HWND kMainWindow = reinterpret_cast<HWND>(0x1000);

// Raw position that reads as value on the usual 0..65535 axis.
DWORD rawFor(float value) {
    return static_cast<DWORD>(std::lround((value + 1.0) / 2.0 * 65535.0));
}

void plug(std::initializer_list<int> ids, bool hasPov) {
    for (int id : ids) {
        fakeJoystickPlug(id, hasPov);
    }
}

struct PollingTest : TavlorTest {
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = kMainWindow;
    }
    // Plugs the ids, runs discovery as window creation does and starts from a clean view.
    void start(std::initializer_list<int> ids, bool hasPov) {
        plug(ids, hasPov);
        discoverControllers();
        state().viewDirty = 0;
    }
    JOYINFOEX& joy(int id) { return fake().joystick.state[id]; }
    int polls(int id) { return fake().joystick.polls[id]; }
    int probes() { return fake().joystick.capsQueries; }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            emulationTick();
        }
    }
};

using DiscoveryTest = PollingTest;

} // namespace

// --- The axis and D-pad maths ---

TEST(NormaliseAxis, MapsTheRangeOntoMinusOneToOneAndCentresAnEmptyRange) {
    const struct {
        uint32_t position;
        float min, max, expected;
    } cases[] = {
        {0, 0, 65535, -1.0f},       {65535, 0, 65535, 1.0f},   {1500, 1000, 3000, -0.5f},
        {2000, 1000, 3000, 0.0f},   {999, 1000, 3000, -1.0f},  {3001, 1000, 3000, 1.0f},
        {0xFFFFFFFFu, 0, 65535, 1}, {0xFFFFFFFFu, 0, 0, 0.0f}, {7, 7, 7, 0.0f},
        {2000, 3000, 1000, 0.0f},   {0, 65535, 0, 0.0f},
    };
    for (const auto& c : cases) {
        // Exact on purpose: the ends of the range must reach the ends of the scale.
        EXPECT_EQ(normaliseAxis(c.position, c.min, c.max), c.expected)
            << c.position << " in " << c.min << ".." << c.max;
    }
}

TEST(NormaliseAxis, IsAlwaysFiniteAndWithinRange) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float bounds[] = {-inf, -1.0f, 0.0f, 1000.0f, 65535.0f, 4294967295.0f, inf, nan};
    for (float min : bounds) {
        for (float max : bounds) {
            for (uint32_t position : {0u, 1u, 32767u, 0x80000000u, 0xFFFFFFFFu}) {
                float value = normaliseAxis(position, min, max);
                EXPECT_TRUE(std::isfinite(value) && value >= -1.0f && value <= 1.0f)
                    << position << " in " << min << ".." << max << " gives " << value;
            }
        }
    }
}

// Each direction covers 135 degrees with both bounds; Up wraps through north.
TEST(HatDirections, EachDirectionCoversItsSectorWithBounds) {
    constexpr uint32_t U = kDpadUp, D = kDpadDown, L = kDpadLeft, R = kDpadRight;
    const uint32_t cases[][2] = {
        {0, U},         {2249, U},      {2250, U | R},  {6750, U | R}, {6751, R},
        {11249, R},     {11250, R | D}, {15750, R | D}, {15751, D},    {20249, D},
        {20250, D | L}, {24750, D | L}, {24751, L},     {29249, L},    {29250, L | U},
        {33750, L | U}, {33751, U},     {35900, U},     {35901, 0},    {JOY_POVCENTERED, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hatDirections(c[0]), c[1]) << "pov " << c[0];
    }
}

TEST(StickDirections, NeedsAValueBeyondPointNine) {
    const float below = std::nextafter(-0.9f, -1.0f);
    const float above = std::nextafter(0.9f, 1.0f);
    const struct {
        float x, y;
        uint32_t expected;
    } cases[] = {{0.0f, -0.9f, 0},     {0.0f, 0.9f, 0},       {-0.9f, 0.0f, 0},
                 {0.9f, 0.0f, 0},      {0.0f, below, kUp},    {0.0f, above, kDown},
                 {below, 0.0f, kLeft}, {above, 0.0f, kRight}, {-1.0f, -1.0f, kUp | kLeft},
                 {1.0f, -0.9f, kRight}};
    for (const auto& c : cases) {
        EXPECT_EQ(stickDirections(c.x, c.y), c.expected) << "x " << c.x << " y " << c.y;
    }
}

// --- Discovery ---

TEST_F(DiscoveryTest, ProbesOnlyTheSupportedIdsAndClearsAbsentOnes) {
    const ControllerInfo stale = {1, 0x77, 99, 9, 1, 2, 1, 2, 1, 2, 1, 2};
    const ControllerInfo none = {};
    const int cases[][3] = {{0, 0, 0}, {-1, 0, 0}, {3, 3, 2}, {16, 5, 3}}; // numDevs, probed, found
    for (const auto& [numDevs, probed, found] : cases) {
        SCOPED_TRACE(numDevs);
        SetUp();
        plug({0, 2, 4, 6}, false);
        fake().joystick.numDevs = numDevs;
        std::fill(std::begin(state().controllers), std::end(state().controllers), stale);

        discoverControllers();

        EXPECT_EQ(probes(), probed);
        EXPECT_EQ(state().controllerCount, found);
        for (int id = 0; id < kControllerSlots; ++id) {
            const ControllerInfo& info = state().controllers[id];
            const ControllerInfo* left = id >= probed ? &stale : id % 2 != 0 ? &none : nullptr;
            if (left != nullptr) {
                EXPECT_EQ(std::memcmp(&info, left, sizeof info), 0) << "id " << id;
            } else {
                EXPECT_EQ(info.buttonCount, 12u) << "id " << id;
            }
        }
    }
}

TEST_F(DiscoveryTest, PointerControllerIsTheLowestIdWithAHat) {
    // joyGetNumDevs, the ids with a hat (bit n: id n), the pointer controller; in the
    // last case every hat lies beyond the probed ids.
    const int cases[][3] = {{16, 0x00, -1}, {16, 0x0A, 1}, {2, 0x1C, -1}};
    for (const auto& [numDevs, hats, expected] : cases) {
        SetUp();
        fake().joystick.numDevs = numDevs;
        for (int id = 0; id < kControllerSlots; ++id) {
            fakeJoystickPlug(id, (hats >> id & 1) != 0);
        }
        state().mouseController = 0;
        discoverControllers();
        EXPECT_EQ(state().mouseController, expected) << hats;
    }
}

TEST_F(DiscoveryTest, MovesTheActiveControllerToTheFirstPresentOneFromACleanState) {
    // plugged ids (bit n: id n), active before, active after, whether it switched
    const int cases[][4] = {{0x05, 3, 0, true},  {0x14, 0, 2, true},  {0x03, 1, 1, false},
                            {0x10, 4, 4, false}, {0x00, 0, 0, false}, {0x00, 3, 0, true}};
    for (const auto& [plugged, active, expected, switched] : cases) {
        SCOPED_TRACE(testing::Message() << plugged << ", " << active);
        SetUp();
        for (int id = 0; id < kControllerSlots; ++id) {
            fake().joystick.present[id] = (plugged >> id & 1) != 0;
        }
        AppState& s = state();
        s.activeController = active;
        s.axes[3] = 0.5f;
        s.inputBits = s.previousInputBits = s.pressedBits = 0x11;
        s.viewDirty = 0;

        discoverControllers();

        EXPECT_EQ(s.activeController, expected);
        EXPECT_EQ(s.viewDirty, switched);
        EXPECT_EQ(s.axes[3], switched ? 0.0f : 0.5f);
        EXPECT_EQ(s.inputBits | s.previousInputBits | s.pressedBits, switched ? 0u : 0x11u);
    }
}

// --- Polling ---

TEST_F(PollingTest, AxesAreNormalisedAndOnlyTheStickIsCurved) {
    for (int curve : {0, 1}) {
        SetUp();
        plug({0}, true);
        JOYCAPSW& caps = fake().joystick.caps[0];
        caps.wXmax = 1000, caps.wYmax = 2000, caps.wZmax = 4000, caps.wRmax = 8000;
        discoverControllers();
        joy(0).dwXpos = 750, joy(0).dwYpos = 500, joy(0).dwZpos = 3000, joy(0).dwRpos = 6000;
        state().mouseCurve = curve;

        tick();

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
        DWORD buttons, pov, x, y;
        uint32_t expected;
    } cases[] = {
        {true, 0, 0xFFFF0803u, JOY_POVCENTERED, centre, centre, 0x0803},
        {true, 0, 0, 4500, centre, centre, kUp | kRight},
        // With a hat the stick moves the pointer only.
        {true, 0, 0x0004, 9000, 0, 65535, 0x0004 | kRight},
        // Without a hat the reported angle is ignored.
        {false, 0, 0, 0, 0, centre, kLeft},
        {false, 0, 0x0002, JOY_POVCENTERED, centre, 65535, 0x0002 | kDown},
        {false, 0, 0, JOY_POVCENTERED, rawFor(0.94f), centre, kRight},
        // Curved, the stick needs a deflection beyond the square root of 0.9.
        {false, 1, 0, JOY_POVCENTERED, rawFor(0.94f), centre, 0},
        {false, 1, 0, JOY_POVCENTERED, rawFor(0.95f), centre, kRight},
        {false, 1, 0, JOY_POVCENTERED, rawFor(-0.95f), rawFor(-0.95f), kLeft | kUp},
        {false, 1, 0, JOY_POVCENTERED, centre, rawFor(0.94f), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        start({0}, c.hasPov);
        state().mouseCurve = c.curve;
        joy(0).dwButtons = c.buttons, joy(0).dwPOV = c.pov, joy(0).dwXpos = c.x,
        joy(0).dwYpos = c.y;
        tick();
        EXPECT_EQ(state().inputBits, c.expected);
    }
}

TEST_F(PollingTest, EdgesFollowTheButtonsAcrossTicks) {
    start({0}, true);
    const uint32_t ticks[][5] = {
        // buttons, previous, changed, pressed, released
        {0x1, 0x0, 0x1, 0x1, 0x0}, {0x3, 0x1, 0x2, 0x2, 0x0}, {0x2, 0x3, 0x1, 0x0, 0x1},
        {0x2, 0x2, 0x0, 0x0, 0x0}, {0x0, 0x2, 0x2, 0x0, 0x2},
    };
    for (const auto& t : ticks) {
        SCOPED_TRACE(&t - ticks);
        joy(0).dwButtons = t[0];
        tick();
        const AppState& s = state();
        const uint32_t got[] = {s.inputBits, s.previousInputBits, s.changedBits, s.pressedBits,
                                s.releasedBits};
        EXPECT_TRUE(std::equal(got, got + 5, t))
            << std::hex << got[1] << " " << got[2] << " " << got[3] << " " << got[4];
    }
}

TEST_F(PollingTest, OnlyAChangedInputRepaintsTheMainWindow) {
    start({0}, true);
    for (DWORD position : {0u, 20000u, 65535u}) {
        joy(0).dwXpos = joy(0).dwYpos = joy(0).dwZpos = joy(0).dwRpos = position;
        tick();
    }
    EXPECT_EQ(state().axes[0], 1.0f);
    EXPECT_EQ(countCalls("InvalidateRect"), 0);

    joy(0).dwButtons = 0xF000; // buttons 13 to 16: mapped to nothing, still shown
    tick();
    EXPECT_EQ(state().viewDirty, 1);
    EXPECT_EQ(countCalls("InvalidateRect"), 1);
    EXPECT_TRUE(hasArgs(findCall("InvalidateRect"), {arg(kMainWindow), 0, TRUE}));
    EXPECT_LT(callIndex("InvalidateRect"), callIndex("UpdateWindow"));

    // A redraw someone else asked for is carried out by the next tick.
    state().viewDirty = 1;
    tick();
    EXPECT_EQ(countCalls("InvalidateRect"), 2);
}

TEST_F(PollingTest, ALostControllerGoesDarkAndIsNotPolledAgain) {
    start({0, 1}, true);
    joy(0).dwButtons = 0x5;
    joy(0).dwPOV = 9000;
    tick();
    joy(0).dwButtons = 0x6;
    tick();
    state().viewDirty = 0;

    fake().joystick.pollFails[0] = true;
    tick();

    const AppState& s = state();
    EXPECT_EQ(s.controllers[0].present, 0);
    EXPECT_EQ(s.controllerCount, 1);
    EXPECT_EQ(s.inputBits, 0u);
    EXPECT_EQ(s.previousInputBits, 0x6u | kRight);
    EXPECT_EQ(s.changedBits, 0x6u | kRight);
    EXPECT_EQ(s.viewDirty, 1);
    EXPECT_EQ(countCalls("InvalidateRect"), 3);

    // One controller is still counted, so the tick never rediscovers by itself.
    const int pollsBefore = polls(0);
    const int probesBefore = probes();
    tick(1200);
    EXPECT_EQ(polls(0), pollsBefore);
    EXPECT_EQ(polls(1), 0);
    EXPECT_EQ(probes(), probesBefore);
}

TEST_F(PollingTest, WithoutControllersDiscoveryRunsOnEvery501stTick) {
    start({}, true);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        tick(500);
        EXPECT_EQ(probes(), round * kControllerSlots);
        tick();
        EXPECT_EQ(probes(), (round + 1) * kControllerSlots);
        EXPECT_EQ(state().rediscoveryTicks, 0);
    }
    EXPECT_EQ(polls(0), 0);
    EXPECT_EQ(countCalls("InvalidateRect"), 0);
}

// The failed poll counts as the first tick without a controller.
TEST_F(PollingTest, TheOnlyControllerComingBackIsFoundAndPressesAgain) {
    start({0}, true);
    joy(0).dwButtons = 0x1;
    tick();
    fake().joystick.pollFails[0] = true;
    tick();
    ASSERT_EQ(state().controllerCount, 0);
    const int probesBefore = probes();

    fake().joystick.pollFails[0] = false;
    tick(499);
    EXPECT_EQ(probes(), probesBefore);
    tick();
    EXPECT_EQ(probes(), probesBefore + kControllerSlots);
    EXPECT_EQ(state().controllerCount, 1);

    tick();
    EXPECT_EQ(state().pressedBits, 0x1u);
}

TEST_F(PollingTest, TheTickAllocatesNothing) {
    start({0}, true); // the pointer controller, so both emulations run
    state().mouseCurve = 1;
    tick();

    // Inputs changing on every tick, a lost controller, rediscovery and polling again.
    const DWORD hat[] = {JOY_POVCENTERED, 0, 4500, 9000, 27000};
    const size_t before = allocationCount();
    for (int i = 0; i < 2000; ++i) {
        joy(0).dwButtons = static_cast<DWORD>(i % 7);
        joy(0).dwPOV = hat[i % 5];
        joy(0).dwXpos = static_cast<DWORD>((i * 997) % 65536);
        joy(0).dwRpos = static_cast<DWORD>((i * 127) % 65536);
        fake().joystick.pollFails[0] = i >= 500 && i < 600;
        tick();
    }
    EXPECT_EQ(allocationCount(), before);
    EXPECT_EQ(polls(0), 1 + 501 + 999);
    EXPECT_GT(fake().inputCount, 0);
}
