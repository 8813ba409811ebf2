#include "app/companion/pause_switch.h"

#include "core/app_state.h"
#include "input/controllers.h"

namespace {

constexpr UINT kPauseKey = 'P';
const wchar_t kPausedTitle[] = L"Tavlor (Paused)";

} // namespace

void registerPauseHotkey(HWND hwnd) {
    AppState& s = appState();
    UINT modifiers = MOD_CONTROL | MOD_ALT | MOD_NOREPEAT;
    s.pauseHotkeyReady = RegisterHotKey(hwnd, kPauseHotkeyId, modifiers, kPauseKey) != FALSE;
}

void unregisterPauseHotkey(HWND hwnd) {
    if (appState().pauseHotkeyReady != 0) {
        UnregisterHotKey(hwnd, kPauseHotkeyId);
    }
}

void showPauseState() {
    AppState& s = appState();
    int32_t paused = emulationPaused(s) ? 1 : 0;
    if (paused == s.pauseShown) {
        return;
    }
    s.pauseShown = paused;
    if (paused != 0) {
        releaseHeldInputs();
    }
    SetWindowTextW(s.hwndMain, paused != 0 ? kPausedTitle : s.appName);
    s.viewDirty = 1;
    InvalidateRect(s.hwndMain, nullptr, TRUE);
}
