#include "app/window/window_frame.h"

#include "core/app_state.h"
#include "mapping/settings_rules.h"
#include "view/render.h"

namespace {

using DwmExtendFrameIntoClientAreaFn = HRESULT(WINAPI*)(HWND, const MARGINS*);

constexpr UINT kFrameChangedFlags =
    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED;
constexpr LONG kFallbackStyleBits = static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX);

// Bound at run time so that Tavlor also starts where the composition service
// is missing; true only when the frame was really extended.
bool extendCompositionFrame(HWND hwnd) {
    HMODULE dwm = LoadLibraryW(L"Dwmapi.dll");
    if (dwm == nullptr) {
        return false;
    }
    auto extend = reinterpret_cast<DwmExtendFrameIntoClientAreaFn>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")));
    if (extend == nullptr) {
        FreeLibrary(dwm);
        return false;
    }
    const MARGINS margins = {-1, -1, -1, -1};
    HRESULT result = extend(hwnd, &margins);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
    FreeLibrary(dwm);
    return result == S_OK;
}

} // namespace

void setUpWindowFrame(HWND hwnd) {
    if (extendCompositionFrame(hwnd)) {
        return;
    }
    appState().styleFrameless = 1;
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    SetWindowLongW(hwnd, GWL_STYLE, (style & ~static_cast<LONG>(WS_CAPTION)) | kFallbackStyleBits);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
}

void setWindowScale(int32_t requested) {
    AppState& s = appState();
    int32_t scale = clampWindowScale(requested);
    if (scale == s.windowScale) {
        return;
    }
    s.windowScale = scale;
    RECT rect = {};
    GetWindowRect(s.hwndMain, &rect);
    SetWindowPos(s.hwndMain, nullptr, rect.left > 0 ? rect.left : 0, rect.top > 0 ? rect.top : 0,
                 scale * kViewWidth, scale * kViewHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    s.viewDirty = 1;
    InvalidateRect(s.hwndMain, nullptr, TRUE);
    UpdateWindow(s.hwndMain);
}

void setWindowHidden(bool hidden) {
    AppState& s = appState();
    s.windowHidden = hidden ? 1 : 0;
    ShowWindow(s.hwndMain, hidden ? SW_HIDE : SW_SHOW);
    if (!hidden) {
        SetForegroundWindow(s.hwndMain);
    }
}
