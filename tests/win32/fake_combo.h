#pragma once
// Drop-down lists of the Win32 stand-in: the controls of a dialog, each a
// sorted list (CBS_SORT) with item data and a selection. A control comes into
// being the first time GetDlgItem or SendDlgItemMessageW names it, and answers
// the CB_ messages sent to it by either path.
#include <windows.h>

constexpr int kFakeMaxCombos = 16;
constexpr int kFakeComboItems = 104;
constexpr int kFakeComboText = 32; // characters kept of an item's text, with its terminator

struct FakeComboItem {
    wchar_t text[kFakeComboText];
    LRESULT data;
};

struct FakeCombo {
    HWND dialog;
    int id;
    FakeComboItem items[kFakeComboItems];
    int count;
    int selection; // CB_ERR when nothing is selected
};

struct FakeCombos {
    FakeCombo lists[kFakeMaxCombos] = {};
    int count = 0;
};

// The control with this id in the dialog, made on first use; its handle is
// what GetDlgItem returns. Aborts when more than kFakeMaxCombos are asked for.
HWND fakeDialogControl(HWND dialog, int id);
// The list behind a control handle, or null for any other window.
FakeCombo* fakeComboOf(HWND control);
// The list with this id in the dialog, or null if nothing has reached it yet.
FakeCombo* fakeCombo(HWND dialog, int id);
// Answers one CB_ message the way a sorted drop-down list does.
LRESULT fakeComboMessage(FakeCombo& list, UINT message, WPARAM wParam, LPARAM lParam);

// The text of the selected item, or "" when there is no selection or no list.
const wchar_t* fakeComboSelectedText(HWND dialog, int id);
// Picks the item with exactly this text, as the user does with the mouse;
// false (and the selection unchanged) when the list has no such item.
bool fakeComboChoose(HWND dialog, int id, const wchar_t* text);
