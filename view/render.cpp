#include "view/render.h"

#include "app/app_state.h"

namespace {

enum LayoutRow { kFrameTop = 16, kFrameLeft, kFrameRight, kFrameBottom, kPicturePlace, kWholeView };

constexpr uint32_t kInactiveFrameColor = 0xFFB1BBBD;

// An additive tint of three quarters of the highlight colour, saturating at
// 255, that leaves every lit pixel opaque.
void buildTintTable(uint8_t* table, uint32_t highlight) {
    const float scales[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float offsets[4] = {
        0.75f * static_cast<float>(highlight & 0xFF),
        0.75f * static_cast<float>((highlight >> 8) & 0xFF),
        0.75f * static_cast<float>((highlight >> 16) & 0xFF),
        255.5f,
    };
    buildChannelLut(table, scales, offsets, 4);
}

} // namespace

int32_t renderView(HDC dc) {
    AppState& s = appState();
    s.viewDirty = 0;
    const ControllerProfile& profile = s.profiles[s.activeController];
    uint32_t border = s.windowActive != 0 ? profile.frameColor : kInactiveFrameColor;
    for (int row = kFrameTop; row <= kFrameBottom; ++row) {
        s.canvasBuffer.fillRect(s.layoutRects[row], border);
    }
    s.canvasBuffer.copyFrom(s.layoutRects[kPicturePlace], s.pictureBuffer);
    bool tableReady = false;
    for (int i = 0; i < kInputCount; ++i) {
        if ((s.inputBits & s.inputTable[i].mask) == 0) {
            continue;
        }
        if (!tableReady) {
            buildTintTable(s.channelLut, profile.highlightColor);
            tableReady = true;
        }
        s.canvasBuffer.applyLut(s.layoutRects[i], s.channelLut);
    }
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
