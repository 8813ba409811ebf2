#include "tick_scenarios.h"

#include <cstring>

#include "app/app_state.h"
#include "fake_menu.h"
#include "fake_win32.h"
#include "input/controllers.h"

namespace {

AppState* gState = nullptr;

constexpr DWORD kUpRight = 4500;
constexpr DWORD kDownLeft = 22500;

} // namespace

const char* scenarioName(TickScenario scenario) {
    switch (scenario) {
    case TickScenario::idle:
        return "idle";
    case TickScenario::allInputsChanging:
        return "all-sixteen-changing";
    case TickScenario::twelveButtonsRepeating:
        return "twelve-repeating-auto";
    }
    return "?";
}

void prepareScenario(TickScenario scenario) {
    resetFakeWin32();
    resetFakeMenus();
    delete gState;
    gState = new AppState();
    publishAppState(gState);
    AppState& s = appState();
    s.hwndMain = fakeBareWindow({0, 0, 494, 185}, 0);
    s.mouseSpeed = 1;
    fakeJoystickPlug(0, true);
    discoverControllers();
    const uint8_t everyKey[16] = {0x26, 0x28, 0x25, 0x27, 0x41, 0x42, 0x43, 0x44,
                                  0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C};
    std::memcpy(s.profiles[0].mappingCodes, everyKey, sizeof(everyKey));
    if (scenario == TickScenario::twelveButtonsRepeating) {
        s.triggerModes = 0x111;
    }
}

void stageTick(TickScenario scenario, long tick) {
    JOYINFOEX& reading = fakeWin32().joystick.state[0];
    // The call log and the recorded input are bounded; keep them from filling.
    fakeWin32().callCount = 0;
    fakeWin32().inputCount = 0;
    switch (scenario) {
    case TickScenario::idle:
        break;
    case TickScenario::allInputsChanging:
        reading.dwButtons = (tick & 1) != 0 ? 0xFFFu : 0u;
        reading.dwPOV = (tick & 1) != 0 ? kUpRight : kDownLeft;
        break;
    case TickScenario::twelveButtonsRepeating:
        reading.dwButtons = 0xFFFu;
        break;
    }
}
