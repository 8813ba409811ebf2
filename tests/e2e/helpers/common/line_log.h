#pragma once
// A log file that several processes append whole lines to while a test script
// reads it: every line goes out in one write, so a reader never waits on a
// buffer and never sees half a line.
#include <windows.h>

struct LineLog {
    HANDLE file = INVALID_HANDLE_VALUE;
};

bool openLineLog(LineLog& log, const wchar_t* path);
void writeLine(LineLog& log, const char* text);
void writeLineF(LineLog& log, const char* format, ...) __attribute__((format(printf, 2, 3)));
