#include "line_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool openLineLog(LineLog& log, const wchar_t* path) {
    // FILE_APPEND_DATA alone makes every WriteFile land at the current end of
    // the file, even when another process appended in between.
    log.file =
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return log.file != INVALID_HANDLE_VALUE;
}

void writeLine(LineLog& log, const char* text) {
    if (log.file == INVALID_HANDLE_VALUE)
        return;
    char line[1024];
    int length = std::snprintf(line, sizeof line - 1, "%s", text);
    if (length < 0)
        return;
    if (length > static_cast<int>(sizeof line) - 2)
        length = static_cast<int>(sizeof line) - 2;
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(log.file, line, static_cast<DWORD>(length), &written, nullptr);
}

void writeLineF(LineLog& log, const char* format, ...) {
    char text[1000];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    writeLine(log, text);
}
