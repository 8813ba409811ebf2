#include "view/render.h"

#include "core/app_state.h"

namespace {

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

void composeView() {
    AppState& s = appState();
    s.viewDirty = 0;
    const ControllerProfile& profile = s.profiles[s.activeController];
    uint32_t border = s.windowActive != 0 ? profile.frameColor : kInactiveFrameColor;
    if (programOutOfReach(s)) {
        border = kUnreachableFrameColor;
    }
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
            bool paused = emulationPaused(s);
            buildTintTable(s.channelLut, paused ? kPausedHighlightColor : profile.highlightColor);
            tableReady = true;
        }
        s.canvasBuffer.applyLut(s.layoutRects[i], s.channelLut);
    }
}
