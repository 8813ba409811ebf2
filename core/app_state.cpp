#include "core/app_state.h"

#include <cstring>

namespace {

AppState* gAppState = nullptr;

struct SlotDefault {
    uint32_t mask;
    uint32_t delayedModeMask;
    uint32_t groupModeMask;
};

// Input order: D-pad Up, Down, Left, Right, Buttons 1 to 12.
constexpr SlotDefault kSlotDefaults[kInputCount] = {
    {kDpadUp, 0, 0},       {kDpadDown, 0, 0},     {kDpadLeft, 0, 0},     {kDpadRight, 0, 0},
    {0x001, 0x002, 0x00F}, {0x002, 0x002, 0x00F}, {0x004, 0x002, 0x00F}, {0x008, 0x002, 0x00F},
    {0x010, 0x020, 0x0F0}, {0x020, 0x020, 0x0F0}, {0x040, 0x020, 0x0F0}, {0x080, 0x020, 0x0F0},
    {0x100, 0x200, 0xF00}, {0x200, 0x200, 0xF00}, {0x400, 0x200, 0xF00}, {0x800, 0x200, 0xF00},
};
constexpr int32_t kFirstInputControlId = 1004;

// Built-in mapping codes (virtual keys; 1 is the left mouse button).
constexpr uint8_t kDefaultCodes[2][kInputCount] = {
    {0x26, 0x28, 0x25, 0x27, 0x08, 0x0D, 0xA1, 0xA3, 0xA5, 0x20, 0x01, 0x09, 0, 0, 0, 0},
    {0x68, 0x62, 0x64, 0x66, 0x60, 0x61, 0x63, 0x65, 0, 0, 0, 0, 0, 0, 0, 0},
};

struct ProfileColors {
    uint32_t highlight;
    uint32_t frame;
};

constexpr ProfileColors kProfileColors[kControllerSlots] = {
    {0xFF00FF00, 0xFF51D758}, {0xFF0F5FFF, 0xFF608DDE}, {0xFFFF0000, 0xFFC24A4B},
    {0xFFFF7F00, 0xFFC28A4B}, {0xFF6F00FF, 0xFF8251D2},
};

// The view layout in unscaled canvas pixels: the sixteen inputs in input
// order, the four frame edges, the picture's place and the whole canvas.
constexpr RECT kLayout[kLayoutRectCount] = {
    {74, 37, 111, 74},    {74, 111, 111, 148},  {37, 74, 74, 111},    {111, 74, 148, 111},
    {313, 41, 342, 70},   {350, 41, 379, 70},   {387, 41, 416, 70},   {424, 41, 453, 70},
    {313, 78, 342, 107},  {350, 78, 379, 107},  {387, 78, 416, 107},  {424, 78, 453, 107},
    {313, 115, 342, 144}, {350, 115, 379, 144}, {387, 115, 416, 144}, {424, 115, 453, 144},
    {0, 0, 494, 5},       {0, 5, 5, 180},       {489, 5, 494, 180},   {0, 180, 494, 185},
    {5, 5, 489, 180},     {0, 0, 494, 185},
};

} // namespace

AppState::AppState() {
    for (int i = 0; i < kInputCount; ++i) {
        inputTable[i] = {kSlotDefaults[i].mask, 0, kSlotDefaults[i].delayedModeMask,
                         kSlotDefaults[i].groupModeMask, kFirstInputControlId + i};
    }
    for (int k = 0; k < kControllerSlots; ++k) {
        if (k < 2) {
            std::memcpy(profiles[k].mappingCodes, kDefaultCodes[k], kInputCount);
        }
        profiles[k].highlightColor = kProfileColors[k].highlight;
        profiles[k].frameColor = kProfileColors[k].frame;
    }
    for (int i = 0; i < kLayoutRectCount; ++i) {
        layoutRects[i] = kLayout[i];
    }
}

JOYINFOEX AppState::initialJoyInfo() {
    JOYINFOEX info = {};
    info.dwSize = sizeof(JOYINFOEX);
    return info;
}

AppState& appState() {
    return *gAppState;
}

AppState& createAppState() {
    static AppState state;
    gAppState = &state;
    return state;
}

void publishAppState(AppState* state) {
    gAppState = state;
}

void clearEngineState() {
    AppState& s = appState();
    for (float& axis : s.axes) {
        axis = 0.0f;
    }
    s.inputBits = 0;
    s.previousInputBits = 0;
    s.changedBits = 0;
    s.pressedBits = 0;
    s.releasedBits = 0;
}

bool emulationPaused(const AppState& s) {
    return s.paused != 0 || (s.programInFront != 0 && s.program.pauseHere != 0);
}

bool programOutOfReach(const AppState& s) {
    return s.programInFront != 0 && s.programUnreachable != 0;
}

bool injectionStopped(const AppState& s) {
    return emulationPaused(s) || programOutOfReach(s);
}

const uint8_t* mappingCodesInUse(const AppState& s, int32_t slot) {
    bool own = s.programInFront != 0 && (s.program.ownTables & (1u << slot)) != 0;
    return own ? s.program.mappingCodes[slot] : s.profiles[slot].mappingCodes;
}

bool viewNeedsPaint(const AppState& s) {
    return s.viewDirty != 0 && s.windowHidden == 0;
}
