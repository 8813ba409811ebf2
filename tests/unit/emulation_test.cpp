#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

#include "app/menu_commands.h"
#include "input/scan_codes.h"
#include "rig.h"

// Codes of controller 0 out of the box: D-pad Up 0x26, Button 1 0x08.
constexpr uint32_t kHatUp = 0;
constexpr uint32_t kButton1 = 0x1;

TEST(ButtonEmulation, EachTriggerModeRepeatsFromItsOwnTick) {
    // Trigger modes, buttons and hat held for 20 ticks, tick of the first repeat (20: none):
    // Single, Auto, Delayed Auto, Button 12 in Delayed Auto, D-pad Right with every group Auto.
    // clang-format off
    const std::tuple<uint32_t, uint32_t, uint32_t, int> rows[] = {
        {0x000, kButton1, kHatCentred, 20}, {0x001, kButton1, kHatCentred, 1},
        {0x002, kButton1, kHatCentred, 13}, {0x200, 0x800, kHatCentred, 13}, {0x111, 0, 9000, 20}};
    // clang-format on
    for (const auto& [modes, buttons, pov, firstRepeat] : rows) {
        Rig r;
        r.s.triggerModes = modes;
        std::memset(r.s.profiles[0].mappingCodes, 0x41, kInputCount);
        std::string got = r.tick(buttons, pov), want = "d41";
        for (int t = 1; t < 20; ++t) {
            got += "|" + r.tick(buttons, pov);
            want += t >= firstRepeat ? "|u41 d41" : "|";
        }
        EXPECT_EQ(got + "|" + r.tick(0), want + "|u41") << std::hex << modes;
    }
}

TEST(ButtonEmulation, InputsGoOutInInputOrderAsKeysOrMouseButtons) {
    Rig r;
    // Buttons 1-3 left, right and middle mouse button, Button 4 'A'; Button 9 is unassigned
    // and Button 13 not mappable.
    std::memcpy(r.s.profiles[0].mappingCodes + 4, "\1\2\4A", 4);
    EXPECT_EQ(r.tick(0x110F, kHatUp), "d26 f2:0,0,0 f8:0,0,0 f20:0,0,0 d41");
    EXPECT_EQ(r.tick(0), "u26 f4:0,0,0 f10:0,0,0 f40:0,0,0 u41");
}

TEST(ButtonEmulation, ReleaseSendsTheCodeThatWentDownWhenTheMappingChanged) {
    for (uint8_t newCode : {uint8_t{0x41}, uint8_t{0}}) {
        Rig r;
        ASSERT_EQ(r.tick(kButton1), "d08");
        r.s.profiles[0].mappingCodes[4] = newCode;
        EXPECT_EQ(r.tick(kButton1) + "|" + r.tick(0), "|u08") << int{newCode};
    }
}

TEST(ButtonEmulation, EverythingHeldGoesUpInInputOrderWhenItCanNoLongerBeFollowed) {
    const std::function<void(AppState&)> ways[] = {
        [](AppState&) { decideTick(false); }, // the controller stops answering
        [](AppState&) { switchController(2); },
        [](AppState& s) { // discovery finds the active controller gone
            s.controllers[0].present = 0;
            concludeDiscovery(kControllerSlots);
        },
        [](AppState& s) { // ... and no other one there (only its id probed)
            s.controllers[0].present = 0;
            concludeDiscovery(1);
        }};
    for (const auto& loseTrack : ways) {
        Rig r;
        ASSERT_EQ(r.tick(kButton1, kHatUp), "d26 d08");
        loseTrack(r.s);
        EXPECT_EQ(r.sent(), "u26 u08") << "way " << &loseTrack - ways;
    }
}

TEST(ButtonEmulation, KeysCarryTheirSetOneScanCodeAndE0KeysTheExtendedFlagUpAndDown) {
    for (uint8_t key : {'A', 'Z', '0', '9', '\xBA'}) { // letters, digits, punctuation
        EXPECT_EQ(fixedScanCode(key), kScanFromLayout) << int{key};
    }
    // clang-format off
    const std::tuple<uint8_t, int, bool> rows[] = {
        {0x20, 0x39, 0}, {0x08, 0x0E, 0}, {0x0D, 0x1C, 0}, {0x09, 0x0F, 0}, {0xA1, 0x36, 0},
        {0x26, 0x48, 1}, {0x28, 0x50, 1}, {0x25, 0x4B, 1}, {0x27, 0x4D, 1}, {0x2D, 0x52, 1},
        {0x2E, 0x53, 1}, {0x24, 0x47, 1}, {0x23, 0x4F, 1}, {0x21, 0x49, 1}, {0x22, 0x51, 1},
        {0xA3, 0x1D, 1}, {0xA5, 0x38, 1}, {0x60, 0x52, 0}, {0x69, 0x49, 0}, {0x6E, 0x53, 0},
        {0x6F, 0x35, 1}, {0x90, 0x45, 0}, {0x13, 0x45, 1}, {0x70, 0x3B, 0}, {0x7B, 0x58, 0}};
    // clang-format on
    Rig r;
    for (const auto& [key, scan, extended] : rows) {
        INPUT down = codeEvent(key, true), up = codeEvent(key, false);
        EXPECT_EQ(std::tuple(down.ki.wScan, down.ki.dwFlags, up.ki.wScan, up.ki.dwFlags),
                  std::tuple(scan, DWORD{extended}, scan, DWORD{extended} | KEYEVENTF_KEYUP))
            << int{key};
    }
}

TEST(MouseEmulation, MotionIsTruncatedOutsideTheDeadZoneAndTurnsTheWheel) {
    // clang-format off
    const std::tuple<float, float, float, const char*> rows[] = {
        {1.0f, 0, 0, "f1:70,0,0"}, {0.5f, 0.01f, 0, "f1:35,0,0"}, {-0.05f, 0, 0, "f1:-3,0,0"},
        {0.03f, -0.03f, 0.03f, ""}, {0.031f, 0, 0, "f1:2,0,0"}, {0, 0, 1.0f, "f800:0,0,-120"},
        {0, 0, -0.5f, "f800:0,0,60"}, {0, 0.5f, 1.0f, "f801:0,35,-120"}};
    // clang-format on
    for (const auto& [x, y, wheel, expected] : rows) {
        EXPECT_EQ(describe({INPUT_MOUSE, {mouseMotion(x, y, wheel, 70.0f, 120.0f)}}), expected);
    }
}

TEST(MouseEmulation, OnlyThePointerControllerMovesThePointerAlsoUnderADialogWithoutTheWheel) {
    Rig r;
    r.s.mouseSpeed = 1;
    r.s.joyInfo.dwXpos = r.s.joyInfo.dwRpos = 65535;
    EXPECT_EQ(r.tick(0), ""); // controller 0 has a hat but is not the pointer controller
    r.s.mouseController = 0;
    r.s.hwndDialog = reinterpret_cast<HWND>(&r.s);
    EXPECT_EQ(r.tick(kButton1, kHatUp), "f1:28,0,0");
}

TEST(Discovery, PicksTheFirstPresentAndFirstHatAndIsDueAgainAfter500TicksWithoutAController) {
    Rig r;
    r.s.controllers[0].present = 0;
    r.s.controllers[1].caps = 0;
    concludeDiscovery(kControllerSlots);
    EXPECT_EQ(std::tie(r.s.controllerCount, r.s.activeController, r.s.mouseController),
              std::tuple(4, 1, 2));
    switchController(3);
    concludeDiscovery(kControllerSlots);
    EXPECT_EQ(r.s.activeController, 3); // a present active controller stays
    concludeDiscovery(0);               // no joystick ids to probe
    int ticks = 1;
    while (ticks < 1000 && !decideTick(true)) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 501);
}

TEST(Discovery, DeviceChangesCallForOneDiscovery25TicksAfterTheLastOne) {
    Rig r;
    std::vector<int> due;
    for (int tick = 1; tick <= 100; ++tick) {
        if (tick == 1 || tick == 11) { // a change, and another one during the wait
            scheduleDiscovery();
        }
        if (decideTick(true)) {
            due.push_back(tick);
        }
    }
    EXPECT_EQ(due, std::vector<int>{35});
}
