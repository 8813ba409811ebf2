#include "app/window/startup.h"
#include "core/app_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    createAppState();
    return runTavlor(instance, commandLine != nullptr ? commandLine : L"");
}
