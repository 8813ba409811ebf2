#include "core/app_state.h"
#include "input/emulation.h"

namespace {

constexpr float kDeadZone = 0.03f;

bool outsideDeadZone(float value) {
    return value > kDeadZone || value < -kDeadZone;
}

} // namespace

int32_t speedFactor(int32_t mouseSpeed) {
    return 14 * mouseSpeed * mouseSpeed + 14;
}

// Axis values stay within -1..+1, so the truncated products always fit.
MOUSEINPUT mouseMotion(float x, float y, float r, float factor, float wheelStep) {
    MOUSEINPUT motion = {};
    if (outsideDeadZone(x) || outsideDeadZone(y)) {
        motion.dx = static_cast<LONG>(factor * x);
        motion.dy = static_cast<LONG>(factor * y);
        motion.dwFlags = MOUSEEVENTF_MOVE;
    }
    if (outsideDeadZone(r)) {
        motion.mouseData = static_cast<DWORD>(static_cast<LONG>(-r * wheelStep));
        motion.dwFlags |= MOUSEEVENTF_WHEEL;
    }
    return motion;
}

void emulateMouse() {
    AppState& s = appState();
    s.mouseSpeedFactor = static_cast<float>(speedFactor(s.mouseSpeed));
    const float* axes = s.motionAxes;
    // The wheel would turn the drop-down list under the pointer in a dialog;
    // the pointer itself still moves there.
    float wheel = s.hwndDialog == nullptr ? axes[3] : 0.0f;
    INPUT event = {};
    event.type = INPUT_MOUSE;
    event.mi = mouseMotion(axes[0], axes[1], wheel, s.mouseSpeedFactor, s.wheelStep);
    if (event.mi.dwFlags != 0) {
        queueInput(event);
    }
}
