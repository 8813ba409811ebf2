#include "test_support.h"
#include "injected_input.h"

#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "fake_registry.h"
#include "input/controllers.h"

namespace {

constexpr int kLinkButton = 1001;
constexpr int kIconControl = 1002;
constexpr int kProductText = 1003;
constexpr int kFirstList = 1004;
constexpr int kSaveButton = 1020;
constexpr WPARAM kCbnSelChange = 1;
constexpr WPARAM kCbnDropDown = 7;
constexpr UINT kCentring = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

WPARAM command(int id, WPARAM notification = 0) {
    return (notification << 16) | static_cast<WPARAM>(id);
}

int64_t handle(HWND hwnd) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
}

// Calls of `name` whose first two arguments are this window and message.
int countFor(const char* name, HWND hwnd, UINT message) {
    int count = 0;
    for (int i = 0; const FakeCall* call = findCall(name, i); ++i) {
        count += call->args[0] == handle(hwnd) && call->args[1] == message ? 1 : 0;
    }
    return count;
}

// The text most recently given to a control of the dialog, or "" if none.
std::wstring textOf(HWND dialog, int id) {
    std::wstring text;
    for (int i = 0; const FakeCall* call = findCall("SetDlgItemTextW", i); ++i) {
        if (call->args[0] == handle(dialog) && call->args[1] == id) {
            text = reinterpret_cast<const wchar_t*>(static_cast<intptr_t>(call->args[2]));
        }
    }
    return text;
}

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

class DialogTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        dialog_ = fakeBareWindow({0, 0, 300, 200}, 0);
    }

    INT_PTR send(DLGPROC proc, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return proc(dialog_, message, wParam, lParam);
    }

    // The dialog was centred on the 1920 x 1080 work area.
    void expectCentredOnWorkArea() {
        const FakeCall* move = findCall("SetWindowPos");
        ASSERT_NE(move, nullptr);
        EXPECT_EQ(move->args[0], handle(dialog_));
        EXPECT_EQ(move->args[2], 810);
        EXPECT_EQ(move->args[3], 440);
        EXPECT_EQ(move->args[6], kCentring);
    }

    HWND dialog_ = nullptr;
};

const struct {
    const char* name;
    DLGPROC proc;
} kDialogs[] = {{"About", aboutDialogProc}, {"Map Buttons", mapButtonsDialogProc}};

} // namespace

// Placement

TEST_F(DialogTest, CentresOverTheParentOrTheWorkAreaTruncatingTowardZero) {
    const struct {
        const char* name;
        bool hasParent;
        RECT area; // the parent's rectangle, or the work area
        RECT dialog;
        LONG x, y;
    } cases[] = {
        {"even differences", true, {100, 100, 600, 400}, {0, 0, 200, 100}, 250, 200},
        {"odd differences", true, {100, 100, 600, 400}, {7, 9, 208, 110}, 249, 199},
        {"negative coordinates", true, {-700, -300, -100, 100}, {0, 0, 301, 201}, -551, -201},
        {"dialog larger than the parent", true, {10, 20, 110, 70}, {0, 0, 301, 151}, -90, -30},
        {"no parent", false, {0, 0, 1920, 1080}, {500, 500, 801, 701}, 809, 439},
        {"no parent, dialog larger", false, {0, 0, 200, 100}, {0, 0, 301, 151}, -50, -25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        HWND parent = c.hasParent ? fakeBareWindow(c.area, 0) : nullptr;
        if (!c.hasParent) {
            fake().screenWidth = c.area.right;
            fake().screenHeight = c.area.bottom;
        }
        HWND dialog = fakeBareWindow(c.dialog, 0);

        centerDialog(dialog, parent);

        const FakeCall* move = findCall("SetWindowPos");
        ASSERT_NE(move, nullptr);
        const int64_t expected[7] = {handle(dialog), 0, c.x, c.y, 0, 0, kCentring};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(move->args[i], expected[i]) << "argument " << i;
        }
        // Only a dialog with a parent is pulled back inside the work area, after the move.
        EXPECT_EQ(countFor("SendMessageW", dialog, DM_REPOSITION), c.hasParent ? 1 : 0);
        if (c.hasParent) {
            EXPECT_GT(callIndex("SendMessageW"), callIndex("SetWindowPos"));
        }
    }
}

// What both dialogs share

TEST_F(DialogTest, BothDialogsCloseThroughWmCloseAndForgetTheirHandle) {
    for (const auto& d : kDialogs) {
        SCOPED_TRACE(d.name);
        SetUp();

        // Cancel, Esc and the close box arrive as IDCANCEL; notification bits are ignored.
        EXPECT_EQ(send(d.proc, WM_COMMAND, command(IDCANCEL, 1)), TRUE);
        EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), 1);
        EXPECT_EQ(countCalls("EndDialog"), 0);

        EXPECT_EQ(send(d.proc, WM_CLOSE), TRUE);
        const FakeCall* end = findCall("EndDialog");
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(end->args[0], handle(dialog_));
        EXPECT_EQ(end->args[1], 0);

        state().hwndDialog = dialog_;
        EXPECT_EQ(send(d.proc, WM_DESTROY), TRUE);
        EXPECT_EQ(state().hwndDialog, nullptr);
    }
}

TEST_F(DialogTest, BothDialogsLeaveOtherMessagesAlone) {
    const UINT others[] = {WM_TIMER,       WM_PAINT,      WM_KEYDOWN, WM_NCHITTEST,
                           WM_CONTEXTMENU, DM_REPOSITION, WM_CREATE};
    for (const auto& d : kDialogs) {
        for (UINT message : others) {
            SCOPED_TRACE(std::string(d.name) + " message " + std::to_string(message));
            SetUp();
            EXPECT_EQ(send(d.proc, message, 1, 2), FALSE);
            EXPECT_EQ(fake().callCount, 0);
        }
    }
}

TEST_F(DialogTest, OpeningEitherDialogReleasesWhatTheControllerHolds) {
    for (const auto& d : kDialogs) {
        SCOPED_TRACE(d.name);
        SetUp();
        state().hwndMain = fakeBareWindow({100, 100, 594, 285}, 0);
        fakeJoystickPlug(0, true);
        discoverControllers();
        // Buttons 1 and 7 of slot 0: Backspace and the left mouse button.
        fake().joystick.state[0].dwButtons = 0x001 | 0x040;
        emulationTick();
        ASSERT_EQ(describeInputsSince(0), "K8 down, LDOWN");

        const int opened = fake().inputCount;
        EXPECT_EQ(send(d.proc, WM_INITDIALOG), TRUE);

        EXPECT_EQ(describeInputsSince(opened), "K8 up, LUP");
        for (uint8_t code : state().heldCodes) {
            EXPECT_EQ(code, 0);
        }
        // Still held, but nothing reaches the dialog.
        const int held = fake().inputCount;
        emulationTick();
        EXPECT_EQ(describeInputsSince(held), "");
    }
}

// About

TEST_F(DialogTest, AboutOpensWithItsTextsShownAndCentred) {
    EXPECT_EQ(send(aboutDialogProc, WM_INITDIALOG), TRUE);

    EXPECT_EQ(state().hwndDialog, dialog_);
    const std::wstring product = textOf(dialog_, kProductText);
    const std::wstring head = L"Tavlor\r\nKBM Emulator\r\n23.8 (x64)\r\n";
    ASSERT_EQ(product.compare(0, head.size(), head), 0) << narrow(product);
    const std::wstring maker = product.substr(head.size());
    EXPECT_NE(maker.find(L"Kelvarin"), std::wstring::npos) << narrow(maker);
    EXPECT_EQ(maker.find_first_of(L"\r\n"), std::wstring::npos) << "four lines only";

    const std::wstring link = textOf(dialog_, kLinkButton);
    EXPECT_FALSE(link.empty());
    EXPECT_EQ(link.find(L"://"), std::wstring::npos) << narrow(link);

    EXPECT_EQ(countFor("ShowWindow", dialog_, SW_SHOW), 1);
    expectCentredOnWorkArea();
}

TEST_F(DialogTest, AboutLinkOpensTheMakersPageAndStaysOpen) {
    send(aboutDialogProc, WM_INITDIALOG);
    const std::wstring host = textOf(dialog_, kLinkButton);

    EXPECT_EQ(send(aboutDialogProc, WM_COMMAND, command(kLinkButton)), TRUE);

    const FakeCall* open = findCall("ShellExecuteW");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->args[0], 0);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(static_cast<intptr_t>(open->args[1])), L"open");
    const std::wstring page =
        reinterpret_cast<const wchar_t*>(static_cast<intptr_t>(open->args[2]));
    EXPECT_EQ(page.rfind(L"http", 0), 0u) << narrow(page);
    EXPECT_NE(page.find(host), std::wstring::npos) << "the page shown on the button";
    EXPECT_EQ(open->args[3], 0);
    EXPECT_EQ(open->args[4], 0);
    EXPECT_EQ(open->args[5], SW_SHOWNORMAL);
    EXPECT_EQ(countCalls("PostMessageW"), 0);
    EXPECT_EQ(countCalls("EndDialog"), 0);
}

TEST_F(DialogTest, AboutClosesOnOkAndIgnoresOtherCommands) {
    const struct {
        const char* name;
        WPARAM wParam;
        INT_PTR result;
        int closes;
    } cases[] = {
        {"IDOK, though no control has it", command(IDOK), TRUE, 1},
        {"the OK button", command(IDCANCEL), TRUE, 1},
        {"the icon", command(kIconControl), FALSE, 0},
        {"the product text", command(kProductText), FALSE, 0},
        {"Save of the other dialog", command(kSaveButton), FALSE, 0},
        {"only the low word is the id", command(IDOK) | (WPARAM(kLinkButton) << 32), TRUE, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();

        EXPECT_EQ(send(aboutDialogProc, WM_COMMAND, c.wParam), c.result);

        EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), c.closes);
        EXPECT_EQ(countCalls("EndDialog"), 0);
        EXPECT_EQ(countCalls("ShellExecuteW"), 0);
    }
}

// Map Buttons

namespace {

const wchar_t* const kSlot0Names[kInputCount] = {
    L"Arrow Up",     L"Arrow Down",   L"Arrow Left",   L"Arrow Right",  L"Backspace",  L"Enter",
    L"Shift Right",  L"Ctrl Right",   L"Alt Right",    L"Space",        L"Mouse Left", L"Tab",
    L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
};
const wchar_t* const kSlot1Names[kInputCount] = {
    L"Numpad 8",     L"Numpad 2",     L"Numpad 4",     L"Numpad 6",
    L"Numpad 0",     L"Numpad 1",     L"Numpad 3",     L"Numpad 5",
    L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
    L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
};
const uint8_t kSlot0Codes[kInputCount] = {38,  40, 37, 39, 8, 13, 161, 163,
                                          165, 32, 1,  9,  0, 0,  0,   0};

class MapButtonsTest : public DialogTest {
  protected:
    // Opens the dialog for a slot, its reserved bytes marked to show they stay.
    void open(int slot) {
        state().activeController = slot;
        for (int i = kInputCount; i < kMappingBytes; ++i) {
            state().profiles[slot].mappingCodes[i] = static_cast<uint8_t>(0xB0 + i);
        }
        ASSERT_EQ(send(mapButtonsDialogProc, WM_INITDIALOG), TRUE);
    }

    void choose(int input, const wchar_t* name) {
        ASSERT_TRUE(fakeComboChoose(dialog_, kFirstList + input, name)) << narrow(name);
    }

    std::vector<std::wstring> shown() {
        std::vector<std::wstring> names;
        for (int i = 0; i < kInputCount; ++i) {
            names.push_back(fakeComboSelectedText(dialog_, kFirstList + i));
        }
        return names;
    }

    std::vector<uint8_t> codes(int slot) {
        const uint8_t* c = state().profiles[slot].mappingCodes;
        return std::vector<uint8_t>(c, c + kMappingBytes);
    }

    // Slot 0's built-in codes with some inputs changed, then the marked reserved bytes.
    static std::vector<uint8_t> slot0With(std::initializer_list<std::pair<int, uint8_t>> changes) {
        std::vector<uint8_t> all(std::begin(kSlot0Codes), std::end(kSlot0Codes));
        for (int i = kInputCount; i < kMappingBytes; ++i) {
            all.push_back(static_cast<uint8_t>(0xB0 + i));
        }
        for (const auto& change : changes) {
            all[change.first] = change.second;
        }
        return all;
    }
};

} // namespace

TEST_F(MapButtonsTest, OpensWithEachListShowingTheActiveSlotsCode) {
    const struct {
        int slot;
        const wchar_t* const* names;
    } cases[] = {{0, kSlot0Names}, {1, kSlot1Names}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        SetUp();

        open(c.slot);

        EXPECT_EQ(state().hwndDialog, dialog_);
        EXPECT_EQ(shown(), std::vector<std::wstring>(c.names, c.names + kInputCount));
        for (int i = 0; i < kInputCount; ++i) {
            EXPECT_EQ(SendDlgItemMessageW(dialog_, kFirstList + i, CB_GETCOUNT, 0, 0), 104) << i;
        }
        EXPECT_EQ(countFor("ShowWindow", dialog_, SW_SHOW), 1);
        expectCentredOnWorkArea();
        EXPECT_EQ(fakeRegistry().writeCount, 0);
    }
}

TEST_F(MapButtonsTest, OpeningShowsTheStoredTableOfTheSlot) {
    uint8_t stored[kMappingBytes] = {87, 83, 65, 68, 27, 192, 0, 108, 112, 2, 4, 220};
    stored[20] = 0x5A; // a reserved byte, taken over with the rest
    fakeRegistryStore(L"P3", REG_BINARY, stored, kMappingBytes);
    state().activeController = 2;

    EXPECT_EQ(send(mapButtonsDialogProc, WM_INITDIALOG), TRUE);

    EXPECT_EQ(codes(2), std::vector<uint8_t>(stored, stored + kMappingBytes));
    const std::vector<std::wstring> expected = {
        L"Letter W",     L"Letter S",     L"Letter A",     L"Letter D",
        L"Esc",          L"Symbol `~",    L"(unassigned)", L"", // 108 is no entry
        L"F1",           L"Mouse Right",  L"Mouse Middle", L"Symbol \\|",
        L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
    };
    EXPECT_EQ(shown(), expected);
}

TEST_F(MapButtonsTest, SaveCopiesTheChosenCodesIntoTheSlotAndEnds) {
    open(0);
    choose(0, L"Letter W");
    choose(7, L"(unassigned)");
    choose(12, L"Mouse Right");
    choose(15, L"Symbol '\"");

    EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton)), TRUE);

    EXPECT_EQ(codes(0), slot0With({{0, 87}, {7, 0}, {12, 2}, {15, 222}}));
    const FakeRegistryValue* value = fakeRegistryValue(L"P1");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::vector<uint8_t>(value->data, value->data + value->size), codes(0));
    const FakeCall* end = findCall("EndDialog");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->args[0], handle(dialog_));
    EXPECT_EQ(end->args[1], 0);
    EXPECT_EQ(countCalls("PostMessageW"), 0);
}

TEST_F(MapButtonsTest, SaveKeepsTheChosenCodesWhenTheRegistryRefusesTheWrite) {
    open(0);
    choose(4, L"Letter J");
    fakeRegistry().writable = false;

    EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton)), TRUE);

    EXPECT_EQ(state().profiles[0].mappingCodes[4], 74);
    EXPECT_EQ(fakeRegistryValue(L"P1"), nullptr);
    EXPECT_EQ(countCalls("EndDialog"), 1);
}

TEST_F(MapButtonsTest, SaveWritesTheSlotItOpenedWithAfterTheActiveControllerMoved) {
    open(1);
    choose(0, L"Letter A");
    state().activeController = 0; // discovery moved it while the dialog was open

    send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton));

    EXPECT_EQ(state().profiles[1].mappingCodes[0], 65);
    EXPECT_EQ(std::memcmp(state().profiles[0].mappingCodes, kSlot0Codes, kInputCount), 0);
    ASSERT_EQ(fakeRegistry().writeCount, 1);
    EXPECT_STREQ(fakeRegistry().writes[0].name, L"P2");
}

TEST_F(MapButtonsTest, AListWithoutAUsableSelectionKeepsItsInputsCode) {
    state().profiles[0].mappingCodes[2] = 108; // stored earlier, no entry has it
    open(0);
    ASSERT_STREQ(fakeComboSelectedText(dialog_, kFirstList + 2), L"");
    // The selection cleared, and a selected item whose data reads as an error.
    SendDlgItemMessageW(dialog_, kFirstList + 5, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    LRESULT space = SendDlgItemMessageW(dialog_, kFirstList + 9, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog_, kFirstList + 9, CB_SETITEMDATA, static_cast<WPARAM>(space),
                        CB_ERR);

    send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton));

    EXPECT_EQ(codes(0), slot0With({{2, 108}})) << "never 255";
}

TEST_F(MapButtonsTest, CancelCopiesNothing) {
    open(0);
    choose(0, L"Letter Q");
    choose(10, L"Mouse Right");

    EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, command(IDCANCEL)), TRUE);
    EXPECT_EQ(send(mapButtonsDialogProc, WM_CLOSE), TRUE);

    EXPECT_EQ(codes(0), slot0With({}));
    EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), 1);
    EXPECT_EQ(countCalls("EndDialog"), 1);
    EXPECT_EQ(fakeRegistry().writeCount, 0);
}

TEST_F(MapButtonsTest, EnterAndListNotificationsNeitherSaveNorClose) {
    const struct {
        const char* name;
        WPARAM wParam;
        INT_PTR result;
    } cases[] = {
        {"Enter in a list", command(IDOK), TRUE},
        {"a new choice", command(kFirstList, kCbnSelChange), FALSE},
        {"a list dropping down", command(kFirstList + 15, kCbnDropDown), FALSE},
        {"an id the dialog lacks", command(kLinkButton), FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        open(0);
        choose(0, L"Letter Q");

        EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, c.wParam), c.result);

        EXPECT_EQ(codes(0), slot0With({}));
        EXPECT_EQ(countCalls("PostMessageW"), 0);
        EXPECT_EQ(countCalls("EndDialog"), 0);
        EXPECT_EQ(fakeRegistry().writeCount, 0);
    }
}
