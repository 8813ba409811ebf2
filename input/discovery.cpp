#include "core/app_state.h"
#include "input/emulation.h"
#include "input/engine.h"

namespace {

constexpr int32_t kNoController = -1;

} // namespace

void concludeDiscovery(int32_t probed) {
    AppState& s = appState();
    s.rediscoveryMs = 0;
    s.controllerCount = 0;
    s.mouseController = kNoController;
    int32_t fallback = kNoController;
    for (int32_t id = 0; id < probed; ++id) {
        const ControllerInfo& info = s.controllers[id];
        if (info.present == 0) {
            continue;
        }
        s.controllerCount += 1;
        if (fallback == kNoController) {
            fallback = id;
        }
        if (s.mouseController == kNoController && (info.caps & JOYCAPS_HASPOV) != 0) {
            s.mouseController = id;
        }
    }
    if (fallback == kNoController) {
        fallback = 0;
    }
    if (s.controllers[s.activeController].present != 0) {
        return;
    }
    if (s.activeController != fallback) {
        switchController(fallback);
        return;
    }
    // The active controller is gone and none other is here: what it held goes
    // up now, as its next poll would have done, and its inputs go dark.
    queueHeldReleases();
    if (s.inputBits != 0) {
        clearEngineState();
        s.viewDirty = 1;
    }
}

void switchController(int32_t id) {
    AppState& s = appState();
    queueHeldReleases();
    s.activeController = id;
    clearEngineState();
    s.viewDirty = 1;
}
