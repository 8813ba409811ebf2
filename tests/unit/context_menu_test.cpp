#include "test_support.h"

#include <string>
#include <tuple>

#include "app/context_menu.h"
#include "app/dialogs.h"
#include "app/main_window.h"

namespace {

std::string narrow(const wchar_t* text) {
    std::string result;
    for (; *text != 0; ++text) {
        result += *text == L'\t' ? std::string("\\t") : std::string(1, static_cast<char>(*text));
    }
    return result;
}

// The items in order, a submenu's items in braces after its entry's text; an
// item with flags beyond its kind shows them.
std::string describeMenu(HMENU handle) {
    std::string text;
    const FakeMenu* menu = fakeMenu(handle);
    for (int i = 0; menu != nullptr && i < menu->itemCount; ++i) {
        const FakeMenuItem& item = menu->items[i];
        text += i == 0 ? "" : ", ";
        if (item.flags == MF_SEPARATOR) {
            text += "---";
        } else if (item.flags == MF_POPUP) {
            text += narrow(item.text) + "{" + describeMenu(reinterpret_cast<HMENU>(item.id)) + "}";
        } else {
            text += std::to_string(item.id) + " " + narrow(item.text) +
                    (item.flags == MF_STRING ? "" : " flags=" + std::to_string(item.flags));
        }
    }
    return text;
}

class ContextMenuTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = fakeBareWindow({100, 50, 594, 235}, 0);
        state().windowScale = 2;
    }

    // The submenu entries and command items carrying a state bit, in order.
    std::string itemsWith(UINT flag) {
        const AppState& s = state();
        const std::pair<HMENU, const char*> entries[] = {{s.controllerMenu, "Controller"},
                                                         {s.triggerMenu, "Trigger"},
                                                         {s.mouseSpeedMenu, "MouseSpeed"},
                                                         {s.windowSizeMenu, "WindowSize"}};
        std::string text;
        auto add = [&](UINT_PTR id, const std::string& name) {
            const FakeMenuItem* item = fakeMenuItem(id);
            if (item != nullptr && (item->flags & flag) != 0) {
                text += (text.empty() ? "" : " ") + name;
            }
        };
        for (const auto& [menu, name] : entries) {
            add(reinterpret_cast<UINT_PTR>(menu), name);
        }
        for (UINT_PTR id = 9001; id <= 9027; ++id) {
            add(id, std::to_string(id));
        }
        return text;
    }
};

} // namespace

TEST_F(ContextMenuTest, BuildsTheWholeTreeWithPlainItems) {
    ASSERT_TRUE(buildContextMenu());
    EXPECT_EQ(
        describeMenu(state().mainMenu),
        "&Controller{9001 &1, 9002 &2, 9003 &3, 9004 &4, 9005 &5}, "
        "&Trigger{Buttons &1-4{9009 &Single, 9012 &Auto, 9015 &Delayed Auto}, "
        "Buttons &5-8{9010 &Single, 9013 &Auto, 9016 &Delayed Auto}, "
        "Buttons &9-12{9011 &Single, 9014 &Auto, 9017 &Delayed Auto}}, "
        "&Mouse Speed{9018 &Slow, 9019 &Medium, 9020 &Fast, ---, 9021 &Linear, 9022 &Curved}, "
        "&Window Size{9023 &Increase Size, 9024 &Decrease Size}, "
        "---, 9025 Map &Buttons..., ---, 9026 &About Tavlor, ---, 9027 E&xit\\tAlt+X");
    EXPECT_EQ(fakeMenuItem(9014), &fakeMenu(state().triggerGroup3Menu)->items[1]);

    // Building again destroys the old tree.
    HMENU old = state().mainMenu;
    HMENU oldGroup = state().triggerGroup2Menu;
    ASSERT_TRUE(buildContextMenu());
    EXPECT_FALSE(fakeMenu(old)->alive);
    EXPECT_FALSE(fakeMenu(oldGroup)->alive);
}

// One menu, shown again and again: every showing rediscovers and refreshes every state.
TEST_F(ContextMenuTest, ShowingSetsEveryStateFromTheCurrentSettings) {
    const struct {
        const char* label;
        int present, hats; // bit n: joystick id n
        int32_t active;
        uint32_t triggerModes;
        int32_t mouseSpeed, mouseCurve, scale;
        std::string greyed, checked;
    } cases[] = {
        {"active controller without a hat", 0x3, 0x2, 0, 0, 0, 0, 2, "MouseSpeed 9003 9004 9005",
         "9001 9009 9010 9011 9018 9021"},
        {"active controller is the pointer", 0x3, 0x2, 1, 0x111, 2, 1, 2, "9003 9004 9005",
         "9002 9012 9013 9014 9020 9022"},
        {"discovery moves to a present controller", 0x8, 0x8, 0, 0, 1, 1, 2, "9001 9002 9003 9005",
         "9004 9009 9010 9011 9019 9022"},
        {"one mode per group", 0x1, 0x1, 0, 0x210, 1, 1, 3, "9002 9003 9004 9005",
         "9001 9009 9013 9017 9019 9022"},
        {"fields of 3 and more mark nothing", 0x1, 0x1, 0, 0xF43, 1, 1, 2, "9002 9003 9004 9005",
         "9001 9019 9022"},
        {"scale 4", 0x1, 0x1, 0, 0, 1, 1, 4, "9002 9003 9004 9005 9023",
         "9001 9009 9010 9011 9019 9022"},
        {"no controller", 0, 0, 0, 0, 1, 1, 1,
         "Controller Trigger MouseSpeed 9001 9002 9003 9004 9005 9024 9025",
         "9001 9009 9010 9011 9019 9022"},
    };
    ASSERT_TRUE(buildContextMenu());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fake().joystick = FakeJoystick{};
        for (int id = 0; id < kControllerSlots; ++id) {
            if ((c.present >> id & 1) != 0) {
                fakeJoystickPlug(id, (c.hats >> id & 1) != 0);
            }
        }
        state().activeController = c.active;
        state().triggerModes = c.triggerModes;
        state().mouseSpeed = c.mouseSpeed;
        state().mouseCurve = c.mouseCurve;
        state().windowScale = c.scale;
        showContextMenu(200, 100);
        EXPECT_EQ(itemsWith(MF_GRAYED), c.greyed);
        EXPECT_EQ(itemsWith(MF_CHECKED), c.checked);
    }
}

TEST_F(ContextMenuTest, TheMenuOpensAtAPointInsideTheWindowElseAtItsCorner) {
    const POINT points[] = {{300, 100}, {100, 50}, {594, 235}, {99, 100}, {300, 236}, {-1, -1}};
    ASSERT_TRUE(buildContextMenu());
    for (const POINT& p : points) {
        bool inside = p.x >= 100 && p.x <= 594 && p.y >= 50 && p.y <= 235;
        showContextMenu(p.x, p.y);
        EXPECT_EQ(fakeMenus().trackedAt.x, inside ? p.x : 100) << p.x << ", " << p.y;
        EXPECT_EQ(fakeMenus().trackedAt.y, inside ? p.y : 50) << p.x << ", " << p.y;
    }
}

// --- Commands ---

TEST_F(ContextMenuTest, AnotherControllerStartsFromACleanEngineState) {
    const std::tuple<int32_t, UINT, bool> cases[] = {{4, 9001, true}, {0, 9002, true},
                                                     {0, 9003, true}, {0, 9004, true},
                                                     {0, 9005, true}, {2, 9003, false}};
    for (const auto& [active, id, switches] : cases) {
        SCOPED_TRACE(id);
        SetUp();
        AppState& s = state();
        s.activeController = active;
        s.axes[2] = 0.5f;
        s.inputBits = s.changedBits = s.releasedBits = 0x11;
        s.viewDirty = 0;
        s.heldCodes[0] = 0x26;
        onCommand(id);
        EXPECT_EQ(s.activeController, static_cast<int32_t>(id - 9001));
        EXPECT_EQ(s.axes[2], switches ? 0.0f : 0.5f);
        EXPECT_EQ(s.inputBits | s.changedBits | s.releasedBits, switches ? 0u : 0x11u);
        EXPECT_EQ(s.viewDirty, switches ? 1 : 0);
        // The held key goes up.
        EXPECT_EQ(fake().inputCount, switches ? 1 : 0);
        EXPECT_EQ(fake().inputs[0].ki.wVk, switches ? 0x26 : 0);
    }
}

// Trigger modes, speed and curve change only their field, without a repaint.
TEST_F(ContextMenuTest, SettingCommandsChangeOnlyTheirField) {
    const uint32_t modes = 0xFFFFF321u; // groups Auto, Delayed Auto, 3; bits above them
    const struct {
        UINT id;
        uint32_t before, after; // trigger modes
        int32_t speed, curve;
    } cases[] = {
        {9009, modes, 0x320, 7, 7}, {9010, modes, 0x301, 7, 7}, {9011, modes, 0x021, 7, 7},
        {9012, modes, 0x321, 7, 7}, {9013, modes, 0x311, 7, 7}, {9014, modes, 0x121, 7, 7},
        {9015, modes, 0x322, 7, 7}, {9016, modes, 0x321, 7, 7}, {9017, modes, 0x221, 7, 7},
        {9012, 0xFFF, 0xFF1, 7, 7}, {9011, 0x1000, 0, 7, 7},    {9018, modes, modes, 0, 7},
        {9019, modes, modes, 1, 7}, {9020, modes, modes, 2, 7}, {9021, modes, modes, 7, 0},
        {9022, modes, modes, 7, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " on 0x" << std::hex << c.before);
        SetUp();
        state().viewDirty = 0;
        state().triggerModes = c.before;
        state().mouseSpeed = state().mouseCurve = 7;
        onCommand(c.id);
        EXPECT_EQ(state().triggerModes, c.after);
        EXPECT_EQ(state().mouseSpeed, c.speed);
        EXPECT_EQ(state().mouseCurve, c.curve);
        EXPECT_EQ(state().windowScale, 2);
        EXPECT_EQ(fake().callCount, 0);
        EXPECT_EQ(state().viewDirty, 0);
    }
}

TEST_F(ContextMenuTest, SizeCommandsResizeTheWindowWithinOneToFour) {
    const std::tuple<UINT, int32_t, int32_t> cases[] = {
        {9023, 1, 2}, {9023, 4, 4}, {9024, 2, 1}, {9024, 1, 1}};
    for (const auto& [id, before, after] : cases) {
        SCOPED_TRACE(testing::Message() << id << " at scale " << before);
        SetUp();
        state().windowScale = before;
        onCommand(id);
        EXPECT_EQ(state().windowScale, after);
        EXPECT_EQ(countCalls("SetWindowPos"), after != before ? 1 : 0);
    }
}

// The dialogs are owned by the main window; Exit only asks it to close.
TEST_F(ContextMenuTest, MapButtonsAboutAndExitGoToTheMainWindowWhateverTheHighWord) {
    const HWND owner = state().hwndMain;
    const std::pair<UINT, DLGPROC> dialogs[] = {{9025, mapButtonsDialogProc},
                                                {9026, aboutDialogProc}};
    for (const auto& [id, procedure] : dialogs) {
        fake().callCount = 0;
        mainWindowProc(owner, WM_COMMAND, (1u << 16) | id, 0);
        ASSERT_EQ(countCalls("DialogBoxParamW"), 1) << id;
        EXPECT_TRUE(
            hasArgs(findCall("DialogBoxParamW"), {0, id == 9025 ? 104 : 103, arg(owner),
                                                  arg(reinterpret_cast<void*>(procedure)), 0}));
        EXPECT_TRUE(hasArgs(findCall("GetWindowLongPtrW"), {arg(owner), GWLP_HINSTANCE}));
    }
    fake().callCount = 0;
    mainWindowProc(owner, WM_COMMAND, (1u << 16) | 9027u, 0);
    EXPECT_EQ(countCalls("PostMessageW"), 1);
    EXPECT_TRUE(hasArgs(findCall("PostMessageW"), {arg(owner), WM_CLOSE, 0, 0}));
    EXPECT_EQ(countCalls("DestroyWindow"), 0) << "the close itself comes later";
}

TEST_F(ContextMenuTest, UnknownCommandsDoNothing) {
    for (uint32_t id : {0u, 9000u, 9006u, 9008u, 9028u, 0xFFFFu}) {
        SetUp();
        state().viewDirty = 0;
        state().triggerModes = 0x123;
        state().heldCodes[0] = 0x26;
        onCommand(id);
        EXPECT_EQ(fake().callCount + fake().inputCount, 0) << id;
        EXPECT_EQ(state().triggerModes, 0x123u) << id;
        EXPECT_EQ(state().viewDirty, 0) << id;
    }
}
