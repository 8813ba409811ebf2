#include "core/app_state.h"
#include "input/emulation.h"

namespace {

// An axis as it moves the pointer or the wheel: 0 inside the dead zone;
// beyond a zone wider than the first, counted from the zone's edge, so that
// the motion starts from zero there and still reaches full deflection.
float beyondDeadZone(float value, float zone, bool rescale) {
    if (!(value > zone || value < -zone)) {
        return 0.0f;
    }
    if (!rescale) {
        return value;
    }
    float beyond = ((value < 0.0f ? -value : value) - zone) / (1.0f - zone);
    return value < 0.0f ? -beyond : beyond;
}

} // namespace

int32_t speedFactor(int32_t mouseSpeed) {
    return 14 * mouseSpeed * mouseSpeed + 14;
}

// Axis values stay within -1..+1, so the truncated products always fit. Once
// either axis leaves the zone both count, also the one still inside it.
MOUSEINPUT mouseMotion(float x, float y, float r, float factor, float wheelStep, int32_t deadZone) {
    MOUSEINPUT motion = {};
    float zone = static_cast<float>(deadZone) / 100.0f;
    bool rescale = deadZone != kDeadZones[0];
    if (x > zone || x < -zone || y > zone || y < -zone) {
        motion.dx = static_cast<LONG>(factor * (rescale ? beyondDeadZone(x, zone, true) : x));
        motion.dy = static_cast<LONG>(factor * (rescale ? beyondDeadZone(y, zone, true) : y));
        motion.dwFlags = MOUSEEVENTF_MOVE;
    }
    float wheel = beyondDeadZone(r, zone, rescale);
    if (wheel != 0.0f) {
        motion.mouseData = static_cast<DWORD>(static_cast<LONG>(-wheel * wheelStep));
        motion.dwFlags |= MOUSEEVENTF_WHEEL;
    }
    return motion;
}

int32_t carriedShare(int32_t stepDistance, int32_t elapsedMs, int32_t& carry) {
    carry += stepDistance * elapsedMs;
    int32_t share = carry / kStepMs;
    carry -= share * kStepMs;
    return share;
}

void emulateMouse(int32_t elapsedMs) {
    AppState& s = appState();
    s.mouseSpeedFactor = static_cast<float>(speedFactor(s.mouseSpeed));
    const float* axes = s.motionAxes;
    // The wheel would turn the drop-down list under the pointer in a dialog;
    // the pointer itself still moves there. It turns once a step.
    float wheel = s.hwndDialog == nullptr && s.stepDue != 0 ? axes[3] : 0.0f;
    INPUT event = {};
    event.type = INPUT_MOUSE;
    event.mi = mouseMotion(axes[0], axes[1], wheel, s.mouseSpeedFactor, s.wheelStep, s.deadZone);
    // A poll shorter than a step moves the pointer by its share of the step's
    // distance, and sends a record only when that moves it.
    if ((event.mi.dwFlags & MOUSEEVENTF_MOVE) != 0 && elapsedMs < kStepMs) {
        event.mi.dx = carriedShare(event.mi.dx, elapsedMs, s.pointerCarry[0]);
        event.mi.dy = carriedShare(event.mi.dy, elapsedMs, s.pointerCarry[1]);
        if (event.mi.dx == 0 && event.mi.dy == 0) {
            event.mi.dwFlags &= ~DWORD{MOUSEEVENTF_MOVE};
        }
    }
    if (event.mi.dwFlags != 0) {
        queueInput(event);
    }
}
