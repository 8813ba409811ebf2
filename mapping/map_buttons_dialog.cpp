#include "mapping/map_buttons_dialog.h"

#include "core/app_state.h"
#include <cstring>

#include "mapping/key_catalogue.h"
#include "mapping/program_rules.h"
#include "mapping/settings_rules.h"
#include "mapping/settings_store.h"

namespace {

constexpr int kSaveButton = 1020;
// The Ctrl, Shift, Alt and Win boxes of row i (input i) are 1100 + 4 i + m.
constexpr int kFirstModifierBox = 1100;

int modifierBox(int input, int m) {
    return kFirstModifierBox + kModifierCount * input + m;
}

void showModifiers(HWND dialog, int input, uint8_t stored) {
    uint8_t bits = modifierBits(stored);
    for (int m = 0; m < kModifierCount; ++m) {
        CheckDlgButton(dialog, modifierBox(input, m),
                       ((bits >> m) & 1) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
}

uint8_t tickedModifiers(HWND dialog, int input) {
    uint8_t bits = 0;
    for (int m = 0; m < kModifierCount; ++m) {
        if (IsDlgButtonChecked(dialog, modifierBox(input, m)) == BST_CHECKED) {
            bits = static_cast<uint8_t>(bits | (1u << m));
        }
    }
    return bits;
}

// Fills an empty sorted drop-down list with the catalogue, each item carrying
// its code, and selects the item whose code is `currentCode` (none if no
// entry has it).
void fillKeyList(HWND dialog, int listId, uint8_t currentCode) {
    const wchar_t* current = nullptr;
    for (const KeyEntry& entry : keyCatalogue) {
        // A sorted list answers with the index where it placed the name.
        LRESULT index = SendDlgItemMessageW(dialog, listId, CB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(entry.name));
        SendDlgItemMessageW(dialog, listId, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.code);
        if (entry.code == currentCode) {
            current = entry.name;
        }
    }
    // Selected once the list is full: a list that later sorts names in ahead of
    // its selection keeps the selection but not always the keyboard position,
    // and arrow keys would then start from the wrong item.
    if (current != nullptr) {
        LRESULT index =
            SendDlgItemMessageW(dialog, listId, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(current));
        SendDlgItemMessageW(dialog, listId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

// The chosen code of one list; a list with no selection keeps `previous`.
uint8_t chosenCode(HWND dialog, int listId, uint8_t previous) {
    HWND list = GetDlgItem(dialog, listId);
    LRESULT selection = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR) {
        return previous;
    }
    LRESULT data = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(selection), 0);
    return data == CB_ERR ? previous : static_cast<uint8_t>(data & 0xFF);
}

// The table the open dialog edits: the slot's general one, or the remembered
// program's own.
uint8_t* editedCodes(AppState& s) {
    int32_t slot = s.mappingDialogSlot;
    return s.mappingDialogForProgram != 0 ? s.program.mappingCodes[slot]
                                          : s.profiles[slot].mappingCodes;
}

void onSave(HWND dialog) {
    AppState& s = appState();
    uint8_t* codes = editedCodes(s);
    for (int i = 0; i < kInputCount; ++i) {
        codes[i] = chosenCode(dialog, s.inputTable[i].controlId, codes[i]);
        uint8_t& modifiers = codes[kModifierByteOffset + i];
        modifiers = savedModifierByte(modifiers, tickedModifiers(dialog, i));
    }
    if (s.mappingDialogForProgram != 0) {
        s.program.ownTables |= 1u << s.mappingDialogSlot;
        saveProgramTable(s.mappingDialogSlot);
    } else {
        saveMappingTable(s.mappingDialogSlot);
    }
    EndDialog(dialog, 0);
}

// A program without a table of its own for the slot starts from the general
// one, and the title names the program.
void openProgramTable(HWND dialog, AppState& s) {
    int32_t slot = s.mappingDialogSlot;
    if ((s.program.ownTables & (1u << slot)) == 0) {
        std::memcpy(s.program.mappingCodes[slot], s.profiles[slot].mappingCodes, kMappingBytes);
    }
    wchar_t title[2 * kProgramNameChars];
    programDialogTitle(s.program, title);
    SetWindowTextW(dialog, title);
}

} // namespace

void fillMapButtons(HWND dialog) {
    AppState& s = appState();
    // The dialog edits the slot it opened with, even if discovery moves the
    // active controller while it is open.
    s.mappingDialogSlot = s.activeController;
    if (s.mappingDialogForProgram != 0) {
        openProgramTable(dialog, s);
    } else {
        loadMappingTable(s.mappingDialogSlot);
    }
    const uint8_t* codes = editedCodes(s);
    for (int i = 0; i < kInputCount; ++i) {
        fillKeyList(dialog, s.inputTable[i].controlId, codes[i]);
        showModifiers(dialog, i, codes[kModifierByteOffset + i]);
    }
}

void focusPressedInput() {
    AppState& s = appState();
    if (s.hwndDialog == nullptr || s.dialogPressedSlot < 0) {
        return;
    }
    // The About dialog has no such list.
    HWND list = GetDlgItem(s.hwndDialog, s.inputTable[s.dialogPressedSlot].controlId);
    if (list != nullptr) {
        SendMessageW(s.hwndDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    }
}

INT_PTR onMapButtonsCommand(HWND dialog, WPARAM wParam) {
    switch (wParam & 0xFFFF) {
    case kSaveButton:
        onSave(dialog);
        return TRUE;
    case IDCANCEL:
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case IDOK: // Enter in a list neither saves nor closes
        return TRUE;
    default:
        return FALSE;
    }
}
