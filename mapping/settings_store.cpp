#include "mapping/settings_store.h"

#include "core/app_state.h"
#include "core/win32.h"
#include "mapping/settings_rules.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Kelvarin\\Tavlor";

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

// A value larger than its field fails with ERROR_MORE_DATA, and the buffer of
// a query that failed holds nothing usable, so only a successful read counts.
void readValue(HKEY key, const StoredValue& value) {
    BYTE scratch[kMappingBytes];
    DWORD size = value.size;
    if (RegQueryValueExW(key, value.name, nullptr, nullptr, scratch, &size) == ERROR_SUCCESS) {
        overlayStoredValue(value, scratch, size);
    }
}

void writeValue(HKEY key, const StoredValue& value, DWORD type) {
    RegSetValueExW(key, value.name, 0, type, static_cast<const BYTE*>(value.field), value.size);
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
    setDefaultSettings(s, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HKEY key = openForReading();
    if (key == nullptr) {
        return;
    }
    StoredValue values[kSettingCount];
    listSettings(s, values);
    for (const StoredValue& value : values) {
        readValue(key, value);
    }
    RegCloseKey(key);
    settleSettings(s, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void saveSettings() {
    AppState& s = appState();
    captureWindowPosition(s);
    HKEY key = openForWriting();
    if (key == nullptr) {
        return;
    }
    StoredValue values[kSettingCount];
    listSettings(s, values);
    for (const StoredValue& value : values) {
        writeValue(key, value, REG_DWORD);
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
    readValue(key, profileValue(appState(), slot));
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
    writeValue(key, profileValue(appState(), slot), REG_BINARY);
    RegCloseKey(key);
}
