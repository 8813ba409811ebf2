#include "app/dialogs/dialogs.h"
#include "version.h"

namespace {

constexpr int kLinkButton = 1001;
constexpr int kProductText = 1003;

const wchar_t kAboutText[] =
    L"Tavlor\r\nKBM Emulator\r\n" TAVLOR_VERSION_SHORT L" (x64)\r\n\u00A9 2023 Kelvarin";
const wchar_t kMakerHost[] = L"kelvarin.example";
const wchar_t kMakerPage[] = L"https://kelvarin.example/";

void onOpen(HWND dialog) {
    SetDlgItemTextW(dialog, kProductText, kAboutText);
    SetDlgItemTextW(dialog, kLinkButton, kMakerHost);
}

INT_PTR onCommand(HWND dialog, WPARAM wParam) {
    switch (wParam & 0xFFFF) {
    case IDOK:
    case IDCANCEL:
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case kLinkButton:
        // No browser or no network: the dialog simply stays as it is.
        ShellExecuteW(nullptr, L"open", kMakerPage, nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return runModalDialog(dialog, message, wParam, onOpen, onCommand);
}
