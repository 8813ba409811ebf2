#include "mapping/settings_store.h"

#include "app/app_state.h"
#include "app/main_window.h"

namespace {

constexpr int32_t kDefaultWindowX = 150;
constexpr int32_t kDefaultWindowY = 100;
constexpr int32_t kScreenSidePerScale = 1080;

// The scale that suits the primary screen: its shorter side in steps of 1080.
int32_t screenScale() {
    int32_t width = GetSystemMetrics(SM_CXSCREEN);
    int32_t height = GetSystemMetrics(SM_CYSCREEN);
    int32_t shorter = width >= height ? height : width;
    return clampWindowScale(shorter / kScreenSidePerScale);
}

} // namespace

void loadSettings() {
    AppState& s = appState();
    s.mouseSpeed = 1;
    s.mouseCurve = 1;
    s.windowScale = screenScale();
    s.windowX = kDefaultWindowX;
    s.windowY = kDefaultWindowY;
}

void saveSettings() {}

void loadMappingTable(int) {}

void saveMappingTable(int) {}
