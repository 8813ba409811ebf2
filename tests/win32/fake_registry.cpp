#include "fake_win32.h"

// The registry of the stand-in: no key exists, and nothing can be written.
// Tests of the settings store script a fuller registry.

LSTATUS RegOpenKeyExW(HKEY, LPCWSTR, DWORD, REGSAM, HKEY* result) {
    *result = nullptr;
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS RegCreateKeyExW(HKEY, LPCWSTR, DWORD, LPWSTR, DWORD, REGSAM, const void*, HKEY* result,
                        LPDWORD) {
    *result = nullptr;
    return ERROR_ACCESS_DENIED;
}

LSTATUS RegQueryValueExW(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) {
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS RegSetValueExW(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) {
    return ERROR_ACCESS_DENIED;
}

LSTATUS RegCloseKey(HKEY) { return ERROR_SUCCESS; }
