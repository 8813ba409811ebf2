#include "app/window/window_commands.h"

#include "app/companion/autostart.h"
#include "app/companion/elevation.h"
#include "app/companion/pause_switch.h"
#include "app/dialogs/dialogs.h"
#include "app/menu/context_menu.h"
#include "app/menu/menu_commands.h"
#include "app/window/window_frame.h"
#include "core/app_state.h"
#include "input/controllers.h"
#include "mapping/settings_store.h"
#include "resources/resource_ids.h"

namespace {

void openDialog(int resource, DLGPROC procedure) {
    HWND owner = appState().hwndMain;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    DialogBoxParamW(instance, MAKEINTRESOURCEW(resource), owner, procedure, 0);
}

void openMapButtons(bool forProgram) {
    AppState& s = appState();
    s.mappingDialogForProgram = forProgram ? 1 : 0;
    openDialog(IDD_MAP_BUTTONS, mapButtonsDialogProc);
    s.mappingDialogForProgram = 0;
}

} // namespace

void onCommand(uint32_t commandId) {
    AppState& s = appState();
    switch (applyMenuCommand(commandId)) {
    case MenuAction::kNone:
        break;
    case MenuAction::kSelectController:
        selectController(commandController(commandId));
        break;
    case MenuAction::kIncreaseSize:
        setWindowScale(s.windowScale + 1);
        break;
    case MenuAction::kDecreaseSize:
        setWindowScale(s.windowScale - 1);
        break;
    case MenuAction::kMapButtons:
        openMapButtons(false);
        break;
    case MenuAction::kMapButtonsHere:
        openMapButtons(true);
        break;
    case MenuAction::kAbout:
        openDialog(IDD_ABOUT, aboutDialogProc);
        break;
    case MenuAction::kExit:
        PostMessageW(s.hwndMain, WM_CLOSE, 0, 0);
        break;
    case MenuAction::kPauseChanged:
        showPauseState();
        break;
    case MenuAction::kProgramPauseChanged:
        saveProgramPause();
        showPauseState();
        break;
    case MenuAction::kProgramTablesGone:
        removeProgramTables();
        break;
    case MenuAction::kToggleWindow:
        setWindowHidden(s.windowHidden == 0);
        break;
    case MenuAction::kToggleStartWithWindows:
        setStartWithWindows(!startsWithWindows());
        break;
    case MenuAction::kRestartAsAdministrator:
        restartAsAdministrator();
        break;
    }
}

void onTrayMessage(WPARAM wParam, LPARAM lParam) {
    AppState& s = appState();
    switch (lParam & 0xFFFF) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
        setWindowHidden(s.windowHidden == 0);
        break;
    case WM_CONTEXTMENU:
        // Without the owner in front, the menu would not close on a click elsewhere.
        SetForegroundWindow(s.hwndMain);
        trackContextMenu(static_cast<int16_t>(wParam & 0xFFFF),
                         static_cast<int16_t>((wParam >> 16) & 0xFFFF));
        PostMessageW(s.hwndMain, WM_NULL, 0, 0);
        break;
    default:
        break;
    }
}
