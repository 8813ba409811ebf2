#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "app/menu/menu_commands.h"
#include "app/menu/menu_tree.h"
#include "mapping/program_rules.h"
#include "mapping/settings_rules.h"
#include "rig.h"

// The values that would be saved, by name.
static std::map<std::wstring, uint32_t> stored(AppState& s) {
    StoredValue values[kSettingCount];
    listSettings(s, values);
    std::map<std::wstring, uint32_t> out;
    for (const StoredValue& value : values) {
        std::memcpy(&out[value.name], value.field, sizeof(uint32_t));
    }
    return out;
}

TEST(Menu, GreyAndCheckMarksFollowTheControllersThePointerControllerAndTheScale) {
    // The submenus Controller, Trigger, Mouse Speed and the program's, then each item: 'G' grey,
    // 'C' checked,
    // '-' neither. Items: Controllers 1-5; Single, Auto, Delayed Auto of buttons 1-4, 5-8 and
    // 9-12; Slow, Medium, Fast, Linear, Curved; Increase, Decrease, Map Buttons; Pause, Pause
    // Here, Map Buttons Here, Use General Mapping, Start with Windows, Restart as Administrator;
    // then 50, 125, 250, 500 per Second, each followed by the Dead Zone of its place, 3% to 25%.
    // Discovery makes the first one present the pointer controller. The third row is paused,
    // elevated, starts with Windows and knows a program with Pause Here and a table of its own.
    // clang-format off
    const std::tuple<uint32_t, int32_t, int32_t, const char*> rows[] = {
        {0b00000, 0, 2, "GGGG" "GGGGG" "C--C--C--" "C--C-" "--G" "--GG--" "CC------"}, // no controller
        {0b11110, 0, 1, "-GGG" "G----" "C--C--C--" "C--C-" "-GG" "--GG--" "CC------"}, // the active one gone
        {0b11110, 1, 4, "----" "GC---" "C--C--C--" "C--C-" "G--" "CC--CG" "CC------"}, // the pointer one active
        {0b00101, 2, 2, "--GG" "-GCGG" "C--C--C--" "C--C-" "---" "---G--" "CC------"}}; // another pointer one
    // clang-format on
    for (const auto& [present, active, scale, want] : rows) {
        Rig r;
        if (scale == 4) {
            resetProgram(r.s, L"game.exe");
            r.s.paused = r.s.program.pauseHere = r.s.startsWithWindows = r.s.elevated = 1;
            r.s.program.ownTables = 0x10;
        }
        for (int id = 0; id < kControllerSlots; ++id) {
            r.s.controllers[id].present = (present >> id) & 1;
        }
        concludeDiscovery(kControllerSlots);
        std::tie(r.s.activeController, r.s.windowScale) = std::tie(active, scale);
        const MenuStates m = menuStates(r.s);
        auto mark = [](bool grey) { return grey ? 'G' : '-'; };
        std::string got{mark(m.controllerGrayed), mark(m.triggerGrayed), mark(m.mouseSpeedGrayed),
                        mark(m.programGrayed)};
        for (const MenuItemState& item : m.items) {
            got += item.checked && !item.grayed ? 'C' : mark(item.grayed);
        }
        EXPECT_EQ(got, want);
    }
}

TEST(Menu, EachCommandOfTheTreeStoresItsValueAsksForItsActionAndChecksItsItemAlone) {
    using A = MenuAction;
    constexpr A kNone = A::kNone, kSelect = A::kSelectController, kRate = A::kPollRateChanged;
    const wchar_t *const T = L"Trigger", *const S = L"MouseSpeed", *const C = L"MouseCurve";
    const std::wstring K = L"&Controller/&", B1 = L"&Trigger/Buttons &1-4/&",
                       B5 = L"&Trigger/Buttons &5-8/&", B9 = L"&Trigger/Buttons &9-12/&",
                       M = L"&Mouse Speed/&", W = L"&Window Size/&",
                       Z = L"&Mouse Speed/&Dead Zone/", P = L"P&oll Rate/";
    const wchar_t *const D = L"DeadZone", *const R = L"PollRate";
    // By the texts leading to an item: its action, and the stored value it sets or the
    // controller it chooses, from trigger modes 3, speed 3, curve 2, dead zone 0 and poll rate 0,
    // which no item stands for.
    // clang-format off
    const std::map<std::wstring, std::tuple<MenuAction, const wchar_t*, uint32_t>> oracle = {
        {K + L"1", {kSelect, {}, 0}}, {K + L"2", {kSelect, {}, 1}}, {K + L"3", {kSelect, {}, 2}},
        {K + L"4", {kSelect, {}, 3}}, {K + L"5", {kSelect, {}, 4}},
        {B1 + L"Single", {kNone, T, 0x330}}, {B1 + L"Auto", {kNone, T, 0x331}},
        {B1 + L"Delayed Auto", {kNone, T, 0x332}}, {B5 + L"Single", {kNone, T, 0x303}},
        {B5 + L"Auto", {kNone, T, 0x313}}, {B5 + L"Delayed Auto", {kNone, T, 0x323}},
        {B9 + L"Single", {kNone, T, 0x033}}, {B9 + L"Auto", {kNone, T, 0x133}},
        {B9 + L"Delayed Auto", {kNone, T, 0x233}},
        {M + L"Slow", {kNone, S, 0}}, {M + L"Medium", {kNone, S, 1}}, {M + L"Fast", {kNone, S, 2}},
        {M + L"Linear", {kNone, C, 0}}, {M + L"Curved", {kNone, C, 1}},
        {Z + L"&3%", {kNone, D, 3}}, {Z + L"&8%", {kNone, D, 8}}, {Z + L"1&5%", {kNone, D, 15}},
        {Z + L"&25%", {kNone, D, 25}}, {P + L"&50 per Second", {kRate, R, 50}},
        {P + L"&125 per Second", {kRate, R, 125}}, {P + L"&250 per Second", {kRate, R, 250}},
        {P + L"5&00 per Second", {kRate, R, 500}},
        {W + L"Increase Size", {A::kIncreaseSize, {}, 0}},
        {W + L"Decrease Size", {A::kDecreaseSize, {}, 0}},
        {L"Map &Buttons...", {A::kMapButtons, {}, 0}}, {L"&About Tavlor", {A::kAbout, {}, 0}},
        {L"E&xit\tAlt+X", {A::kExit, {}, 0}}, {L"&Pause\tCtrl+Alt+P", {A::kPauseChanged, {}, 0}},
        {L"In Another Program/&Pause Here", {kNone, {}, 0}}, // no program known yet
        {L"In Another Program/Map &Buttons Here...", {A::kMapButtonsHere, {}, 0}},
        {L"In Another Program/Use &General Mapping", {kNone, {}, 0}},
        {L"&Hide Window", {A::kToggleWindow, {}, 0}},
        {L"&Start with Windows", {A::kToggleStartWithWindows, {}, 0}},
        {L"&Restart as Administrator", {A::kRestartAsAdministrator, {}, 0}}};
    // clang-format on
    std::wstring path[4];
    std::set<std::wstring> mnemonics; // each menu's path with a mnemonic letter: none twice
    for (const MenuEntry& entry : kMenuTree) {
        const wchar_t* text = entry.text != nullptr ? entry.text : L"";
        path[entry.level] = path[entry.level - 1] + (entry.level > 1 ? L"/" : L"") + text;
        if (const wchar_t* amp = std::wcschr(text, L'&')) {
            const wchar_t letter = static_cast<wchar_t>(std::towlower(amp[1]));
            EXPECT_TRUE(mnemonics.insert(path[entry.level - 1] + L"/" + letter).second) << text;
        }
        if (entry.id == 0) {
            continue;
        }
        ASSERT_EQ(oracle.count(path[entry.level]), 1u) << entry.id;
        const auto& [action, setting, value] = oracle.at(path[entry.level]);
        Rig r; // a controller other than the one a Controller command chooses is active
        r.s.activeController = static_cast<int32_t>((value + 1) % kControllerSlots);
        std::tie(r.s.triggerModes, r.s.mouseSpeed, r.s.mouseCurve, r.s.deadZone, r.s.pollRate) =
            std::tuple(0xF333u, 3, 2, 0, 0);
        std::map<std::wstring, uint32_t> saved = stored(r.s);
        if (setting != nullptr) {
            saved[setting] = value;
        }
        EXPECT_TRUE(applyMenuCommand(entry.id) == action && stored(r.s) == saved) << entry.id;
        if (action == kSelect) {
            switchController(commandController(entry.id)); // as the window does
        }
        // Checked: the active controller, and the item if it stands for a setting; 0 for the rest.
        std::set<uint32_t> checked,
            want{0, kCommandController1 + r.s.activeController,
                 setting != nullptr || action == kSelect || action == A::kPauseChanged ? entry.id
                                                                                       : 0};
        for (const MenuItemState& item : menuStates(r.s).items) {
            checked.insert(item.checked ? item.id : 0);
        }
        EXPECT_EQ(checked, want) << entry.id;
    }
    // Ids of no command, and choosing the active controller, change nothing.
    Rig r;
    auto bytes = [&r] { return std::string(reinterpret_cast<const char*>(&r.s), sizeof r.s); };
    for (uint32_t id : {kCommandController1 + 0u, 9006u, 9007u, 9008u, 9028u}) {
        const std::string before = bytes();
        EXPECT_TRUE(applyMenuCommand(id) == A::kNone && bytes() == before) << id;
    }
}

TEST(Menu, StateTextsFollowTheWindowAndTheHotkey) {
    Rig r;
    // clang-format off
    const std::tuple<int32_t, int32_t, uint32_t, const wchar_t*> rows[] = {
        {0, 1, kCommandHideWindow, L"&Hide Window"}, {1, 1, kCommandHideWindow, L"&Show Window"},
        {0, 1, kCommandPause, L"&Pause\tCtrl+Alt+P"}, {1, 0, kCommandPause, L"&Pause"},
        {1, 0, kCommandStartWithWindows, L"&Start with Windows"}, {0, 0, kCommandExit, L"E&xit\tAlt+X"}};
    // clang-format on
    for (const auto& [hidden, hotkey, id, text] : rows) {
        std::tie(r.s.windowHidden, r.s.pauseHotkeyReady) = std::tie(hidden, hotkey);
        EXPECT_STREQ(menuItemText(r.s, id), text) << id;
    }
}
