#include "test_support.h"

#include <cwchar>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "mapping/key_catalogue.h"

namespace {

constexpr int kList = 1004;

// The code of the entry with this name, or -1.
int codeOf(const wchar_t* name) {
    for (const KeyEntry& entry : keyCatalogue) {
        if (std::wcscmp(entry.name, name) == 0) {
            return entry.code;
        }
    }
    return -1;
}

bool hasCode(int code) {
    for (const KeyEntry& entry : keyCatalogue) {
        if (entry.code == code) {
            return true;
        }
    }
    return false;
}

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The items of a list, read back through the messages a dialog would send.
struct Item {
    std::wstring text;
    LRESULT data;
};
std::vector<Item> itemsOf(HWND dialog, int id) {
    std::vector<Item> items;
    HWND list = GetDlgItem(dialog, id);
    LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[kFakeComboText] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back({text, SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)});
    }
    return items;
}

class KeyListTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        dialog_ = fakeBareWindow({0, 0, 400, 300}, 0);
    }
    HWND dialog_ = nullptr;
};

} // namespace

TEST(KeyCatalogueTest, HoldsEveryNameAndEveryCodeOnce) {
    ASSERT_EQ(std::size(keyCatalogue), 104u);
    std::set<std::wstring> names;
    std::set<int> codes;
    for (const KeyEntry& entry : keyCatalogue) {
        ASSERT_NE(entry.name, nullptr);
        EXPECT_TRUE(names.insert(entry.name).second) << "twice: " << narrow(entry.name);
        EXPECT_TRUE(codes.insert(entry.code).second) << "twice: code " << int(entry.code);
    }
    // The catalogue is what the stand-in's lists must be able to hold.
    EXPECT_LE(std::size(keyCatalogue), static_cast<size_t>(kFakeComboItems));
}

TEST(KeyCatalogueTest, NamesCarryTheirCodes) {
    // Each symbol name ends in the two characters the key types on a US
    // layout, without and with Shift.
    const struct {
        const wchar_t* name;
        int code;
    } cases[] = {{L"(unassigned)", 0},    {L"Mouse Left", 1},   {L"Mouse Right", 2},
                 {L"Mouse Middle", 4},    {L"Backspace", 8},    {L"Pause", 19},
                 {L"Arrow Left", 37},     {L"Arrow Down", 40},  {L"Win Right", 92},
                 {L"Menu", 93},           {L"Numpad Add", 107}, {L"Numpad Subtract", 109},
                 {L"Numpad Divide", 111}, {L"Shift Left", 160}, {L"Alt Right", 165},
                 {L"Symbol ;:", 186},     {L"Symbol =+", 187},  {L"Symbol /?", 191},
                 {L"Symbol `~", 192},     {L"Symbol [{", 219},  {L"Symbol \\|", 220},
                 {L"Symbol ]}", 221},     {L"Symbol '\"", 222}};
    for (const auto& c : cases) {
        EXPECT_EQ(codeOf(c.name), c.code) << narrow(c.name);
    }
}

TEST(KeyCatalogueTest, NumberedFamiliesFollowTheirCharacterCodes) {
    for (int d = 0; d <= 9; ++d) {
        std::wstring digit(1, static_cast<wchar_t>(L'0' + d));
        EXPECT_EQ(codeOf((L"Number " + digit).c_str()), 48 + d) << d;
        EXPECT_EQ(codeOf((L"Numpad " + digit).c_str()), 96 + d) << d;
    }
    for (int i = 0; i < 26; ++i) {
        std::wstring letter(1, static_cast<wchar_t>(L'A' + i));
        EXPECT_EQ(codeOf((L"Letter " + letter).c_str()), 65 + i) << i;
    }
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(codeOf((L"F" + std::to_wstring(k)).c_str()), 111 + k) << k;
    }
}

TEST(KeyCatalogueTest, LeavesOutTheNumpadSeparatorAndUnlistedCodes) {
    for (int code : {3, 12, 108, 124, 255}) {
        EXPECT_FALSE(hasCode(code)) << code;
    }
}

// The stand-in's list behaves as a sorted list box; what fillKeyList relies on.
TEST_F(KeyListTest, TheStandInListSortsWithoutRegardToCaseAndKeepsTheSelection) {
    HWND list = GetDlgItem(dialog_, kList);
    auto add = [&](const wchar_t* text) {
        return SendDlgItemMessageW(dialog_, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    };
    EXPECT_EQ(add(L"delta"), 0);
    EXPECT_EQ(SendMessageW(list, CB_SETITEMDATA, 0, 40), TRUE);
    EXPECT_EQ(SendMessageW(list, CB_SETCURSEL, 0, 0), 0);
    EXPECT_EQ(add(L"Bravo"), 0);
    EXPECT_EQ(add(L"alpha"), 0);
    EXPECT_EQ(add(L"Echo"), 3);
    EXPECT_EQ(add(L"CHARLIE"), 2);

    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 3) << "the selection moves with its item";
    EXPECT_EQ(SendMessageW(list, CB_GETITEMDATA, 3, 0), 40) << "the data moves with its item";
    EXPECT_STREQ(fakeComboSelectedText(dialog_, kList), L"delta");
    EXPECT_EQ(SendMessageW(list, CB_GETITEMDATA, 5, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(list, CB_SETITEMDATA, 5, 1), CB_ERR);

    EXPECT_TRUE(fakeComboChoose(dialog_, kList, L"Echo"));
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 4);
    EXPECT_FALSE(fakeComboChoose(dialog_, kList, L"Foxtrot"));
    EXPECT_EQ(SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);

    // Another dialog's list with the same id is another list.
    HWND other = fakeBareWindow({0, 0, 10, 10}, 0);
    EXPECT_EQ(SendDlgItemMessageW(other, kList, CB_GETCOUNT, 0, 0), 0);
    EXPECT_NE(GetDlgItem(other, kList), list);
}

TEST_F(KeyListTest, SelectsTheEntryWithTheCurrentCodeWhereverSortingPutsIt) {
    const struct {
        int code;
        const wchar_t* name;
    } cases[] = {
        {0, L"(unassigned)"}, // sorted first, added first
        {1, L"Mouse Left"},   {65, L"Letter A"},    {222, L"Symbol '\""}, // added last
        {123, L"F12"}, // many names sort in ahead of it after it is added
        {38, L"Arrow Up"},    {220, L"Symbol \\|"},
    };
    int id = kList;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        fillKeyList(dialog_, id, static_cast<uint8_t>(c.code));

        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0), 104);
        EXPECT_STREQ(fakeComboSelectedText(dialog_, id), c.name);
        LRESULT selection = SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETITEMDATA, selection, 0), c.code);
        ++id;
    }
}

TEST_F(KeyListTest, EveryItemCarriesTheCodeOfItsName) {
    fillKeyList(dialog_, kList, 65);

    std::vector<Item> items = itemsOf(dialog_, kList);
    ASSERT_EQ(items.size(), 104u);
    std::set<std::wstring> seen;
    for (const Item& item : items) {
        EXPECT_EQ(item.data, codeOf(item.text.c_str())) << narrow(item.text);
        seen.insert(item.text);
    }
    EXPECT_EQ(seen.size(), 104u);
}

TEST_F(KeyListTest, ACodeNoEntryHasLeavesTheListWithoutSelection) {
    int id = kList;
    for (int code : {3, 12, 108, 124, 255}) {
        fillKeyList(dialog_, id, static_cast<uint8_t>(code));

        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0), 104) << code;
        EXPECT_EQ(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0), CB_ERR) << code;
        ++id;
    }
}
