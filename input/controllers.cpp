#include "input/controllers.h"

#include "core/app_state.h"
#include "core/win32.h"
#include "input/emulation.h"
#include "input/engine.h"

namespace {

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

// Injects the events the engine has queued, in order, and empties the queue.
void sendPendingInputs() {
    AppState& s = appState();
    if (s.pendingInputCount > 0) {
        SendInput(static_cast<UINT>(s.pendingInputCount), s.pendingInputs, sizeof(INPUT));
    }
    s.pendingInputCount = 0;
}

int32_t probeLimit() {
    int32_t supported = static_cast<int32_t>(joyGetNumDevs());
    return supported < kControllerSlots ? supported : kControllerSlots;
}

} // namespace

void discoverControllers() {
    AppState& s = appState();
    int32_t limit = probeLimit();
    for (int32_t id = 0; id < limit; ++id) {
        JOYCAPSW caps = {};
        if (joyGetDevCapsW(static_cast<UINT_PTR>(id), &caps, sizeof(caps)) == JOYERR_NOERROR) {
            recordPresent(s.controllers[id], caps);
        } else {
            s.controllers[id] = ControllerInfo{};
        }
    }
    concludeDiscovery(limit);
    sendPendingInputs();
}

void emulationTick() {
    AppState& s = appState();
    bool polled = false;
    if (s.controllers[s.activeController].present != 0) {
        s.joyInfo.dwFlags = JOY_RETURNALL;
        polled = joyGetPosEx(static_cast<UINT>(s.activeController), &s.joyInfo) == JOYERR_NOERROR;
    }
    bool discoveryDue = decideTick(polled, pollPeriodMs(s.pollRate));
    sendPendingInputs();
    // However fast the polls, the view repaints once a step at most.
    if (s.stepDue != 0 && viewNeedsPaint(s)) {
        InvalidateRect(s.hwndMain, nullptr, TRUE);
        UpdateWindow(s.hwndMain);
    }
    if (discoveryDue) {
        discoverControllers();
    }
}

void releaseHeldInputs() {
    queueHeldReleases();
    sendPendingInputs();
}

void selectController(int32_t id) {
    switchController(id);
    sendPendingInputs();
}
