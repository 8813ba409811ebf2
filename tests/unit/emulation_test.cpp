#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "input/scan_codes.h"
#include "mapping/key_catalogue.h"
#include "rig.h"

// Controller 0 out of the box types 0x26 for D-pad Up (the hat at 0) and 0x08 for Button 1 (0x1).

// Letting go; the controller stops answering; switching to controller 3; discovery finding the
// active controller gone, with others there or none (only its id probed); a dialog opening; a
// pause; and the release Tavlor makes as it closes, at session end, before sleep and as another
// program comes to the front.
// clang-format off
const std::function<void(AppState&)> kWays[] = {
    [](auto& s) { s.joyInfo.dwButtons = 0; s.joyInfo.dwPOV = kHatCentred; decideTick(true); },
    [](auto&) { decideTick(false); },
    [](auto&) { switchController(2); },
    [](auto& s) { s.controllers[0].present = 0; concludeDiscovery(kControllerSlots); },
    [](auto& s) { s.controllers[0].present = 0; concludeDiscovery(1); },
    [](auto& s) { s.hwndDialog = reinterpret_cast<HWND>(&s); decideTick(true); },
    [](auto& s) { s.paused = 1; decideTick(true); },
    [](auto&) { queueHeldReleases(); }};
// clang-format on

TEST(ButtonEmulation, WhatInputsHoldGoesUpInInputOrderWhicheverWayTheyStopBeingFollowed) {
    // Buttons 1-3 click the left, right and middle mouse buttons, every other input types the
    // letter of its place, from 'A' for D-pad Up to 'P' for Button 12, Button 5 with Ctrl+Shift
    // and Button 6 with Ctrl, which they share. All twelve buttons (and Button 13, which maps to
    // nothing) are held with the hat on Up and Right, then on Down and Left, as a hat holds two
    // directions at most.
    // clang-format off
    const std::tuple<uint32_t, const char*, const char*> holds[] = {
        {4500, "d41 d44 f2:0,0,0 f8:0,0,0 f20:0,0,0 d48 dA2 dA0 d49 d4A d4B d4C d4D d4E d4F d50",
               "u41 u44 f4:0,0,0 f10:0,0,0 f40:0,0,0 u48 u49 uA0 u4A uA2 u4B u4C u4D u4E u4F u50|"},
        {22500, "d42 d43 f2:0,0,0 f8:0,0,0 f20:0,0,0 d48 dA2 dA0 d49 d4A d4B d4C d4D d4E d4F d50",
                "u42 u43 f4:0,0,0 f10:0,0,0 f40:0,0,0 u48 u49 uA0 u4A uA2 u4B u4C u4D u4E u4F u50|"}};
    // clang-format on
    for (const auto& [pov, pressed, released] : holds) {
        for (const auto& loseTrack : kWays) {
            Rig r;
            std::memcpy(r.s.profiles[0].mappingCodes, "ABCD\1\2\4HIJKLMNOP\0\0\0\0\0\0\0\0\3\1",
                        26);
            ASSERT_EQ(r.tick(0x1FFF, pov), pressed);
            // What went down goes up whatever is mapped now, and nothing more on the next tick.
            std::memset(r.s.profiles[0].mappingCodes, 0, kMappingBytes);
            loseTrack(r.s);
            EXPECT_EQ(r.sent() + "|" + r.tick(0), released) << pov << " way " << &loseTrack - kWays;
        }
    }
}

TEST(ButtonEmulation, AnInputHeldThroughADialogOrAPauseStaysQuietUntilPressedAgain) {
    // A dialog, the Pause switch, Pause Here and a program out of reach, each in front.
    const std::function<void(AppState&, int32_t)> ways[] = {
        [](auto& s, int32_t on) { s.hwndDialog = on != 0 ? reinterpret_cast<HWND>(&s) : nullptr; },
        [](auto& s, int32_t on) { s.paused = on; },
        [](auto& s, int32_t on) { s.programInFront = s.program.pauseHere = on; },
        [](auto& s, int32_t on) { s.programInFront = s.programUnreachable = on; }};
    for (const auto& quiet : ways) {
        Rig r;
        r.s.triggerModes = 0x1; // Auto: a repeat would come at every tick after the first
        std::string got = r.tick(0x1);
        quiet(r.s, 1);
        for (int t = 0; t < 3; ++t) {
            got += "|" + r.tick(0x1);
        }
        quiet(r.s, 0);
        for (int t = 0; t < 20; ++t) {
            got += r.tick(0x1);
        }
        EXPECT_EQ(got + "|" + r.tick(0) + r.tick(0x1), "d08|u08|||d08") << &quiet - ways;
    }
}

// Button 1 Ctrl+C, 2 Ctrl+Shift+V, 3 Left Ctrl itself, 5 E with a byte of high bits, 6 T with
// Ctrl, Shift, Alt and Win.
constexpr char kShortcuts[] = "\0\0\0\0CV\xA2\0ET\0\0\0\0\0\0"
                              "\0\0\0\0\1\3\0\0\x11\x0F\0\0\0\0\0\0";

TEST(Modifiers, GoDownBeforeTheKeyAndUpAfterItOnceForAllTheInputsThatShareThem) {
    // Trigger modes, the buttons of each tick, the events of each tick.
    // clang-format off
    const std::tuple<uint32_t, std::vector<uint32_t>, const char*> rows[] = {
        {0, {1, 0}, "dA2 d43|u43 uA2"}, {0, {3, 0}, "dA2 d43 dA0 d56|u43 u56 uA0 uA2"},
        {0, {1, 3, 2, 0}, "dA2 d43|dA0 d56|u43|u56 uA0 uA2"}, {0, {0x10, 0}, "d45|u45"},
        {0, {1, 3, 1, 0}, "dA2 d43|dA0 d56|u56 uA0|u43 uA2"}, {0, {4, 5, 1, 0}, "dA2|d43||u43 uA2"},
        {0, {2, 3, 1, 0}, "dA2 dA0 d56|d43|u56 uA0|u43 uA2"}, {0, {4, 5, 4, 0}, "dA2|d43|u43|uA2"},
        {0, {2, 3, 2, 0}, "dA2 dA0 d56|d43|u43|u56 uA0 uA2"}, {0, {1, 5, 4, 0}, "dA2 d43||u43|uA2"},
        {0, {0x20, 0}, "dA2 dA0 dA4 d5B d54|u54 u5B uA4 uA0 uA2"},
        {1, {1, 1, 1, 0}, "dA2 d43|u43 d43|u43 d43|u43 uA2"}, {1, {4, 4, 0}, "dA2|uA2 dA2|uA2"},
        {1, {4, 5, 5, 0}, "dA2|d43|u43 d43|u43 uA2"}};
    // clang-format on
    for (const auto& [modes, ticks, expected] : rows) {
        Rig r;
        r.s.triggerModes = modes;
        std::memcpy(r.s.profiles[0].mappingCodes, kShortcuts, kMappingBytes);
        std::string got;
        for (uint32_t buttons : ticks) {
            got += (got.empty() ? "" : "|") + r.tick(buttons);
        }
        EXPECT_EQ(got, expected) << ticks[0] << ticks[1];
    }
}

TEST(KeyCatalogue, NamesAndCodesAreUniqueAndKeysGoOutWithTheirSetOneScanCodeUpAndDown) {
    std::map<std::wstring, uint8_t> codeOf;
    std::set<int> codes;
    for (const KeyEntry& entry : keyCatalogue) {
        codes.insert(codeOf[entry.name] = entry.code);
        const std::wstring name = entry.name; // the layout places letters and digits
        if (name.find(L"Letter ") == 0 || name.find(L"Number ") == 0) {
            EXPECT_TRUE(entry.code == name.back() && fixedScanCode(entry.code) == kScanFromLayout);
        }
    }
    ASSERT_EQ(std::pair(codeOf.size(), codes.size()), std::pair(size_t{112}, size_t{112}));
    codeOf.insert({{L"Num Lock", 0x90}, {L"Print Screen", 0x2C}}); // keys it does not offer
    // Make codes; 0xE0xx for a key with the E0 prefix, which goes out extended.
    // clang-format off
    const std::pair<const wchar_t*, int> rows[] = {
        {L"Arrow Up", 0xE048}, {L"Arrow Down", 0xE050}, {L"Arrow Left", 0xE04B},
        {L"Arrow Right", 0xE04D}, {L"Insert", 0xE052}, {L"Delete", 0xE053}, {L"Home", 0xE047},
        {L"End", 0xE04F}, {L"Page Up", 0xE049}, {L"Page Down", 0xE051}, {L"Ctrl Left", 0x1D},
        {L"Ctrl Right", 0xE01D}, {L"Alt Left", 0x38}, {L"Alt Right", 0xE038},
        {L"Shift Left", 0x2A}, {L"Shift Right", 0x36}, {L"Numpad 0", 0x52}, {L"Numpad 1", 0x4F},
        {L"Numpad 2", 0x50}, {L"Numpad 3", 0x51}, {L"Numpad 4", 0x4B}, {L"Numpad 5", 0x4C},
        {L"Numpad 6", 0x4D}, {L"Numpad 7", 0x47}, {L"Numpad 8", 0x48}, {L"Numpad 9", 0x49},
        {L"Numpad Multiply", 0x37}, {L"Numpad Add", 0x4E}, {L"Numpad Subtract", 0x4A},
        {L"Numpad Decimal", 0x53}, {L"Numpad Divide", 0xE035}, {L"Win Left", 0xE05B},
        {L"Win Right", 0xE05C}, {L"Menu", 0xE05D}, {L"F1", 0x3B}, {L"F2", 0x3C}, {L"F3", 0x3D},
        {L"F4", 0x3E}, {L"F5", 0x3F}, {L"F6", 0x40}, {L"F7", 0x41}, {L"F8", 0x42}, {L"F9", 0x43},
        {L"F10", 0x44}, {L"F11", 0x57}, {L"F12", 0x58}, {L"Esc", 0x01}, {L"Tab", 0x0F},
        {L"Enter", 0x1C}, {L"Space", 0x39}, {L"Backspace", 0x0E}, {L"Caps Lock", 0x3A},
        {L"Pause", 0xE045}, {L"Num Lock", 0x45}, {L"Print Screen", 0xE037}, {L"Volume Up", 0xE030},
        {L"Volume Down", 0xE02E}, {L"Volume Mute", 0xE020}, {L"Media Play/Pause", 0xE022},
        {L"Media Next Track", 0xE019}, {L"Media Previous Track", 0xE010},
        {L"Browser Back", 0xE06A}, {L"Browser Forward", 0xE069}};
    // clang-format on
    Rig r;
    for (const auto& [name, scan] : rows) {
        const uint8_t key = codeOf.at(name);
        const KEYBDINPUT down = codeEvent(key, true).ki, up = codeEvent(key, false).ki;
        const DWORD extended = scan > 0xFF ? KEYEVENTF_EXTENDEDKEY : 0;
        EXPECT_EQ(std::tuple(down.wVk, down.wScan, down.dwFlags, up.wScan, up.dwFlags),
                  std::tuple(key, scan & 0xFF, extended, scan & 0xFF, extended | KEYEVENTF_KEYUP));
    }
}

TEST(MouseEmulation, OnlyThePointerControllerMovesThePointerEvenUnderADialog) {
    // Under a dialog the wheel stays still and buttons and D-pad type nothing.
    Rig r;
    r.s.mouseSpeed = 2; // Fast: 70 pixels a tick at full deflection
    r.s.joyInfo.dwXpos = r.s.joyInfo.dwRpos = 65535;
    EXPECT_EQ(r.tick(0), ""); // controller 0 has a hat but is not the pointer controller
    r.s.mouseController = 0;
    r.s.hwndDialog = reinterpret_cast<HWND>(&r.s);
    EXPECT_EQ(r.tick(0x1, 0), "f1:70,0,0");
    r.tick(0x3, 0); // under the dialog the input newly pressed, Button 2, finds its list
    EXPECT_EQ(r.s.dialogPressedSlot, 5);
}

TEST(Discovery, PicksTheFirstPresentAndTheFirstWithAHatAndKeepsAPresentActiveOne) {
    Rig r;
    r.s.controllers[0].present = 0;
    r.s.controllers[1].caps = 0;
    concludeDiscovery(kControllerSlots);
    EXPECT_EQ(std::tie(r.s.controllerCount, r.s.activeController, r.s.mouseController),
              std::tuple(4, 1, 2));
    switchController(3);
    concludeDiscovery(kControllerSlots);
    EXPECT_EQ(r.s.activeController, 3); // a present active controller stays
}
