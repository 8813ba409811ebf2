#include "input/controllers.h"

#include "app/app_state.h"
#include "input/emulation.h"

namespace {

constexpr int32_t kNoController = -1;

void recordPresent(ControllerInfo& info, const JOYCAPSW& caps) {
    info.present = 1;
    info.caps = caps.wCaps;
    info.buttonCount = caps.wNumButtons;
    info.axisCount = caps.wNumAxes;
    info.xMin = static_cast<float>(caps.wXmin);
    info.xMax = static_cast<float>(caps.wXmax);
    info.yMin = static_cast<float>(caps.wYmin);
    info.yMax = static_cast<float>(caps.wYmax);
    info.zMin = static_cast<float>(caps.wZmin);
    info.zMax = static_cast<float>(caps.wZmax);
    info.rMin = static_cast<float>(caps.wRmin);
    info.rMax = static_cast<float>(caps.wRmax);
}

int32_t probeLimit() {
    int32_t supported = static_cast<int32_t>(joyGetNumDevs());
    return supported < kControllerSlots ? supported : kControllerSlots;
}

} // namespace

void discoverControllers() {
    AppState& s = appState();
    s.rediscoveryTicks = 0;
    s.controllerCount = 0;
    s.mouseController = kNoController;

    int32_t fallback = kNoController;
    int32_t limit = probeLimit();
    for (int32_t id = 0; id < limit; ++id) {
        ControllerInfo& info = s.controllers[id];
        JOYCAPSW caps = {};
        if (joyGetDevCapsW(static_cast<UINT_PTR>(id), &caps, sizeof(caps)) != JOYERR_NOERROR) {
            info = ControllerInfo{};
            continue;
        }
        recordPresent(info, caps);
        s.controllerCount += 1;
        if (fallback == kNoController) {
            fallback = id;
        }
        if (s.mouseController == kNoController && (caps.wCaps & JOYCAPS_HASPOV) != 0) {
            s.mouseController = id;
        }
    }

    if (fallback == kNoController) {
        fallback = 0;
    }
    if (s.controllers[s.activeController].present != 0 || s.activeController == fallback) {
        return;
    }
    activateController(fallback);
}

void activateController(int32_t id) {
    AppState& s = appState();
    releaseHeldInputs();
    s.activeController = id;
    clearEngineState();
    s.viewDirty = 1;
}
