#pragma once
#include <cstdint>

#include "core/controller_info.h"
#include "core/controller_profile.h"
#include "core/input_slot.h"
#include "core/pixel_buffer.h"
#include "core/poll_clock.h"
#include "core/program_settings.h"
#include "core/view_surface.h"
#include "core/win32_types.h"

constexpr int kControllerSlots = 5;
// Room for everything one tick can decide: a release and a press for each of
// the sixteen inputs, each with up to four modifiers, and one pointer and
// wheel record.
constexpr int kMaxPendingInputs = 2 * kInputCount * (1 + kModifierCount) + 1;
constexpr int kLayoutRectCount = 22;

// Base size of the view and the window at scale 1, in physical pixels, and of
// the embedded controller picture inside the view's frame.
constexpr int kViewWidth = 494;
constexpr int kViewHeight = 185;
constexpr int kPictureWidth = 484;
constexpr int kPictureHeight = 175;

// Rows of the layout after the sixteen input rectangles.
enum LayoutRow { kFrameTop = 16, kFrameBottom = 19, kPicturePlace = 20, kWholeView = 21 };
constexpr int kVirtualKeyCount = 256;
constexpr int kTrayTipChars = 128; // the notification icon's tooltip, with its terminating zero

// What the user times is counted on a 20 ms clock, whatever the poll rate:
// repeats, pointer distance per step, wheel notches, repaints.
constexpr int32_t kStepMs = 20;
// The choices of the Poll Rate and Dead Zone menus, the first the default.
constexpr int32_t kPollRates[] = {50, 125, 250, 500}; // polls per second
constexpr int32_t kDeadZones[] = {3, 8, 15, 25};      // percent of full deflection
constexpr int kClockChoices = 4;

// Input bits of the D-pad directions; bits 0 to 15 are the controller's buttons.
constexpr uint32_t kDpadUp = 0x10000000u;
constexpr uint32_t kDpadDown = 0x20000000u;
constexpr uint32_t kDpadLeft = 0x40000000u;
constexpr uint32_t kDpadRight = 0x80000000u;

// Lifecycle of the main window.
constexpr int32_t kLifecycleRunning = 0;
constexpr int32_t kLifecycleClosing = 1;
constexpr int32_t kLifecycleDestroyed = 2;

// The whole program's state: one instance for the life of the process.
// Fields are in declaration order; everything not initialised here is zero.
struct AppState {
    // Identity and lifecycle
    const wchar_t* appName = L"Tavlor";
    int32_t lifecycleState = kLifecycleRunning;
    const uint8_t* pictureData = nullptr;

    // View buffers; destroyed in reverse order: picture, canvas, surface.
    ViewSurface viewSurface;
    PixelBuffer canvasBuffer;
    PixelBuffer pictureBuffer;
    RECT layoutRects[kLayoutRectCount] = {};
    uint8_t channelLut[4 * 256] = {};

    // Engine working state
    int32_t scratchMappingCode = 0;
    JOYINFOEX joyInfo = initialJoyInfo();
    // The key, button, motion and wheel events the engine has decided on and
    // not yet injected, in order; the glue sends them in one SendInput call.
    INPUT pendingInputs[kMaxPendingInputs] = {};
    int32_t pendingInputCount = 0;
    float mouseSpeedFactor = 0.0f;
    float wheelStep = 120.0f;
    float* motionAxes = axes;
    int32_t stepClock = 0;        // milliseconds towards the next 20 ms step
    int32_t stepDue = 0;          // this poll completes a step: the wheel turns, the view repaints
    int32_t pointerCarry[2] = {}; // the part of a pixel not yet moved, x and y, in pixel-ms
    float axes[4] = {};
    uint32_t inputBits = 0;
    uint32_t previousInputBits = 0;
    uint32_t changedBits = 0;
    uint32_t pressedBits = 0;
    uint32_t releasedBits = 0;
    // Per input, the code whose key-down or button-down went out last and has
    // not been released yet; 0 when nothing is held for it.
    uint8_t heldCodes[kInputCount] = {};
    // Per input, the modifier bits that went down with its held code, and
    // 0x10 when its release goes through modifierHolds.
    uint8_t heldModifiers[kInputCount] = {};
    // Per modifier (Ctrl, Shift, Alt, Win), how many held inputs need its
    // left-hand key down: through their modifier bits or as their own key.
    uint8_t modifierHolds[kModifierCount] = {};
    // The first input pressed this tick while a dialog is open; -1 for none.
    int32_t dialogPressedSlot = -1;
    // Per virtual key, the scan code its events carry; filled at start-up.
    uint16_t keyScanCodes[kVirtualKeyCount] = {};

    // Window and menu handles
    HWND hwndMain = nullptr;
    HWND hwndDialog = nullptr;
    int32_t mappingDialogSlot = 0; // the slot the open Map Buttons dialog edits
    HMENU mainMenu = nullptr;
    HMENU controllerMenu = nullptr;
    HMENU triggerMenu = nullptr;
    HMENU mouseSpeedMenu = nullptr;
    HMENU triggerGroup1Menu = nullptr;
    HMENU triggerGroup2Menu = nullptr;
    HMENU triggerGroup3Menu = nullptr;
    HMENU windowSizeMenu = nullptr;
    HMENU deadZoneMenu = nullptr;
    HMENU pollRateMenu = nullptr;
    HMENU programMenu = nullptr;         // "In <program>": the remembered program's settings
    int32_t mappingDialogForProgram = 0; // the open Map Buttons dialog edits the program's table

    // Settings, kept in the registry
    uint32_t triggerModes = 0;
    int32_t mouseSpeed = 0;
    int32_t mouseCurve = 0;
    int32_t windowScale = 0;
    int32_t windowX = 0;
    int32_t windowY = 0;
    int32_t windowHidden = 0; // kept as "Hidden": the window is hidden, Tavlor lives in the tray
    int32_t deadZone = kDeadZones[0];
    int32_t pollRate = kPollRates[0];

    // Window and engine status
    int32_t styleFrameless = 0;
    int32_t viewDirty = 1;
    int32_t rediscoveryMs = 0;      // time without any controller
    int32_t discoveryCountdown = 0; // ms until a scheduled discovery; 0 none
    int32_t discoveryDeadline = 0;  // ms until it runs however busy the devices; 0 none
    int32_t windowActive = 0;
    int32_t controllerCount = 0;
    int32_t mouseController = 0;

    // Pause and the program in front
    int32_t paused = 0;              // the Pause switch (menu, hotkey); never stored
    int32_t pauseShown = 0;          // the pause the title and view show now
    int32_t pauseHotkeyReady = 0;    // 1 when Ctrl+Alt+P is Tavlor's
    HWND foregroundWindow = nullptr; // the foreground window the last tick saw
    uint32_t foregroundProcess = 0;  // its process id; 0 for no window
    // The last program in front other than Tavlor, which the menu speaks of,
    // and whether it is in front now (0 while Tavlor or an unknown one is).
    ProgramSettings program = {};
    int32_t programInFront = 0;
    // The program in front runs at a higher integrity level than Tavlor, so
    // Windows drops what Tavlor would inject into it.
    int32_t programUnreachable = 0;

    // The notification area and the rights Tavlor runs with
    int32_t elevated = 0;          // Tavlor runs as administrator
    uint32_t ownIntegrity = 0;     // Tavlor's integrity level
    int32_t startsWithWindows = 0; // the Run value names this exe; read as the menu opens
    uint32_t taskbarCreatedMessage = 0;
    int32_t trayAdded = 0;
    int32_t trayGrey = 0; // the icon shown is the paused one
    wchar_t trayTip[kTrayTipChars] = {};
    HICON trayIcons[2] = {}; // running, paused
    HBITMAP shieldBitmap = nullptr;

    // The clock above 50 polls a second: a waitable timer on a thread of its
    // own, which wakes the window with one message at a time.
    PollClock pollClock = {};

    // Tables
    InputSlot inputTable[kInputCount] = {};
    ControllerInfo controllers[kControllerSlots] = {};
    ControllerProfile profiles[kControllerSlots] = {};
    int32_t activeController = 0;

    AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    static JOYINFOEX initialJoyInfo();
};

// The one AppState of the process. Valid once wWinMain has created it.
AppState& appState();

// Builds the process-wide record on first use and publishes it to appState().
AppState& createAppState();

// Points appState() at another record; the unit tests use this for a fresh state.
void publishAppState(AppState* state);

// Sets the four axes and the five input bit sets to zero.
void clearEngineState();

// Whether Tavlor is paused: by the Pause switch, or because the program in
// front asks for a pause.
bool emulationPaused(const AppState& s);

// Whether the program in front runs above Tavlor, out of its reach.
bool programOutOfReach(const AppState& s);

// Whether no key, click, motion or wheel may go out: paused, or the program
// in front is out of Tavlor's reach.
bool injectionStopped(const AppState& s);

// Whether the window should be repainted now: the view changed and the window
// is shown. A hidden window paints nothing; it renders once shown again.
bool viewNeedsPaint(const AppState& s);

// The mapping table in use for a controller slot: the program in front's own
// table for it if it has one, else the general one.
const uint8_t* mappingCodesInUse(const AppState& s, int32_t slot);
