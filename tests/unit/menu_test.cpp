#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/menu_commands.h"
#include "rig.h"

namespace {

MenuItemState item(const AppState& s, uint32_t id) {
    const MenuStates m = menuStates(s);
    return *std::find_if(std::begin(m.items), std::end(m.items),
                         [id](const MenuItemState& i) { return i.id == id; });
}

} // namespace

TEST(Menu, WithoutControllersControllerTriggerMouseSpeedAndMapButtonsAreGrey) {
    for (int32_t present : {0, 1}) {
        Rig r;
        for (ControllerInfo& c : r.s.controllers) {
            c.present = present;
        }
        settleDiscovery(kControllerSlots);
        const MenuStates m = menuStates(r.s);
        const bool grey = present == 0;
        EXPECT_EQ(std::tuple(m.controllerGrayed, m.triggerGrayed, m.mouseSpeedGrayed,
                             item(r.s, kCommandMapButtons).grayed),
                  std::tuple(grey, grey, grey, grey));
    }
}

TEST(Menu, SizeItemsGreyAtTheScaleLimits) {
    AppState s;
    for (const auto& [scale, increase, decrease] :
         {std::tuple{1, false, true}, {2, false, false}, {4, true, false}}) {
        s.windowScale = scale;
        EXPECT_EQ(
            std::pair(item(s, kCommandIncreaseSize).grayed, item(s, kCommandDecreaseSize).grayed),
            std::pair(increase, decrease))
            << scale;
    }
}

TEST(Menu, TriggerItemsCheckTheGroupsModeAndChoosingOneReplacesIt) {
    AppState s;
    s.triggerModes = 0x213; // group 1 holds 3, which no item stands for
    for (uint32_t id = kCommandSingle1; id <= kCommandDelayed3; ++id) {
        EXPECT_EQ(item(s, id).checked, id == kCommandAuto1 + 1 || id == kCommandDelayed3) << id;
    }
    EXPECT_EQ(std::tuple(applyTriggerCommand(0x213, kCommandAuto1),
                         applyTriggerCommand(0xF003, kCommandDelayed1 + 1),
                         applyTriggerCommand(0x213, kCommandSingle1 + 2)),
              std::tuple(0x211u, 0x023u, 0x013u));
}

TEST(Menu, CommandsChangeTheirSettingOrAskTheWindowAndUnusedIdsDoNothing) {
    Rig r;
    ASSERT_EQ(r.tick(0x1), "d08");
    using A = MenuAction;
    // Command, what it asks for, then mouse speed, curve, active controller and events.
    const std::tuple<uint32_t, MenuAction, int32_t, int32_t, int32_t, const char*> script[] = {
        {9001, A::kNone, 0, 0, 0, ""},    {9020, A::kNone, 2, 0, 0, ""},
        {9022, A::kNone, 2, 1, 0, ""},    {9006, A::kNone, 2, 1, 0, ""},
        {9008, A::kNone, 2, 1, 0, ""},    {9028, A::kNone, 2, 1, 0, ""},
        {9003, A::kNone, 2, 1, 2, "u08"}, {9023, A::kIncreaseSize, 2, 1, 2, ""},
        {9027, A::kExit, 2, 1, 2, ""},
    };
    for (const auto& [id, action, speed, curve, active, events] : script) {
        EXPECT_EQ(applyMenuCommand(id), action) << id;
        EXPECT_EQ(std::tuple(r.s.mouseSpeed, r.s.mouseCurve, r.s.activeController, r.s.triggerModes,
                             r.sent()),
                  std::tuple(speed, curve, active, 0u, std::string(events)))
            << id;
    }
}
