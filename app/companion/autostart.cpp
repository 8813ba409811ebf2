#include "app/companion/autostart.h"

#include <cwchar>
#include <iterator>

#include "app/companion/elevation.h"
#include "companion/companion_rules.h"
#include "core/win32.h"

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValue[] = L"Tavlor";

} // namespace

bool startsWithWindows() {
    wchar_t exe[MAX_PATH];
    wchar_t value[MAX_PATH + 32];
    DWORD size = sizeof(value);
    return exePath(exe) &&
           RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, value,
                        &size) == ERROR_SUCCESS &&
           runValueNamesExe(value, exe);
}

void setStartWithWindows(bool start) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    wchar_t exe[MAX_PATH];
    wchar_t value[MAX_PATH + 32];
    if (!start) {
        RegDeleteValueW(key, kRunValue);
    } else if (exePath(exe) && composeRunValue(exe, value, std::size(value))) {
        DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
        RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    }
    RegCloseKey(key);
}
