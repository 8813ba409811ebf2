#pragma once
#include <atomic>
#include <cstdint>

#include "core/win32_types.h"

// The clock of the faster poll rates: a thread that waits on a waitable timer
// and wakes the window with one message at a time. Everything here is set
// before the thread starts and cleared after it ends; while it runs, the
// thread and the window share only tickPending.
struct PollClock {
    HANDLE thread;
    HANDLE timer;
    HANDLE stopEvent; // the thread ends
    HWND window;
    std::atomic<int32_t> tickPending; // a tick message is posted and not yet handled
};
