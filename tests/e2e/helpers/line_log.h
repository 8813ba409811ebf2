#pragma once
// Whole lines appended to a log that a test script reads while the helpers
// write: every line goes out in one write, and FILE_APPEND_DATA puts it at the
// end of the file even when another process appended in between.
#include <windows.h>

#include <string>

inline HANDLE openLog(const char* unixPath) {
    std::string path = unixPath[0] == '/' ? std::string("Z:") + unixPath : unixPath;
    return CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Microseconds of the performance counter, one clock for every process.
inline unsigned long long microsNow() {
    LARGE_INTEGER perSecond, now;
    QueryPerformanceFrequency(&perSecond), QueryPerformanceCounter(&now);
    return static_cast<unsigned long long>(now.QuadPart / (perSecond.QuadPart / 1000000));
}

inline void writeLine(HANDLE log, const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (length < 0 || length > static_cast<int>(sizeof line) - 2)
        return;
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
}
