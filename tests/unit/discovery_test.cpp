#include "test_support.h"

#include <climits>
#include <cstring>

#include "input/controllers.h"

namespace {

// A stale entry that discovery must either overwrite or leave alone.
const ControllerInfo kStale = {1, 0x77, 99, 9, 1.0f, 2.0f, 1.0f, 2.0f, 1.0f, 2.0f, 1.0f, 2.0f};

static_assert(sizeof(ControllerInfo) == 12 * 4, "entries compare bytewise");
bool sameEntry(const ControllerInfo& a, const ControllerInfo& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void plugIds(std::initializer_list<int> ids, bool hasPov) {
    for (int id : ids) {
        fakeJoystickPlug(id, hasPov);
    }
}

using DiscoveryTest = TavlorTest;

TEST_F(DiscoveryTest, CopiesCapsAndConvertsRanges) {
    fakeJoystickPlug(2, true);
    JOYCAPSW& caps = fake().joystick.caps[2];
    caps.wCaps = JOYCAPS_HASPOV | JOYCAPS_HASZ;
    caps.wNumButtons = 16;
    caps.wNumAxes = 6;
    caps.wXmin = 1;
    caps.wXmax = 0xFFFFFFFFu;
    caps.wYmin = 3;
    caps.wYmax = 4;
    caps.wZmin = 5;
    caps.wZmax = 6;
    caps.wRmin = 7;
    caps.wRmax = 8;
    caps.wUmin = caps.wUmax = caps.wVmin = caps.wVmax = 90;

    discoverControllers();

    const ControllerInfo& info = state().controllers[2];
    EXPECT_EQ(info.present, 1);
    EXPECT_EQ(info.caps, JOYCAPS_HASPOV | JOYCAPS_HASZ);
    EXPECT_EQ(info.buttonCount, 16u);
    EXPECT_EQ(info.axisCount, 6u);
    const float ranges[8] = {info.xMin, info.xMax, info.yMin, info.yMax,
                             info.zMin, info.zMax, info.rMin, info.rMax};
    const float expected[8] = {1.0f, 4294967295.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ranges[i], expected[i]) << "range value " << i;
    }
    EXPECT_EQ(state().controllerCount, 1);
}

TEST_F(DiscoveryTest, ProbesOnlyTheSupportedIdsAndClearsAbsentOnes) {
    const struct {
        int numDevs;
        int probed;
        int present;
    } cases[] = {{0, 0, 0}, {-1, 0, 0}, {INT_MIN, 0, 0}, {1, 1, 1},
                 {3, 3, 2}, {5, 5, 3},  {16, 5, 3},      {INT_MAX, 5, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "joyGetNumDevs " << c.numDevs);
        resetFakeWin32();
        plugIds({0, 2, 4, 6}, false);
        fake().joystick.numDevs = c.numDevs;
        for (ControllerInfo& info : state().controllers) {
            info = kStale;
        }

        discoverControllers();

        EXPECT_EQ(fake().joystick.capsQueries, c.probed);
        EXPECT_EQ(state().controllerCount, c.present);
        for (int id = 0; id < kControllerSlots; ++id) {
            const ControllerInfo& info = state().controllers[id];
            if (id >= c.probed) {
                EXPECT_TRUE(sameEntry(info, kStale)) << "id " << id << " kept";
            } else if (id % 2 == 0) {
                EXPECT_EQ(info.buttonCount, 12u) << "id " << id << " recorded";
            } else {
                EXPECT_TRUE(sameEntry(info, ControllerInfo{})) << "id " << id << " cleared";
            }
        }
    }
}

TEST_F(DiscoveryTest, PointerControllerIsTheLowestIdWithAHat) {
    const struct {
        int numDevs;
        bool hat[kControllerSlots];
        int expected;
    } cases[] = {
        {16, {false, false, false, false, false}, -1}, {16, {false, true, false, true, false}, 1},
        {16, {true, false, true, false, false}, 0},    {16, {false, false, false, false, true}, 4},
        {2, {false, false, true, true, true}, -1}, // hats beyond the probed ids do not count
    };
    for (const auto& c : cases) {
        resetFakeWin32();
        fake().joystick.numDevs = c.numDevs;
        for (int id = 0; id < kControllerSlots; ++id) {
            fakeJoystickPlug(id, c.hat[id]);
        }
        state().mouseController = 0;

        discoverControllers();

        EXPECT_EQ(state().mouseController, c.expected) << "case " << (&c - cases);
    }
}

TEST_F(DiscoveryTest, ChoosesAPresentActiveController) {
    const struct {
        bool plugged[kControllerSlots];
        int active;
        int expected;
        bool switched;
    } cases[] = {
        {{true, false, true, false, false}, 3, 0, true},
        {{false, false, true, false, true}, 0, 2, true},
        {{true, true, false, false, false}, 1, 1, false},
        {{false, false, false, false, true}, 4, 4, false},
        {{false, false, false, false, false}, 0, 0, false},
        {{false, false, false, false, false}, 3, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        resetFakeWin32();
        for (int id = 0; id < kControllerSlots; ++id) {
            if (c.plugged[id]) {
                fakeJoystickPlug(id, false);
            }
        }
        AppState& s = state();
        s.activeController = c.active;
        s.axes[0] = s.axes[1] = s.axes[2] = s.axes[3] = 0.5f;
        s.inputBits = s.previousInputBits = s.changedBits = s.pressedBits = s.releasedBits = 0x11;
        s.viewDirty = 0;

        discoverControllers();

        EXPECT_EQ(s.activeController, c.expected);
        EXPECT_EQ(s.viewDirty, c.switched ? 1 : 0);
        const float axis = c.switched ? 0.0f : 0.5f;
        const uint32_t bits = c.switched ? 0u : 0x11u;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(s.axes[i], axis) << "axis " << i;
        }
        const uint32_t sets[5] = {s.inputBits, s.previousInputBits, s.changedBits, s.pressedBits,
                                  s.releasedBits};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(sets[i], bits) << "bit set " << i;
        }
    }
}

TEST_F(DiscoveryTest, EveryRunStartsAfresh) {
    plugIds({0, 1}, true);
    discoverControllers();
    ASSERT_EQ(state().controllerCount, 2);
    ASSERT_EQ(state().mouseController, 0);

    fake().joystick.present[0] = false;
    state().rediscoveryTicks = 400;
    discoverControllers();

    EXPECT_EQ(state().controllerCount, 1);
    EXPECT_EQ(state().mouseController, 1);
    EXPECT_EQ(state().controllers[0].present, 0);
    EXPECT_EQ(state().activeController, 1);
    EXPECT_EQ(state().rediscoveryTicks, 0);
}

} // namespace
