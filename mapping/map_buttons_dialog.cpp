#include "app/app_state.h"
#include "app/dialogs.h"
#include "mapping/key_catalogue.h"
#include "mapping/settings_store.h"

namespace {

constexpr int kSaveButton = 1020;

void onOpen(HWND dialog) {
    AppState& s = appState();
    // The dialog edits the slot it opened with, even if discovery moves the
    // active controller while it is open.
    s.mappingDialogSlot = s.activeController;
    loadMappingTable(s.mappingDialogSlot);
    const uint8_t* codes = s.profiles[s.mappingDialogSlot].mappingCodes;
    for (int i = 0; i < kInputCount; ++i) {
        fillKeyList(dialog, s.inputTable[i].controlId, codes[i]);
    }
    ShowWindow(dialog, SW_SHOW);
    centerDialog(dialog, GetParent(dialog));
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

void onSave(HWND dialog) {
    AppState& s = appState();
    uint8_t* codes = s.profiles[s.mappingDialogSlot].mappingCodes;
    for (int i = 0; i < kInputCount; ++i) {
        codes[i] = chosenCode(dialog, s.inputTable[i].controlId, codes[i]);
    }
    saveMappingTable(s.mappingDialogSlot);
    EndDialog(dialog, 0);
}

INT_PTR onCommand(HWND dialog, WPARAM wParam) {
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

} // namespace

INT_PTR CALLBACK mapButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return runModalDialog(dialog, message, wParam, onOpen, onCommand);
}
