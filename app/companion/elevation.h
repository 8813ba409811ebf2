#pragma once
#include <cstdint>

#include "core/win32.h"

// Reads whether Tavlor runs elevated and its integrity level.
void readOwnRights();

// The integrity level of a process opened for limited query; false when its
// token cannot be read, as an elevated program's cannot by a normal one.
bool readIntegrity(HANDLE process, uint32_t& level);

// The shield as a bitmap for a menu item; null where there is none.
HBITMAP shieldBitmap();

// Starts this exe again as administrator ("runas"), telling it to wait for
// this process; once it has been created, this one closes in order. A refused
// prompt changes nothing.
void restartAsAdministrator();

// Waits up to 10 s for the process to end (a Tavlor that restarts as
// administrator and is closing).
void waitForProcessEnd(uint32_t processId);

// This exe's full path; false when it does not fit.
bool exePath(wchar_t (&path)[MAX_PATH]);
