#pragma once
#include <cstdint>

#include "core/win32_types.h"

// The clock of the faster poll rates: a thread that waits on a waitable timer
// and wakes the window with one message at a time. Everything here is set
// before the thread starts and cleared after it ends; while it runs, the two
// events are all the thread and the window hand each other.
struct PollClock {
    HANDLE thread;
    HANDLE timer;
    HANDLE stopEvent;  // manual reset: the thread ends
    HANDLE takenEvent; // the window has handled the tick message; the next may go
    HWND window;
};
