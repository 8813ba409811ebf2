#include "mapping/settings_store.h"

#include <cstring>

#include "app/app_state.h"
#include "app/main_window.h"
#include "mapping/settings_rules.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Kelvarin\\Tavlor";
constexpr int32_t kDefaultWindowX = 150;
constexpr int32_t kDefaultWindowY = 100;
constexpr int32_t kPictureWidth = 484;
constexpr int32_t kPictureHeight = 175;

const wchar_t* const kProfileValueNames[kControllerSlots] = {L"P1", L"P2", L"P3", L"P4", L"P5"};

// The six settings in the order they are read and written.
struct SettingValue {
    const wchar_t* name;
    void* field;
};

void listSettings(AppState& s, SettingValue (&values)[6]) {
    values[0] = {L"Trigger", &s.triggerModes};
    values[1] = {L"MouseSpeed", &s.mouseSpeed};
    values[2] = {L"MouseCurve", &s.mouseCurve};
    values[3] = {L"Size", &s.windowScale};
    values[4] = {L"X", &s.windowX};
    values[5] = {L"Y", &s.windowY};
}

HKEY openForReading() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

HKEY openForWriting() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

// Copies a value byte for byte over the start of a field, whatever its type.
// A value too large for the field leaves it as it was: the buffer of a query
// that does not fit holds nothing usable.
template <size_t Room> void readValue(HKEY key, const wchar_t* name, void* field) {
    BYTE scratch[Room];
    DWORD size = Room;
    if (RegQueryValueExW(key, name, nullptr, nullptr, scratch, &size) == ERROR_SUCCESS &&
        size <= Room) {
        std::memcpy(field, scratch, size);
    }
}

void bringIntoRange(AppState& s) {
    s.triggerModes = settleTriggerModes(s.triggerModes);
    s.mouseCurve = settleMouseCurve(s.mouseCurve);
    s.mouseSpeed = settleMouseSpeed(s.mouseSpeed);
    s.windowScale = clampWindowScale(s.windowScale);
    s.windowX = settlePosition(s.windowX, kPictureWidth, s.windowScale,
                               GetSystemMetrics(SM_CXVIRTUALSCREEN));
    s.windowY = settlePosition(s.windowY, kPictureHeight, s.windowScale,
                               GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// Takes the window's place unless it is minimised or mostly off the screen.
void captureWindowPosition(AppState& s) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(s.hwndMain, &placement) != FALSE &&
        placement.showCmd == SW_SHOWMINIMIZED) {
        return;
    }
    RECT window = {};
    if (GetWindowRect(s.hwndMain, &window) != FALSE && positionWorthSaving(window, s.windowScale)) {
        s.windowX = window.left;
        s.windowY = window.top;
    }
}

} // namespace

void loadSettings() {
    AppState& s = appState();
    s.mouseSpeed = 1;
    s.mouseCurve = 1;
    s.windowScale = screenScale(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    s.windowX = kDefaultWindowX;
    s.windowY = kDefaultWindowY;
    HKEY key = openForReading();
    if (key == nullptr) {
        return;
    }
    SettingValue values[6];
    listSettings(s, values);
    for (const SettingValue& value : values) {
        readValue<sizeof(int32_t)>(key, value.name, value.field);
    }
    RegCloseKey(key);
    bringIntoRange(s);
}

void saveSettings() {
    AppState& s = appState();
    captureWindowPosition(s);
    HKEY key = openForWriting();
    if (key == nullptr) {
        return;
    }
    SettingValue values[6];
    listSettings(s, values);
    for (const SettingValue& value : values) {
        RegSetValueExW(key, value.name, 0, REG_DWORD, static_cast<const BYTE*>(value.field),
                       sizeof(int32_t));
    }
    RegCloseKey(key);
}

void loadMappingTable(int slot) {
    if (slot < 0 || slot >= kControllerSlots) {
        return;
    }
    HKEY key = openForReading();
    if (key == nullptr) {
        return;
    }
    readValue<kMappingBytes>(key, kProfileValueNames[slot], appState().profiles[slot].mappingCodes);
    RegCloseKey(key);
}

void saveMappingTable(int slot) {
    if (slot < 0 || slot >= kControllerSlots) {
        return;
    }
    HKEY key = openForWriting();
    if (key == nullptr) {
        return;
    }
    RegSetValueExW(key, kProfileValueNames[slot], 0, REG_BINARY,
                   appState().profiles[slot].mappingCodes, kMappingBytes);
    RegCloseKey(key);
}
