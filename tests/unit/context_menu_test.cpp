#include "test_support.h"

#include <string>
#include <vector>

#include "app/context_menu.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/menu_commands.h"

namespace {

using Lines = std::vector<std::string>;

constexpr RECT kWindow = {100, 50, 594, 235};

std::string narrow(const wchar_t* text) {
    std::string result;
    for (; *text != 0; ++text) {
        result += *text == L'\t' ? std::string("\\t") : std::string(1, static_cast<char>(*text));
    }
    return result;
}

// The items in order, a submenu's items in braces after its entry's text. An
// item whose flags are more than its kind shows them, so a fresh tree reads
// plainly.
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

// The texts of a menu's own items, "---" for a separator.
Lines itemTexts(HMENU handle) {
    Lines texts;
    const FakeMenu* menu = fakeMenu(handle);
    for (int i = 0; menu != nullptr && i < menu->itemCount; ++i) {
        const FakeMenuItem& item = menu->items[i];
        texts.push_back(item.flags == MF_SEPARATOR ? "---" : narrow(item.text));
    }
    return texts;
}

class ContextMenuTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        state().hwndMain = fakeBareWindow(kWindow, 0);
        state().windowScale = 2;
    }

    void build() { ASSERT_TRUE(buildContextMenu()); }

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
    std::string greyed() { return itemsWith(MF_GRAYED); }
    std::string checked() { return itemsWith(MF_CHECKED); }
};

TEST_F(ContextMenuTest, BuildsTheWholeTreeWithPlainItems) {
    build();
    EXPECT_EQ(
        describeMenu(state().mainMenu),
        "&Controller{9001 &1, 9002 &2, 9003 &3, 9004 &4, 9005 &5}, "
        "&Trigger{Buttons &1-4{9009 &Single, 9012 &Auto, 9015 &Delayed Auto}, "
        "Buttons &5-8{9010 &Single, 9013 &Auto, 9016 &Delayed Auto}, "
        "Buttons &9-12{9011 &Single, 9014 &Auto, 9017 &Delayed Auto}}, "
        "&Mouse Speed{9018 &Slow, 9019 &Medium, 9020 &Fast, ---, 9021 &Linear, 9022 &Curved}, "
        "&Window Size{9023 &Increase Size, 9024 &Decrease Size}, "
        "---, 9025 Map &Buttons..., ---, 9026 &About Tavlor, ---, 9027 E&xit\\tAlt+X");

    // The handles kept in the state are the submenus their entries open.
    const AppState& s = state();
    EXPECT_EQ(itemTexts(s.triggerMenu), (Lines{"Buttons &1-4", "Buttons &5-8", "Buttons &9-12"}));
    EXPECT_EQ(fakeMenuItem(9001), &fakeMenu(s.controllerMenu)->items[0]);
    EXPECT_EQ(fakeMenuItem(9015), &fakeMenu(s.triggerGroup1Menu)->items[2]);
    EXPECT_EQ(fakeMenuItem(9010), &fakeMenu(s.triggerGroup2Menu)->items[0]);
    EXPECT_EQ(fakeMenuItem(9014), &fakeMenu(s.triggerGroup3Menu)->items[1]);
    EXPECT_EQ(fakeMenuItem(9022), &fakeMenu(s.mouseSpeedMenu)->items[5]);
    EXPECT_EQ(fakeMenuItem(9024), &fakeMenu(s.windowSizeMenu)->items[1]);
    for (UINT_PTR unused = 9006; unused <= 9008; ++unused) {
        EXPECT_EQ(fakeMenuItem(unused), nullptr) << unused;
    }
}

TEST_F(ContextMenuTest, BuildingAgainDestroysTheOldTree) {
    build();
    HMENU old = state().mainMenu;
    HMENU oldGroup = state().triggerGroup2Menu;
    build();
    EXPECT_FALSE(fakeMenu(old)->alive);
    EXPECT_FALSE(fakeMenu(oldGroup)->alive);
    EXPECT_TRUE(fakeMenu(state().mainMenu)->alive);
}

TEST_F(ContextMenuTest, ASubmenuThatCannotBeCreatedIsLeftOut) {
    const Lines groups = {"Buttons &1-4", "Buttons &5-8", "Buttons &9-12"};
    struct Case {
        int failingCreate; // in order: main, Controller, Trigger, its 3 groups, Speed, Size
        Lines top, groups;
    };
    const Case cases[] = {
        {1, {"&Trigger", "&Mouse Speed", "&Window Size"}, groups},
        {2, {"&Controller", "&Mouse Speed", "&Window Size"}, {}},
        {3, {"&Controller", "&Trigger", "&Mouse Speed", "&Window Size"}, {groups[1], groups[2]}},
        {4, {"&Controller", "&Trigger", "&Mouse Speed", "&Window Size"}, {groups[0], groups[2]}},
        {5, {"&Controller", "&Trigger", "&Mouse Speed", "&Window Size"}, {groups[0], groups[1]}},
        {6, {"&Controller", "&Trigger", "&Window Size"}, groups},
        {7, {"&Controller", "&Trigger", "&Mouse Speed"}, groups},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "creation " << c.failingCreate << " fails");
        SetUp();
        fakeMenus().failCreateAt = c.failingCreate;
        fakeJoystickPlug(0, true);
        build();
        Lines top = c.top;
        top.insert(top.end(),
                   {"---", "Map &Buttons...", "---", "&About Tavlor", "---", "E&xit\\tAlt+X"});
        EXPECT_EQ(itemTexts(state().mainMenu), top);
        EXPECT_EQ(itemTexts(state().triggerMenu), c.groups);
        // Showing sets the states of what is there and ignores the rest.
        showContextMenu(-1, -1);
        EXPECT_EQ(fakeMenus().tracked, state().mainMenu);
        EXPECT_EQ(greyed(), c.failingCreate == 1 ? "" : "9002 9003 9004 9005");
    }
}

TEST_F(ContextMenuTest, ShowingSetsEveryStateFromTheCurrentSettings) {
    struct Case {
        const char* label;
        int present, hats; // bit n: joystick id n
        int32_t active;
        uint32_t triggerModes;
        int32_t mouseSpeed, mouseCurve, scale;
        std::string greyed, checked;
    };
    const std::string others = "9002 9003 9004 9005";
    const std::string usual = "9001 9009 9010 9011 9019 9022";
    const Case cases[] = {
        {"no controller", 0, 0, 0, 0, 1, 1, 2,
         "Controller Trigger MouseSpeed 9001 9002 9003 9004 9005 9025", usual},
        {"active controller without a hat", 0x3, 0x2, 0, 0, 0, 0, 2, "MouseSpeed 9003 9004 9005",
         "9001 9009 9010 9011 9018 9021"},
        {"active controller is the pointer", 0x3, 0x2, 1, 0, 2, 1, 2, "9003 9004 9005",
         "9002 9009 9010 9011 9020 9022"},
        {"discovery moves to a present controller", 0x8, 0x8, 0, 0, 1, 1, 2, "9001 9002 9003 9005",
         "9004 9009 9010 9011 9019 9022"},
        {"one mode per group", 0x1, 0x1, 0, 0x210, 1, 1, 2, others,
         "9001 9009 9013 9017 9019 9022"},
        {"fields of 3 and more mark nothing", 0x1, 0x1, 0, 0xF43, 1, 1, 2, others,
         "9001 9019 9022"},
        {"scale 1", 0x1, 0x1, 0, 0, 1, 1, 1, others + " 9024", usual},
        {"scale 4", 0x1, 0x1, 0, 0, 1, 1, 4, others + " 9023", usual},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
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
        build();
        showContextMenu(200, 100);
        EXPECT_EQ(greyed(), c.greyed);
        EXPECT_EQ(checked(), c.checked);
    }
}

TEST_F(ContextMenuTest, EveryShowingRefreshesTheStates) {
    build();
    state().windowScale = 1;
    showContextMenu(200, 100);
    ASSERT_EQ(greyed(), "Controller Trigger MouseSpeed 9001 9002 9003 9004 9005 9024 9025");

    fakeJoystickPlug(0, true);
    state().windowScale = 2;
    state().mouseSpeed = 2;
    state().mouseCurve = 1;
    state().triggerModes = 0x111;
    showContextMenu(200, 100);
    EXPECT_EQ(greyed(), "9002 9003 9004 9005");
    EXPECT_EQ(checked(), "9001 9012 9013 9014 9020 9022");
}

TEST_F(ContextMenuTest, TheMenuOpensAtAPointInsideTheWindowElseAtItsCorner) {
    const POINT points[] = {{300, 100}, {100, 50},  {594, 235}, {100, 235}, {99, 100},
                            {300, 49},  {595, 100}, {300, 236}, {-1, -1}};
    build();
    for (const POINT& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        bool inside = p.x >= 100 && p.x <= 594 && p.y >= 50 && p.y <= 235;
        fakeMenus().tracked = nullptr;
        showContextMenu(p.x, p.y);
        EXPECT_EQ(fakeMenus().tracked, state().mainMenu);
        EXPECT_EQ(fakeMenus().trackedAt.x, inside ? p.x : 100);
        EXPECT_EQ(fakeMenus().trackedAt.y, inside ? p.y : 50);
    }
}

// --- Commands ---

TEST_F(ContextMenuTest, AnotherControllerStartsFromACleanEngineState) {
    for (UINT id = 9001; id <= 9005; ++id) {
        SCOPED_TRACE(id);
        SetUp();
        state().activeController = id == 9001 ? 4 : 0;
        state().axes[2] = 0.5f;
        state().inputBits = state().previousInputBits = state().changedBits = 0x11;
        state().pressedBits = state().releasedBits = 0x22;
        state().viewDirty = 0;
        state().heldCodes[0] = 0x26;
        onCommand(id);
        EXPECT_EQ(state().activeController, static_cast<int32_t>(id - 9001));
        EXPECT_EQ(state().axes[2], 0.0f);
        EXPECT_EQ(state().inputBits | state().previousInputBits | state().changedBits |
                      state().pressedBits | state().releasedBits,
                  0u);
        EXPECT_EQ(state().viewDirty, 1);
        ASSERT_EQ(fake().inputCount, 1); // the held key goes up
        EXPECT_EQ(fake().inputs[0].ki.wVk, 0x26);
        EXPECT_EQ(fake().inputs[0].ki.dwFlags, DWORD{KEYEVENTF_KEYUP});
    }
}

TEST_F(ContextMenuTest, TheActiveControllerAgainChangesNothing) {
    state().activeController = 2;
    state().axes[0] = 0.25f;
    state().pressedBits = 0x8;
    state().viewDirty = 0;
    state().heldCodes[4] = 0x20;
    onCommand(9003);
    EXPECT_EQ(state().axes[0], 0.25f);
    EXPECT_EQ(state().pressedBits, 0x8u);
    EXPECT_EQ(state().viewDirty, 0);
    EXPECT_EQ(fake().inputCount, 0);
}

// Trigger modes, speed and curve change only their field, without a repaint.
TEST_F(ContextMenuTest, SettingCommandsChangeOnlyTheirField) {
    struct Case {
        UINT id;
        uint32_t before, after; // trigger modes
        int32_t speed, curve;
    };
    const uint32_t modes = 0xFFFFF321u; // groups Auto, Delayed Auto, 3; bits above them
    const Case cases[] = {
        {9009, modes, 0x320, 7, 7}, {9010, modes, 0x301, 7, 7}, {9011, modes, 0x021, 7, 7},
        {9012, modes, 0x321, 7, 7}, {9013, modes, 0x311, 7, 7}, {9014, modes, 0x121, 7, 7},
        {9015, modes, 0x322, 7, 7}, {9016, modes, 0x321, 7, 7}, {9017, modes, 0x221, 7, 7},
        {9012, 0xFFF, 0xFF1, 7, 7}, {9016, 0x0F0, 0x020, 7, 7}, {9011, 0x1000, 0, 7, 7},
        {9018, modes, modes, 0, 7}, {9019, modes, modes, 1, 7}, {9020, modes, modes, 2, 7},
        {9021, modes, modes, 7, 0}, {9022, modes, modes, 7, 1},
    };
    for (const Case& c : cases) {
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
        EXPECT_EQ(countCalls("InvalidateRect"), 0);
        EXPECT_EQ(state().viewDirty, 0);
    }
}

TEST_F(ContextMenuTest, SizeCommandsResizeTheWindowWithinOneToFour) {
    struct Case {
        UINT id;
        int32_t before, after;
    };
    const Case cases[] = {{9023, 1, 2}, {9023, 3, 4}, {9023, 4, 4},
                          {9024, 4, 3}, {9024, 2, 1}, {9024, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " at scale " << c.before);
        SetUp();
        state().windowScale = c.before;
        onCommand(c.id);
        EXPECT_EQ(state().windowScale, c.after);
        const FakeCall* move = findCall("SetWindowPos");
        ASSERT_EQ(move != nullptr, c.after != c.before);
        if (move != nullptr) {
            EXPECT_EQ(move->args[4], kViewWidth * c.after);
            EXPECT_EQ(move->args[5], kViewHeight * c.after);
        }
    }
}

TEST_F(ContextMenuTest, MapButtonsAndAboutOpenTheirDialogsOwnedByTheMainWindow) {
    const int64_t owner = reinterpret_cast<intptr_t>(state().hwndMain);
    const std::pair<UINT, DLGPROC> dialogs[] = {{9025, mapButtonsDialogProc},
                                                {9026, aboutDialogProc}};
    for (const auto& [id, procedure] : dialogs) {
        SCOPED_TRACE(id);
        fake().callCount = 0;
        onCommand(id);
        ASSERT_EQ(countCalls("DialogBoxParamW"), 1);
        const FakeCall* dialog = findCall("DialogBoxParamW");
        EXPECT_EQ(dialog->args[1], id == 9025 ? 104 : 103);
        EXPECT_EQ(dialog->args[2], owner);
        EXPECT_EQ(dialog->args[3], reinterpret_cast<intptr_t>(reinterpret_cast<void*>(procedure)));
        EXPECT_EQ(dialog->args[4], 0);
        const FakeCall* instance = findCall("GetWindowLongPtrW");
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(instance->args[0], owner);
        EXPECT_EQ(instance->args[1], GWLP_HINSTANCE);
    }
}

TEST_F(ContextMenuTest, ExitPostsCloseToTheMainWindowWhateverTheHighWord) {
    mainWindowProc(state().hwndMain, WM_COMMAND, (1u << 16) | 9027u, 0);
    ASSERT_EQ(countCalls("PostMessageW"), 1);
    const FakeCall* post = findCall("PostMessageW");
    EXPECT_EQ(post->args[0], reinterpret_cast<intptr_t>(state().hwndMain));
    EXPECT_EQ(post->args[1], WM_CLOSE);
    EXPECT_EQ(post->args[2], 0);
    EXPECT_EQ(post->args[3], 0);
    EXPECT_EQ(countCalls("DestroyWindow"), 0) << "the close itself comes later";
}

TEST_F(ContextMenuTest, UnknownCommandsDoNothing) {
    for (uint32_t id : {0u, 1u, 9000u, 9006u, 9007u, 9008u, 9028u, 0xFFFFu}) {
        SCOPED_TRACE(id);
        SetUp();
        state().viewDirty = 0;
        state().triggerModes = 0x123;
        state().mouseSpeed = 2;
        state().heldCodes[0] = 0x26;
        onCommand(id);
        EXPECT_EQ(fake().callCount, 0);
        EXPECT_EQ(fake().inputCount, 0);
        EXPECT_EQ(state().activeController, 0);
        EXPECT_EQ(state().triggerModes, 0x123u);
        EXPECT_EQ(state().mouseSpeed, 2);
        EXPECT_EQ(state().windowScale, 2);
        EXPECT_EQ(state().viewDirty, 0);
    }
}

} // namespace
