#include "env_path.h"

#include <windows.h>

std::wstring windowsPath(const std::wstring& path) {
    std::wstring result = path;
    if (!result.empty() && result[0] == L'/')
        result.insert(0, L"Z:");
    for (wchar_t& c : result) {
        if (c == L'/')
            c = L'\\';
    }
    return result;
}

bool pathFromEnvironment(const wchar_t* name, std::wstring& path) {
    wchar_t buffer[2048];
    DWORD length = GetEnvironmentVariableW(name, buffer, sizeof buffer / sizeof buffer[0]);
    if (length == 0 || length >= sizeof buffer / sizeof buffer[0])
        return false;
    path = windowsPath(std::wstring(buffer, length));
    return true;
}
