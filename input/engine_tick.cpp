#include "core/app_state.h"
#include "input/axis_math.h"
#include "input/controllers.h"
#include "input/emulation.h"
#include "input/engine.h"

namespace {

// Time without any controller before discovery runs again.
constexpr int32_t kRediscoveryMs = 10000;
// Time from a device change to the discovery it calls for, and at most from
// the first change of a burst.
constexpr int32_t kDeviceSettleMs = 500;
constexpr int32_t kDeviceBurstMs = 2000;

// Counts a countdown down; true at the first poll at or after its end.
bool runsOut(int32_t& countdown, int32_t elapsedMs) {
    if (countdown <= 0) {
        return false;
    }
    countdown -= elapsedMs;
    return countdown <= 0;
}

// The active controller stopped answering: it is absent until the next
// discovery, and whatever it had lit goes dark.
void loseActiveController(AppState& s) {
    queueHeldReleases();
    s.controllers[s.activeController].present = 0;
    s.controllerCount -= 1;
    s.changedBits = s.inputBits;
    s.previousInputBits = s.inputBits;
    s.inputBits = 0;
}

void readAxes(AppState& s, const ControllerInfo& info) {
    const JOYINFOEX& joy = s.joyInfo;
    s.axes[0] = normaliseAxis(joy.dwXpos, info.xMin, info.xMax);
    s.axes[1] = normaliseAxis(joy.dwYpos, info.yMin, info.yMax);
    s.axes[2] = normaliseAxis(joy.dwZpos, info.zMin, info.zMax);
    s.axes[3] = normaliseAxis(joy.dwRpos, info.rMin, info.rMax);
    if (s.mouseCurve != 0) {
        s.axes[0] = applyCurve(s.axes[0]);
        s.axes[1] = applyCurve(s.axes[1]);
    }
}

void readInputBits(AppState& s, const ControllerInfo& info) {
    s.previousInputBits = s.inputBits;
    uint32_t bits = s.joyInfo.dwButtons & 0xFFFFu;
    if ((info.caps & JOYCAPS_HASPOV) != 0) {
        bits |= hatDirections(s.joyInfo.dwPOV);
    } else {
        bits |= stickDirections(s.axes[0], s.axes[1]);
    }
    s.inputBits = bits;
    InputEdges edges = computeEdges(s.previousInputBits, s.inputBits);
    s.changedBits = edges.changed;
    s.pressedBits = edges.pressed;
    s.releasedBits = edges.released;
}

// The first input, in input order, whose press this tick's poll saw.
int32_t firstPressedSlot(const AppState& s) {
    for (int32_t slot = 0; slot < kInputCount; ++slot) {
        if ((s.pressedBits & s.inputTable[slot].mask) != 0) {
            return slot;
        }
    }
    return -1;
}

void emulatePolledInputs(AppState& s, int32_t elapsedMs) {
    const ControllerInfo& info = s.controllers[s.activeController];
    readAxes(s, info);
    readInputBits(s, info);
    // Nothing is typed or clicked into a dialog or while paused: what was
    // held goes up as either begins, and buttons stay quiet until it ends.
    bool paused = injectionStopped(s);
    if (s.hwndDialog == nullptr && !paused) {
        emulateButtons(elapsedMs);
    } else {
        queueHeldReleases();
        if (s.hwndDialog != nullptr && s.pressedBits != 0) {
            s.dialogPressedSlot = firstPressedSlot(s);
        }
    }
    if (s.activeController == s.mouseController && !paused) {
        emulateMouse(elapsedMs);
    }
}

} // namespace

int32_t pollPeriodMs(int32_t pollRate) {
    return 1000 / pollRate;
}

bool decideTick(bool polled, int32_t elapsedMs) {
    AppState& s = appState();
    s.stepClock += elapsedMs; // a poll is never longer than a step
    s.stepDue = s.stepClock >= kStepMs ? 1 : 0;
    s.stepClock -= s.stepDue * kStepMs;
    s.dialogPressedSlot = -1;
    if (s.controllers[s.activeController].present != 0) {
        if (polled) {
            emulatePolledInputs(s, elapsedMs);
        } else {
            loseActiveController(s);
        }
        if (s.changedBits != 0) {
            s.viewDirty = 1;
        }
    }
    bool settled = runsOut(s.discoveryCountdown, elapsedMs);
    bool burstTooLong = runsOut(s.discoveryDeadline, elapsedMs);
    if (settled || burstTooLong) {
        s.discoveryCountdown = 0;
        s.discoveryDeadline = 0;
        return true;
    }
    if (s.controllerCount >= 1) {
        return false;
    }
    s.rediscoveryMs += elapsedMs;
    return s.rediscoveryMs > kRediscoveryMs;
}

void scheduleDiscovery() {
    AppState& s = appState();
    s.discoveryCountdown = kDeviceSettleMs;
    if (s.discoveryDeadline == 0) {
        s.discoveryDeadline = kDeviceBurstMs;
    }
}
