#include "mapping/settings_store.h"

#include "core/app_state.h"
#include "core/win32.h"
#include "mapping/program_rules.h"
#include "mapping/settings_rules.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Kelvarin\\Tavlor";
// Each program's settings live in a key of its file name under this one.
const wchar_t kProgramsKey[] = L"Software\\Kelvarin\\Tavlor\\Programs";

HKEY openForReading(const wchar_t* path = kSettingsKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

HKEY openForWriting(const wchar_t* path = kSettingsKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

// The remembered program's own key: opened below the Programs key, so that
// the name is one key's name and nothing else; null when there is none.
HKEY openProgramKey(bool writing) {
    const wchar_t* name = appState().program.name;
    HKEY programs = writing ? openForWriting(kProgramsKey) : openForReading(kProgramsKey);
    if (programs == nullptr || name[0] == 0) {
        if (programs != nullptr) {
            RegCloseKey(programs);
        }
        return nullptr;
    }
    HKEY key = nullptr;
    LSTATUS opened = writing ? RegCreateKeyExW(programs, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_WRITE, nullptr, &key, nullptr)
                             : RegOpenKeyExW(programs, name, 0, KEY_QUERY_VALUE, &key);
    RegCloseKey(programs);
    return opened == ERROR_SUCCESS ? key : nullptr;
}

// A value larger than its field fails with ERROR_MORE_DATA, and the buffer of
// a query that failed holds nothing usable, so only a successful read counts.
bool readValue(HKEY key, const StoredValue& value) {
    BYTE scratch[kMappingBytes];
    DWORD size = value.size;
    if (RegQueryValueExW(key, value.name, nullptr, nullptr, scratch, &size) != ERROR_SUCCESS) {
        return false;
    }
    overlayStoredValue(value, scratch, size);
    return true;
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

// Writes one of the remembered program's values (0 its Pause, 1 + slot a
// table) as `type`, or deletes it.
constexpr DWORD kDeleteValue = REG_NONE;
void storeProgramValue(int index, DWORD type) {
    HKEY key = openProgramKey(true);
    if (key == nullptr) {
        return;
    }
    StoredValue values[kProgramValueCount];
    listProgramValues(appState(), values);
    if (type == kDeleteValue) {
        RegDeleteValueW(key, values[index].name);
    } else {
        writeValue(key, values[index], type);
    }
    RegCloseKey(key);
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

void loadProgramSettings(const wchar_t* name) {
    AppState& s = appState();
    resetProgram(s, name);
    HKEY key = openProgramKey(false);
    if (key == nullptr) {
        return;
    }
    StoredValue values[kProgramValueCount];
    listProgramValues(s, values);
    readValue(key, values[0]);
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        if (readValue(key, values[1 + slot])) {
            s.program.ownTables |= 1u << slot;
        }
    }
    RegCloseKey(key);
    settleProgram(s.program);
}

void saveProgramPause() {
    storeProgramValue(0, REG_DWORD);
}

void saveProgramTable(int slot) {
    if (slot >= 0 && slot < kProgramSlots) {
        storeProgramValue(1 + slot, REG_BINARY);
    }
}

void removeProgramTables() {
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        storeProgramValue(1 + slot, kDeleteValue);
    }
}
