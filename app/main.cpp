#include "core/app_state.h"
#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    createAppState();
    return runTavlor(instance);
}
