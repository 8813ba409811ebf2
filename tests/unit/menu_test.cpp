#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "app/menu_commands.h"
#include "rig.h"

// One mark per item: 'G' grey, 'C' checked, '-' neither.
static std::string marks(const AppState& s, std::initializer_list<uint32_t> ids) {
    std::string out;
    for (uint32_t id : ids) {
        for (const MenuItemState& i : menuStates(s).items) {
            out += i.id != id ? "" : (i.grayed ? "G" : (i.checked ? "C" : "-"));
        }
    }
    return out;
}

TEST(Menu, GreyAndCheckMarksFollowControllersScaleAndTriggerModes) {
    AppState s;
    publishAppState(&s);
    concludeDiscovery(kControllerSlots); // finds no controller
    const MenuStates m = menuStates(s);
    EXPECT_EQ(std::tuple(m.controllerGrayed, m.triggerGrayed, m.mouseSpeedGrayed,
                         marks(s, {kCommandMapButtons})),
              std::tuple(true, true, true, "G"));
    for (const auto& [scale, want] : {std::pair{1, "-G"}, {2, "--"}, {4, "G-"}}) {
        s.windowScale = scale;
        EXPECT_EQ(marks(s, {kCommandIncreaseSize, kCommandDecreaseSize}), want) << scale;
    }
    s.triggerModes = 0x213; // group 1 holds 3, which no item stands for
    EXPECT_EQ(marks(s, {9009, 9010, 9011, 9012, 9013, 9014, 9015, 9016, 9017}), "----C---C");
}

TEST(Menu, ChoosingATriggerModeReplacesItsGroupsMode) {
    EXPECT_EQ(std::tuple(applyTriggerCommand(0x213, kCommandAuto1),
                         applyTriggerCommand(0xF003, kCommandDelayed1 + 1),
                         applyTriggerCommand(0x213, kCommandSingle1 + 2)),
              std::tuple(0x211u, 0x023u, 0x013u));
}

TEST(Menu, UnusedIdsAndTheActiveControllerChangeNothing) {
    Rig r;
    ASSERT_EQ(r.tick(0x1), "d08");
    for (uint32_t id : {kCommandController1 + 0u, 9006u, 9007u, 9008u, 9028u}) {
        const std::string before(reinterpret_cast<const char*>(&r.s), sizeof r.s);
        EXPECT_EQ(applyMenuCommand(id), MenuAction::kNone);
        EXPECT_TRUE(std::string(reinterpret_cast<const char*>(&r.s), sizeof r.s) == before) << id;
    }
}
