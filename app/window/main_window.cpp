#include "app/window/main_window.h"

#include <algorithm>

#include "app/companion/pause_switch.h"
#include "app/companion/program_in_front.h"
#include "app/companion/tray_icon.h"
#include "app/menu/context_menu.h"
#include "app/menu/menu_commands.h"
#include "app/window/poll_clock.h"
#include "app/window/tick_resolution.h"
#include "app/window/window_commands.h"
#include "app/window/window_frame.h"
#include "core/app_state.h"
#include "input/controllers.h"
#include "mapping/map_buttons_dialog.h"
#include "mapping/settings_store.h"
#include "view/render.h"
#include "view/view_paint.h"

namespace {

// Creates both view buffers and widens the embedded picture (raw blue, green,
// red rows of exactly the picture's size) to four channels.
bool setUpViewBuffers() {
    AppState& s = appState();
    PixelBuffer& canvas = s.canvasBuffer;
    PixelBuffer& picture = s.pictureBuffer;
    if (canvas.create(kViewWidth, kViewHeight, 4) != kStatusOk ||
        picture.create(kPictureWidth, kPictureHeight, 3) != kStatusOk) {
        return false;
    }
    std::fill(canvas.data, canvas.data + canvas.capacity, uint8_t{0});
    std::copy(s.pictureData, s.pictureData + picture.byteSize, picture.data);
    return picture.expandToFourChannels() == kStatusOk;
}

void onCreateFailed(HWND hwnd) {
    MessageBoxW(hwnd, L"Memory allocation failed.", L"Error", MB_ICONERROR);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void onClose() {
    AppState& s = appState();
    stopPollClock(s.hwndMain);
    releaseHeldInputs();
    s.lifecycleState = kLifecycleClosing;
    DestroyWindow(s.hwndMain);
}

void onDestroy() {
    AppState& s = appState();
    if (s.lifecycleState != kLifecycleClosing) {
        return;
    }
    unregisterPauseHotkey(s.hwndMain);
    removeTrayIcon();
    DestroyMenu(s.mainMenu);
    s.mainMenu = nullptr;
    endFineTicks();
    saveSettings();
    s.lifecycleState = kLifecycleDestroyed;
    PostQuitMessage(0);
}

// The whole window is the client area, unless the frame could not be extended.
LRESULT onNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam != 0 && appState().styleFrameless == 0) {
        return 0;
    }
    return DefWindowProcW(hwnd, WM_NCCALCSIZE, wParam, lParam);
}

// Every point of the window drags it.
LRESULT onNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LRESULT hit = DefWindowProcW(hwnd, WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

// Controllers come and go with the devices. The joystick functions are not
// called here: the discovery waits for the tick, once the devices settle.
void onDeviceChange(WPARAM event) {
    if (event == DBT_DEVNODES_CHANGED || event == DBT_DEVICEARRIVAL ||
        event == DBT_DEVICEREMOVECOMPLETE) {
        scheduleDiscovery();
    }
}

// Nothing stays held while the system sleeps; on waking the controllers may
// be other ones.
void onPowerBroadcast(WPARAM event) {
    if (event == PBT_APMSUSPEND) {
        releaseHeldInputs();
    } else if (event == PBT_APMRESUMEAUTOMATIC) {
        scheduleDiscovery();
    }
}

// Explorer announces a new notification area with a registered message; an
// elevated Tavlor must let it through from the normal Explorer.
void listenForTaskbar(HWND hwnd) {
    AppState& s = appState();
    s.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    if (s.taskbarCreatedMessage != 0) {
        ChangeWindowMessageFilterEx(hwnd, s.taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    }
}

// The program in front first, so that what it asks for (a release, a pause,
// its own table) holds before this tick sends anything.
void onTimer() {
    followForeground();
    showPauseState();
    emulationTick();
    focusPressedInput();
    refreshTrayIcon();
}

// The window is shown or hidden, also by another Tavlor's start, which shows
// it: what is saved at exit follows. DestroyWindow hides it without this.
void onShowWindow(WPARAM shown) {
    AppState& s = appState();
    if (s.lifecycleState == kLifecycleRunning) {
        s.windowHidden = shown != 0 ? 0 : 1;
    }
}

int32_t signedLowWord(LPARAM value) {
    return static_cast<int16_t>(value & 0xFFFF);
}
int32_t signedHighWord(LPARAM value) {
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}

constexpr WPARAM kAltXKey = 0x58;

} // namespace

bool onCreate(HWND hwnd) {
    discoverControllers();
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
    }
    setUpWindowFrame(hwnd);
    if (!setUpViewBuffers() || !buildContextMenu()) {
        return false;
    }
    registerPauseHotkey(hwnd);
    listenForTaskbar(hwnd);
    return startPollClock(hwnd);
}

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!onCreate(hwnd)) {
            onCreateFailed(hwnd);
        }
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_PAINT:
        paintView(hwnd);
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_ENDSESSION:
        if (wParam != 0) {
            releaseHeldInputs();
            saveSettings();
            removeTrayIcon();
        }
        return 0;
    case WM_SHOWWINDOW:
        onShowWindow(wParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case kTrayCallbackMessage:
        onTrayMessage(wParam, lParam);
        return 0;
    case WM_CONTEXTMENU:
        showContextMenu(signedLowWord(lParam), signedHighWord(lParam));
        return 0;
    case WM_NCCALCSIZE:
        return onNcCalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST:
        return onNcHitTest(hwnd, wParam, lParam);
    case WM_NCACTIVATE:
        onActivationChanged(hwnd, wParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_NCRBUTTONDOWN:
        // Default processing of a right press on the caption can capture the
        // mouse and swallow the release (it does under Wine); the release
        // is what opens the menu.
        return 0;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
        PostMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == kAltXKey) {
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_COMMAND:
        onCommand(static_cast<uint32_t>(wParam & 0xFFFF));
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case kClockTickMessage:
        if (clockTickLive()) {
            onTimer();
            clockTickTaken();
        }
        return 0;
    case WM_HOTKEY:
        if (wParam == kPauseHotkeyId) {
            onCommand(kCommandPause);
        }
        return 0;
    case WM_DEVICECHANGE:
        onDeviceChange(wParam);
        return TRUE;
    case WM_POWERBROADCAST:
        onPowerBroadcast(wParam);
        return TRUE;
    default:
        // Explorer started again: its notification area is new and empty.
        if (message == appState().taskbarCreatedMessage && message != 0) {
            addTrayIcon();
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
