#pragma once
#include "core/win32.h"

constexpr UINT_PTR kTickTimerId = 1;
// The tick message of the clock thread, one in the queue at a time.
constexpr UINT kClockTickMessage = WM_APP + 2;

// Starts the poll clock of appState().pollRate, after stopping the one that
// runs: a 20 ms SetTimer at 50 polls a second (Windows raises any shorter
// period to 10 ms), the clock thread for the faster rates. A thread that
// cannot start leaves Tavlor at 50 a second. False when no clock runs.
bool startPollClock(HWND window);

// Stops either clock; the thread has ended when this returns.
void stopPollClock(HWND window);

// Whether a tick message comes from the running clock thread; one left over
// from a stopped clock is no tick.
bool clockTickLive();

// The window has handled the tick: the clock thread may post the next.
void clockTickTaken();
