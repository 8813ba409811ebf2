#include "fake_combo.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "fake_win32.h"

namespace {

constexpr LRESULT kErrSpace = -2; // CB_ERRSPACE
constexpr uintptr_t kControlBase = 0x30000;

FakeCombos& combos() {
    return fakeWin32().combos;
}

// Case-insensitive order, letters folded to lower case, so that punctuation
// such as '_' and '[' sorts ahead of the letters as in a sorted list box.
int compareNoCase(const wchar_t* a, const wchar_t* b) {
    for (;; ++a, ++b) {
        wint_t ca = std::towlower(static_cast<wint_t>(*a));
        wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

bool validIndex(const FakeCombo& list, WPARAM index) {
    return index < static_cast<WPARAM>(list.count);
}

LRESULT addString(FakeCombo& list, const wchar_t* text) {
    if (text == nullptr) {
        return CB_ERR;
    }
    if (list.count >= kFakeComboItems) {
        return kErrSpace;
    }
    // After any equal names, before the first greater one.
    int index = 0;
    while (index < list.count && compareNoCase(list.items[index].text, text) <= 0) {
        ++index;
    }
    for (int i = list.count; i > index; --i) {
        list.items[i] = list.items[i - 1];
    }
    FakeComboItem& item = list.items[index];
    std::wcsncpy(item.text, text, kFakeComboText - 1);
    item.text[kFakeComboText - 1] = L'\0';
    item.data = 0;
    list.count += 1;
    // The selected item stays selected wherever it moves.
    if (list.selection != CB_ERR && list.selection >= index) {
        list.selection += 1;
    }
    return index;
}

} // namespace

HWND fakeDialogControl(HWND dialog, int id) {
    FakeCombos& c = combos();
    for (int i = 0; i < c.count; ++i) {
        if (c.lists[i].dialog == dialog && c.lists[i].id == id) {
            return reinterpret_cast<HWND>(kControlBase + static_cast<uintptr_t>(i));
        }
    }
    if (c.count >= kFakeMaxCombos) {
        std::fprintf(stderr, "fake dialog controls: more than %d asked for\n", kFakeMaxCombos);
        std::abort();
    }
    FakeCombo& list = c.lists[c.count];
    list.dialog = dialog;
    list.id = id;
    list.count = 0;
    list.selection = CB_ERR;
    return reinterpret_cast<HWND>(kControlBase + static_cast<uintptr_t>(c.count++));
}

FakeCombo* fakeComboOf(HWND control) {
    uintptr_t value = reinterpret_cast<uintptr_t>(control);
    if (value < kControlBase || value - kControlBase >= static_cast<uintptr_t>(combos().count)) {
        return nullptr;
    }
    return &combos().lists[value - kControlBase];
}

FakeCombo* fakeCombo(HWND dialog, int id) {
    FakeCombos& c = combos();
    for (int i = 0; i < c.count; ++i) {
        if (c.lists[i].dialog == dialog && c.lists[i].id == id) {
            return &c.lists[i];
        }
    }
    return nullptr;
}

LRESULT fakeComboMessage(FakeCombo& list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        return addString(list, reinterpret_cast<const wchar_t*>(lParam));
    case CB_SETITEMDATA:
        if (!validIndex(list, wParam)) {
            return CB_ERR;
        }
        list.items[wParam].data = lParam;
        return TRUE;
    case CB_GETITEMDATA:
        return validIndex(list, wParam) ? list.items[wParam].data : CB_ERR;
    case CB_SETCURSEL:
        // An index out of range, -1 included, clears the selection.
        if (!validIndex(list, wParam)) {
            list.selection = CB_ERR;
            return CB_ERR;
        }
        list.selection = static_cast<int>(wParam);
        return list.selection;
    case CB_GETCURSEL:
        return list.selection;
    case CB_GETCOUNT:
        return list.count;
    case CB_FINDSTRINGEXACT: // the whole list is searched; case does not matter
        for (int i = 0; lParam != 0 && i < list.count; ++i) {
            if (compareNoCase(list.items[i].text, reinterpret_cast<const wchar_t*>(lParam)) == 0) {
                return i;
            }
        }
        return CB_ERR;
    case CB_GETLBTEXT:
        if (!validIndex(list, wParam) || lParam == 0) {
            return CB_ERR;
        }
        std::wcscpy(reinterpret_cast<wchar_t*>(lParam), list.items[wParam].text);
        return static_cast<LRESULT>(std::wcslen(list.items[wParam].text));
    default:
        return 0;
    }
}

const wchar_t* fakeComboSelectedText(HWND dialog, int id) {
    const FakeCombo* list = fakeCombo(dialog, id);
    if (list == nullptr || list->selection == CB_ERR) {
        return L"";
    }
    return list->items[list->selection].text;
}

bool fakeComboChoose(HWND dialog, int id, const wchar_t* text) {
    FakeCombo* list = fakeCombo(dialog, id);
    if (list == nullptr) {
        return false;
    }
    for (int i = 0; i < list->count; ++i) {
        if (std::wcscmp(list->items[i].text, text) == 0) {
            list->selection = i;
            return true;
        }
    }
    return false;
}
