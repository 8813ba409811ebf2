#include "app/window/startup.h"

#include "app/companion/elevation.h"
#include "app/companion/tray_icon.h"
#include "app/window/main_window.h"
#include "app/window/single_instance.h"
#include "app/window/tick_resolution.h"
#include "companion/companion_rules.h"
#include "core/app_state.h"
#include "input/scan_codes.h"
#include "mapping/settings_store.h"
#include "resources/resource_ids.h"
#include "view/render.h"

namespace {

bool lockPicture(HINSTANCE instance) {
    AppState& s = appState();
    HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(IDR_CONTROLLER_PICTURE), RT_RCDATA);
    HGLOBAL loaded = info != nullptr ? LoadResource(instance, info) : nullptr;
    if (loaded == nullptr) {
        s.pictureData = nullptr;
        return false;
    }
    s.pictureData = static_cast<const uint8_t*>(LockResource(loaded));
    return s.pictureData != nullptr;
}

bool initCommonControls() {
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES;
    return InitCommonControlsEx(&init) != FALSE;
}

bool registerWindowClass(HINSTANCE instance) {
    WNDCLASSW wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAVLOR));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = appState().appName;
    return RegisterClassW(&wc) != 0;
}

HWND createMainWindow(HINSTANCE instance) {
    const AppState& s = appState();
    return CreateWindowExW(0, s.appName, s.appName, kMainWindowStyle, s.windowX, s.windowY,
                           s.windowScale * kViewWidth, s.windowScale * kViewHeight, nullptr,
                           nullptr, instance, nullptr);
}

} // namespace

int runTavlor(HINSTANCE instance, const wchar_t* commandLine) {
    AppState& s = appState();
    LaunchOptions options = parseLaunchOptions(commandLine);
    // A Tavlor restarting as administrator hands over: it is closing now.
    if (options.afterProcess != 0) {
        waitForProcessEnd(options.afterProcess);
    }
    // A second start only brings the first forward: two would send every
    // event twice and overwrite each other's settings.
    if (!claimSingleInstance(s.appName) || !lockPicture(instance)) {
        return 0;
    }
    readOwnRights();
    loadScanCodes();
    loadSettings();
    if (options.background) {
        s.windowHidden = 1;
    }
    if (!initCommonControls() || !registerWindowClass(instance)) {
        return 0;
    }
    s.hwndMain = createMainWindow(instance);
    if (s.hwndMain == nullptr) {
        return 0;
    }
    beginFineTicks(); // ended as the window is destroyed
    if (s.windowHidden == 0) {
        ShowWindow(s.hwndMain, SW_SHOWNORMAL);
    }
    addTrayIcon();
    return runMessageLoop();
}

int runMessageLoop() {
    MSG msg = {};
    for (;;) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (appState().lifecycleState != kLifecycleDestroyed) {
            msg.message = 0;
            PostMessageW(appState().hwndMain, WM_CLOSE, 0, 0);
        }
        if (msg.message == WM_QUIT) {
            return static_cast<int>(msg.wParam);
        }
    }
}
