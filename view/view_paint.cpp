#include "view/view_paint.h"

#include "core/app_state.h"
#include "view/render.h"

int32_t renderView(HDC dc) {
    AppState& s = appState();
    composeView();
    return s.viewSurface.update(dc, s.canvasBuffer, s.layoutRects[kWholeView], s.windowScale);
}

void paintView(HWND hwnd) {
    AppState& s = appState();
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        if (s.viewDirty != 0) {
            renderView(dc);
        }
        HGDIOBJ previous = SelectObject(memory, s.viewSurface.bitmap);
        BitBlt(dc, 0, 0, s.viewSurface.width, s.viewSurface.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    EndPaint(hwnd, &paint);
}

void onActivationChanged(HWND hwnd, WPARAM active) {
    AppState& s = appState();
    int32_t state = static_cast<int32_t>(active);
    if (state == s.windowActive) {
        return;
    }
    s.windowActive = state;
    s.viewDirty = 1;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}
