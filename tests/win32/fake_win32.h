#pragma once
// Control and inspection of the Win32 stand-in: scripted results for the calls
// Tavlor makes, a log of those calls, a small window manager with a message
// queue, a joystick table and the injected input.
#include <cstdint>

#include <commctrl.h>
#include <mmsystem.h>
#include <uxtheme.h>
#include <shellapi.h>
#include <windows.h>

#include "fake_combo.h"

constexpr int kFakeMaxCalls = 4096;
constexpr int kFakeMaxMessages = 256;
constexpr int kFakeMaxWindows = 8;
constexpr int kFakeMaxInputs = 4096;
constexpr int kFakeJoysticks = 16;
constexpr int kFakePictureBytes = 484 * 175 * 3;

struct FakeCall {
    const char* name;
    int64_t args[7];
};

struct FakeMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct FakeWindow {
    bool alive;
    WNDPROC proc;
    RECT rect;
    LONG style;
};

struct FakeJoystick {
    int numDevs = 16;
    bool present[kFakeJoysticks] = {};
    JOYCAPSW caps[kFakeJoysticks] = {};
    JOYINFOEX state[kFakeJoysticks] = {};
    bool pollFails[kFakeJoysticks] = {};
    int polls[kFakeJoysticks] = {};
    int capsQueries = 0;
};

struct FakeWin32 {
    // Scripted results
    bool findResourceFails = false;
    bool loadResourceFails = false;
    bool lockResourceFails = false;
    bool initCommonControlsFails = false;
    bool registerClassFails = false;
    bool createWindowFails = false;
    bool dwmLibraryMissing = false;
    bool dwmFunctionMissing = false;
    HRESULT dwmResult = S_OK;
    bool createPopupMenuFails = false;
    UINT_PTR setTimerResult = 1;
    bool createDibSectionFails = false;
    LRESULT hitTestResult = HTCLIENT;
    LRESULT defaultResult = 0;
    UINT placementShowCmd = SW_SHOWNORMAL; // what GetWindowPlacement reports
    bool windowPlacementFails = false;
    int screenWidth = 1920;
    int screenHeight = 1080;
    int virtualWidth = 1920;
    int virtualHeight = 1080;
    uint8_t picture[kFakePictureBytes] = {};

    // What happened
    FakeCall calls[kFakeMaxCalls] = {};
    int callCount = 0;
    FakeMessage queue[kFakeMaxMessages] = {};
    int queueHead = 0;
    int queueTail = 0;
    bool quitPosted = false;
    int quitCode = 0;
    int emptyGets = 0;
    WNDPROC classProc = nullptr;
    FakeWindow windows[kFakeMaxWindows] = {};
    int windowCount = 0;
    INPUT inputs[kFakeMaxInputs] = {};
    int inputCount = 0;
    int sendInputCalls = 0; // every call, whatever its count and size
    int liveBitmaps = 0;
    FakeJoystick joystick;
    FakeCombos combos; // the drop-down lists of dialogs
};

FakeWin32& fakeWin32();
void resetFakeWin32();

// The nth call (0-based) of the named function, or null.
const FakeCall* findCall(const char* name, int nth = 0);
int countCalls(const char* name);
// Index of the nth call of name in the log, or -1; for checking order.
int callIndex(const char* name, int nth = 0);

FakeWindow* fakeWindow(HWND hwnd);
// Queues a message as another process would post it.
void fakePost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Makes joystick id present with the usual 0..65535 axes, centred.
void fakeJoystickPlug(int id, bool hasPov);

// A window with no window procedure, for tests that call handlers directly.
HWND fakeBareWindow(RECT rect, LONG style);
