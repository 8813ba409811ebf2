#include "test_support.h"
#include "injected_input.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "fake_registry.h"
#include "mapping/key_catalogue.h"

namespace {

constexpr int kLinkButton = 1001;
constexpr int kIconControl = 1002;
constexpr int kProductText = 1003;
constexpr int kFirstList = 1004;
constexpr int kSaveButton = 1020;
constexpr UINT kCentring = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

using Names = std::vector<std::wstring>;
using Codes = std::vector<uint8_t>;

WPARAM command(int id, WPARAM notification = 0) {
    return (notification << 16) | static_cast<WPARAM>(id);
}

const wchar_t* text(int64_t argument) {
    return reinterpret_cast<const wchar_t*>(static_cast<intptr_t>(argument));
}

// Calls of `name` whose first two arguments are this window and message.
int countFor(const char* name, HWND hwnd, int64_t second) {
    int count = 0;
    for (int i = 0; const FakeCall* call = findCall(name, i); ++i) {
        count += call->args[0] == arg(hwnd) && call->args[1] == second ? 1 : 0;
    }
    return count;
}

// The text most recently given to a control of the dialog, or "" if none.
std::wstring textOf(HWND dialog, int id) {
    std::wstring result;
    for (int i = 0; const FakeCall* call = findCall("SetDlgItemTextW", i); ++i) {
        if (call->args[0] == arg(dialog) && call->args[1] == id) {
            result = text(call->args[2]);
        }
    }
    return result;
}

std::string narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());
}

// The code of the catalogue entry with this name, or -1.
int codeOf(const std::wstring& name) {
    for (const KeyEntry& entry : keyCatalogue) {
        if (name == entry.name) {
            return entry.code;
        }
    }
    return -1;
}

const struct {
    const char* name;
    DLGPROC proc;
} kDialogs[] = {{"About", aboutDialogProc}, {"Map Buttons", mapButtonsDialogProc}};

class DialogTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        dialog_ = fakeBareWindow({0, 0, 300, 200}, 0);
    }

    INT_PTR send(DLGPROC proc, UINT message, WPARAM wParam = 0) {
        return proc(dialog_, message, wParam, 0);
    }

    // The dialog was shown and centred on the 1920 x 1080 work area.
    void expectShownAndCentred() {
        EXPECT_EQ(countFor("ShowWindow", dialog_, SW_SHOW), 1);
        EXPECT_TRUE(hasArgs(findCall("SetWindowPos"), {arg(dialog_), 0, 810, 440}));
    }

    HWND dialog_ = nullptr;
};

} // namespace

TEST_F(DialogTest, CentresOverTheParentOrTheWorkAreaTruncatingTowardZero) {
    const struct {
        bool hasParent;
        RECT area; // the parent's rectangle, or the work area
        RECT dialog;
        LONG x, y;
    } cases[] = {
        {true, {100, 100, 600, 400}, {7, 9, 208, 110}, 249, 199},
        {true, {-700, -300, -100, 100}, {0, 0, 301, 201}, -551, -201},
        {true, {10, 20, 110, 70}, {0, 0, 301, 151}, -90, -30}, // larger than the parent
        {false, {0, 0, 1920, 1080}, {500, 500, 801, 701}, 809, 439},
        {false, {0, 0, 200, 100}, {0, 0, 301, 151}, -50, -25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        HWND parent = c.hasParent ? fakeBareWindow(c.area, 0) : nullptr;
        fake().screenWidth = c.area.right;
        fake().screenHeight = c.area.bottom;
        HWND dialog = fakeBareWindow(c.dialog, 0);

        centerDialog(dialog, parent);

        EXPECT_TRUE(hasArgs(findCall("SetWindowPos"), {arg(dialog), 0, c.x, c.y, 0, 0, kCentring}));
        // Only a dialog with a parent is pulled back inside the work area, after the move.
        EXPECT_EQ(countFor("SendMessageW", dialog, DM_REPOSITION), c.hasParent ? 1 : 0);
        if (c.hasParent) {
            EXPECT_LT(callIndex("SetWindowPos"), callIndex("SendMessageW"));
        }
    }
}

// --- What both dialogs share ---

TEST_F(DialogTest, BothDialogsCloseThroughWmCloseAndForgetTheirHandle) {
    for (const auto& d : kDialogs) {
        SCOPED_TRACE(d.name);
        SetUp();
        // Cancel, Esc and the close box arrive as IDCANCEL; notification bits are ignored.
        EXPECT_EQ(send(d.proc, WM_COMMAND, command(IDCANCEL, 1)), TRUE);
        EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), 1);
        EXPECT_EQ(countCalls("EndDialog"), 0);

        EXPECT_EQ(send(d.proc, WM_CLOSE), TRUE);
        ASSERT_EQ(countFor("EndDialog", dialog_, 0), 1);

        state().hwndDialog = dialog_;
        EXPECT_EQ(send(d.proc, WM_DESTROY), TRUE);
        EXPECT_EQ(state().hwndDialog, nullptr);
    }
}

TEST_F(DialogTest, BothDialogsLeaveOtherMessagesAlone) {
    for (const auto& d : kDialogs) {
        for (UINT message : {WM_TIMER, WM_PAINT, WM_KEYDOWN, WM_CONTEXTMENU, DM_REPOSITION}) {
            SetUp();
            EXPECT_EQ(d.proc(dialog_, message, 1, 2), FALSE) << d.name << " " << message;
            EXPECT_EQ(fake().callCount, 0) << d.name << " " << message;
        }
    }
}

TEST_F(DialogTest, OpeningEitherDialogReleasesWhatTheControllerHolds) {
    for (const auto& d : kDialogs) {
        SetUp();
        state().heldCodes[4] = 8;  // Backspace on Button 1
        state().heldCodes[10] = 1; // the left mouse button on Button 7
        EXPECT_EQ(send(d.proc, WM_INITDIALOG), TRUE);
        EXPECT_EQ(state().hwndDialog, dialog_);
        EXPECT_EQ(describeInputsSince(0), "K8 up, LUP") << d.name;
    }
}

// --- About ---

// The texts: four lines, the maker last; the link button shows the host of the page it opens.
TEST_F(DialogTest, AboutShowsItsTextsAndTheLinkOpensTheMakersPage) {
    EXPECT_EQ(send(aboutDialogProc, WM_INITDIALOG), TRUE);
    const std::wstring product = textOf(dialog_, kProductText);
    const std::wstring head = L"Tavlor\r\nKBM Emulator\r\n23.8 (x64)\r\n";
    ASSERT_EQ(product.compare(0, head.size(), head), 0) << narrow(product);
    EXPECT_NE(product.find(L"Kelvarin", head.size()), std::wstring::npos) << narrow(product);
    EXPECT_EQ(product.find_first_of(L"\r\n", head.size()), std::wstring::npos);
    expectShownAndCentred();

    const std::wstring host = textOf(dialog_, kLinkButton);
    ASSERT_FALSE(host.empty());
    EXPECT_EQ(host.find(L"://"), std::wstring::npos) << narrow(host);
    EXPECT_EQ(send(aboutDialogProc, WM_COMMAND, command(kLinkButton)), TRUE);
    const FakeCall* open = findCall("ShellExecuteW");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->args[0] | open->args[3] | open->args[4], 0);
    EXPECT_EQ(open->args[5], SW_SHOWNORMAL);
    EXPECT_STREQ(text(open->args[1]), L"open");
    const std::wstring page = text(open->args[2]);
    EXPECT_EQ(page.rfind(L"http", 0), 0u) << narrow(page);
    EXPECT_NE(page.find(host), std::wstring::npos) << narrow(page);
    EXPECT_EQ(countCalls("PostMessageW") + countCalls("EndDialog"), 0) << "the dialog stays open";
}

// IDOK belongs to no control, but Enter sends it; only the low word of wParam is the id.
TEST_F(DialogTest, AboutClosesOnOkAndIgnoresOtherCommands) {
    const std::pair<WPARAM, INT_PTR> cases[] = {
        {command(IDOK), TRUE},          {command(IDOK) | (WPARAM(kLinkButton) << 32), TRUE},
        {command(kIconControl), FALSE}, {command(kProductText), FALSE},
        {command(kSaveButton), FALSE},
    };
    for (const auto& [wParam, result] : cases) {
        SetUp();
        EXPECT_EQ(send(aboutDialogProc, WM_COMMAND, wParam), result) << wParam;
        EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), result) << wParam;
        EXPECT_EQ(countCalls("ShellExecuteW") + countCalls("EndDialog"), 0) << wParam;
    }
}

// --- Map Buttons ---

namespace {

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
    Names shown() {
        Names names;
        for (int i = 0; i < kInputCount; ++i) {
            names.push_back(fakeComboSelectedText(dialog_, kFirstList + i));
        }
        return names;
    }
    Codes codes(int slot) {
        const uint8_t* c = state().profiles[slot].mappingCodes;
        return Codes(c, c + kMappingBytes);
    }
    // Slot 0's built-in codes with some inputs changed, then the marked reserved bytes.
    static Codes slot0With(std::initializer_list<std::pair<int, uint8_t>> changes) {
        Codes all = {38, 40, 37, 39, 8, 13, 161, 163, 165, 32, 1, 9, 0, 0, 0, 0};
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
    open(0);
    const Names expected = {
        L"Arrow Up",     L"Arrow Down",   L"Arrow Left",   L"Arrow Right",  L"Backspace",  L"Enter",
        L"Shift Right",  L"Ctrl Right",   L"Alt Right",    L"Space",        L"Mouse Left", L"Tab",
        L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
    };
    EXPECT_EQ(shown(), expected);
    for (int i = 0; i < kInputCount; ++i) {
        EXPECT_EQ(SendDlgItemMessageW(dialog_, kFirstList + i, CB_GETCOUNT, 0, 0), 104) << i;
    }
    expectShownAndCentred();
    EXPECT_EQ(fakeRegistry().writeCount, 0);
}

TEST_F(MapButtonsTest, OpeningShowsTheStoredTableOfTheSlot) {
    uint8_t stored[kMappingBytes] = {87, 83, 65, 68, 27, 192, 0, 108, 112, 2, 4, 220};
    stored[20] = 0x5A; // a reserved byte, taken over with the rest
    fakeRegistryStore(L"P3", REG_BINARY, stored, kMappingBytes);
    state().activeController = 2;

    EXPECT_EQ(send(mapButtonsDialogProc, WM_INITDIALOG), TRUE);

    EXPECT_EQ(codes(2), Codes(stored, stored + kMappingBytes));
    const Names expected = {
        L"Letter W",     L"Letter S",     L"Letter A",     L"Letter D",
        L"Esc",          L"Symbol `~",    L"(unassigned)", L"", // 108 is no entry
        L"F1",           L"Mouse Right",  L"Mouse Middle", L"Symbol \\|",
        L"(unassigned)", L"(unassigned)", L"(unassigned)", L"(unassigned)",
    };
    EXPECT_EQ(shown(), expected);
}

// The codes are taken for this run even when the registry refuses the write.
TEST_F(MapButtonsTest, SaveCopiesTheChosenCodesIntoTheSlotStoresThemAndEnds) {
    for (bool writable : {true, false}) {
        SetUp();
        open(0);
        choose(0, L"Letter W");
        choose(7, L"(unassigned)");
        choose(12, L"Mouse Right");
        choose(15, L"Symbol '\"");
        fakeRegistry().writable = writable;

        EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton)), TRUE);

        EXPECT_EQ(codes(0), slot0With({{0, 87}, {7, 0}, {12, 2}, {15, 222}}));
        const FakeRegistryValue* value = fakeRegistryValue(L"P1");
        EXPECT_EQ(value ? Codes(value->data, value->data + value->size) : Codes{},
                  writable ? codes(0) : Codes{});
        EXPECT_EQ(countFor("EndDialog", dialog_, 0), 1);
        EXPECT_EQ(countCalls("PostMessageW"), 0);
    }
}

TEST_F(MapButtonsTest, SaveWritesTheSlotItOpenedWithAfterTheActiveControllerMoved) {
    open(1);
    choose(0, L"Letter A");
    state().activeController = 0; // discovery moved it while the dialog was open

    send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton));

    EXPECT_EQ(state().profiles[1].mappingCodes[0], 65);
    EXPECT_EQ(state().profiles[0].mappingCodes[0], 38);
    ASSERT_EQ(fakeRegistry().writeCount, 1);
    EXPECT_STREQ(fakeRegistry().writes[0].name, L"P2");
}

TEST_F(MapButtonsTest, AListWithoutAUsableSelectionKeepsItsInputsCode) {
    state().profiles[0].mappingCodes[2] = 108; // stored earlier, no entry has it
    open(0);
    // The selection cleared, and a selected item whose data reads as an error.
    SendDlgItemMessageW(dialog_, kFirstList + 5, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    LRESULT space = SendDlgItemMessageW(dialog_, kFirstList + 9, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog_, kFirstList + 9, CB_SETITEMDATA, static_cast<WPARAM>(space),
                        CB_ERR);

    send(mapButtonsDialogProc, WM_COMMAND, command(kSaveButton));

    EXPECT_EQ(codes(0), slot0With({{2, 108}})) << "never 255";
}

TEST_F(MapButtonsTest, CancelEnterAndListNotificationsCopyNothing) {
    const struct {
        WPARAM wParam;
        INT_PTR result;
        int closes;
    } cases[] = {
        {command(IDCANCEL), TRUE, 1},
        {command(IDOK), TRUE, 0},                // Enter in a list neither saves nor closes
        {command(kFirstList, 1), FALSE, 0},      // a new choice
        {command(kFirstList + 15, 7), FALSE, 0}, // a list dropping down
        {command(kLinkButton), FALSE, 0},
    };
    for (const auto& c : cases) {
        SetUp();
        open(0);
        choose(0, L"Letter Q");
        EXPECT_EQ(send(mapButtonsDialogProc, WM_COMMAND, c.wParam), c.result) << c.wParam;
        EXPECT_EQ(codes(0), slot0With({})) << c.wParam;
        EXPECT_EQ(countFor("PostMessageW", dialog_, WM_CLOSE), c.closes) << c.wParam;
        EXPECT_EQ(countCalls("EndDialog") + fakeRegistry().writeCount, 0) << c.wParam;
    }
}

// --- The key catalogue and its lists ---

// Each symbol name ends in the two characters the key types on a US layout.
TEST(KeyCatalogueTest, NamesCarryTheirCodes) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"(unassigned)", 0}, {L"Mouse Left", 1},  {L"Mouse Right", 2}, {L"Mouse Middle", 4},
        {L"Symbol ;:", 186},  {L"Symbol =+", 187}, {L"Symbol ,<", 188}, {L"Symbol -_", 189},
        {L"Symbol .>", 190},  {L"Symbol /?", 191}, {L"Symbol `~", 192}, {L"Symbol [{", 219},
        {L"Symbol \\|", 220}, {L"Symbol ]}", 221}, {L"Symbol '\"", 222}};
    for (const auto& [name, code] : cases) {
        EXPECT_EQ(codeOf(name), code) << narrow(name);
    }
    for (int d = 0; d <= 9; ++d) {
        const std::wstring digit(1, static_cast<wchar_t>(L'0' + d));
        EXPECT_EQ(codeOf(L"Number " + digit), 48 + d) << d;
        EXPECT_EQ(codeOf(L"Numpad " + digit), 96 + d) << d;
    }
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(codeOf(L"Letter " + std::wstring(1, static_cast<wchar_t>(L'A' + i))), 65 + i);
    }
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(codeOf(L"F" + std::to_wstring(k)), 111 + k) << k;
    }
}

// (unassigned) is added first and sorts first, the last symbol is added last, many names
// sort in ahead of F12 after it is added; no entry has the codes 3, 12, 108, 124 and 255.
TEST_F(DialogTest, KeyListSelectsTheEntryWithTheCurrentCodeWhereverSortingPutsIt) {
    std::vector<std::pair<int, std::wstring>> cases = {
        {0, L"(unassigned)"}, {222, L"Symbol '\""}, {123, L"F12"}, {38, L"Arrow Up"}};
    for (int absent : {3, 12, 108, 124, 255}) {
        cases.push_back({absent, L""});
    }
    int id = kFirstList;
    for (const auto& [code, name] : cases) {
        SCOPED_TRACE(code);
        fillKeyList(dialog_, id, static_cast<uint8_t>(code));
        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0), 104);
        EXPECT_EQ(fakeComboSelectedText(dialog_, id), name);
        LRESULT selection = SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETITEMDATA, selection, 0),
                  name.empty() ? CB_ERR : code);
        ++id;
    }
}

// The list holds the whole catalogue: 104 entries, every name and every code once.
TEST_F(DialogTest, EveryKeyListItemCarriesTheCodeOfItsName) {
    ASSERT_EQ(std::size(keyCatalogue), 104u);
    fillKeyList(dialog_, kFirstList, 65);
    HWND list = GetDlgItem(dialog_, kFirstList);
    std::set<std::wstring> names;
    std::set<LRESULT> codes;
    for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[kFakeComboText] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        const LRESULT code = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        EXPECT_EQ(code, codeOf(item)) << narrow(item);
        names.insert(item);
        codes.insert(code);
    }
    EXPECT_EQ(names.size(), 104u);
    EXPECT_EQ(codes.size(), 104u);
}
