#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/menu_commands.h"
#include "rig.h"

// Codes of controller 0 out of the box: D-pad Up 0x26, Button 1 0x08.
constexpr uint32_t kHatUp = 0;
constexpr uint32_t kButton1 = 0x1;

TEST(ButtonEmulation, EachTriggerModeRepeatsFromItsOwnTick) {
    struct Row {
        uint32_t modes, buttons, pov;
        int firstRepeat; // 20: never within the hold
    };
    const Row rows[] = {
        {0x000, kButton1, kHatCentred, 20}, // Single
        {0x001, kButton1, kHatCentred, 1},  // Auto
        {0x002, kButton1, kHatCentred, 13}, // Delayed Auto
        {0x200, 0x800, kHatCentred, 13},    // Button 12 in Delayed Auto
        {0x111, 0, 9000, 20},               // D-pad Right with every group on Auto
    };
    for (const Row& row : rows) {
        Rig r;
        r.s.triggerModes = row.modes;
        std::memset(r.s.profiles[0].mappingCodes, 0x41, kInputCount);
        std::string got = r.tick(row.buttons, row.pov);
        std::string want = "d41";
        for (int t = 1; t < 20; ++t) {
            got += "|" + r.tick(row.buttons, row.pov);
            want += t >= row.firstRepeat ? "|u41 d41" : "|";
        }
        EXPECT_EQ(got + "|" + r.tick(0), want + "|u41") << std::hex << row.modes;
    }
}

TEST(ButtonEmulation, InputsGoOutInInputOrderAsKeysOrMouseButtons) {
    Rig r;
    uint8_t* codes = r.s.profiles[0].mappingCodes;
    codes[4] = 1; // Buttons 1 to 3: left, right and middle mouse button
    codes[5] = 2;
    codes[6] = 4;
    codes[7] = 0x41;
    codes[12] = 0;                   // Button 9 unassigned
    const uint32_t buttons = 0x110F; // Buttons 1-4, 9 and 13
    EXPECT_EQ(r.tick(buttons, kHatUp), "d26 Ld Rd Md d41");
    EXPECT_EQ(r.tick(0), "u26 Lu Ru Mu u41");
}

TEST(ButtonEmulation, ReleaseSendsTheCodeThatWentDownWhenTheMappingChanged) {
    for (uint8_t newCode : {uint8_t{0x41}, uint8_t{0}}) {
        Rig r;
        ASSERT_EQ(r.tick(kButton1), "d08");
        r.s.profiles[0].mappingCodes[4] = newCode;
        EXPECT_EQ(r.tick(kButton1) + "|" + r.tick(0), "|u08") << int{newCode};
    }
}

TEST(ButtonEmulation, EverythingHeldGoesUpWhenItCanNoLongerBeFollowed) {
    const std::function<void(AppState&)> ways[] = {
        [](AppState&) { runEngineTick(false); }, // the controller stops answering
        [](AppState&) { applyMenuCommand(kCommandController1 + 2); },
        [](AppState& s) { // discovery finds the active controller gone
            s.controllers[0].present = 0;
            settleDiscovery(kControllerSlots);
        },
        [](AppState&) { releaseHeldInputs(); },
        [](AppState& s) { // a dialog opens
            s.hwndDialog = reinterpret_cast<HWND>(&s);
            runEngineTick(true);
        },
    };
    int way = 0;
    for (const auto& loseTrack : ways) {
        Rig r;
        ASSERT_EQ(r.tick(kButton1, kHatUp), "d26 d08");
        loseTrack(r.s);
        EXPECT_EQ(r.sent(), "u26 u08") << "way " << way++;
        releaseHeldInputs();
        EXPECT_EQ(r.sent(), "");
    }
}

TEST(ButtonEmulation, ChoosingTheActiveControllerAgainKeepsWhatIsHeld) {
    Rig r;
    ASSERT_EQ(r.tick(kButton1), "d08");
    applyMenuCommand(kCommandController1);
    EXPECT_EQ(r.sent() + "|" + r.tick(kButton1), "|");
}

TEST(MouseEmulation, MotionIsTruncatedOutsideTheDeadZoneAndTurnsTheWheel) {
    EXPECT_EQ(speedFactor(0), 14);
    EXPECT_EQ(speedFactor(1), 28);
    EXPECT_EQ(speedFactor(2), 70);
    struct Row {
        float x, y, r;
        const char* expected;
    };
    const Row rows[] = {
        {1.0f, 0, 0, "m70,0"},      {0.5f, 0.01f, 0, "m35,0"},     {-0.05f, 0, 0, "m-3,0"},
        {0.03f, -0.03f, 0.03f, ""}, {0.031f, 0, 0, "m2,0"},        {0, 0, 1.0f, "w-120"},
        {0, 0, -0.5f, "w60"},       {0, 0.5f, 1.0f, "m0,35w-120"},
    };
    for (const Row& row : rows) {
        INPUT event = {};
        event.type = INPUT_MOUSE;
        event.mi = mouseMotion(row.x, row.y, row.r, 70.0f, 120.0f);
        EXPECT_EQ(describe(event), row.expected) << row.x << "," << row.y << "," << row.r;
    }
}

TEST(MouseEmulation, OnlyThePointerControllerMovesThePointerAlsoUnderADialog) {
    Rig r;
    r.s.mouseSpeed = 1;
    r.s.joyInfo.dwXpos = 65535;
    EXPECT_EQ(r.tick(0), "");
    r.s.mouseController = 1;
    EXPECT_EQ(r.tick(0), "");
    r.s.mouseController = 0;
    EXPECT_EQ(r.tick(0), "m28,0");
    r.s.hwndDialog = reinterpret_cast<HWND>(&r.s);
    EXPECT_EQ(r.tick(kButton1, kHatUp), "m28,0");
}

TEST(Discovery, FirstPresentBecomesActiveAndFirstWithAHatMovesThePointer) {
    Rig r;
    r.s.controllers[0].present = 0;
    r.s.controllers[1].caps = 0;
    settleDiscovery(kControllerSlots);
    EXPECT_EQ(r.s.controllerCount, 4);
    EXPECT_EQ(r.s.activeController, 1);
    EXPECT_EQ(r.s.mouseController, 2);
    applyMenuCommand(kCommandController1 + 3);
    settleDiscovery(kControllerSlots);
    EXPECT_EQ(r.s.activeController, 3);
}

TEST(Discovery, IsDueAgainOnlyAfterMoreThan500TicksWithoutAController) {
    Rig r;
    for (ControllerInfo& c : r.s.controllers) {
        c.present = 0;
    }
    settleDiscovery(kControllerSlots);
    int ticks = 1;
    while (ticks < 1000 && !runEngineTick(true)) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 501);
}
