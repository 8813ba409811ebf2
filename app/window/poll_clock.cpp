#include "app/window/poll_clock.h"

#include "core/app_state.h"

namespace {

// Not in every SDK's headers yet; Windows 10 1803 and later know it.
constexpr DWORD kHighResolutionTimer = 0x2;
constexpr LONGLONG kHundredNanosecondsPerMs = 10000;

// Wakes the window at each expiry of the timer, with one tick message at a
// time: while one waits in the queue (the window is busy, or a modal loop is
// slow to take it) the expiry passes, so the window never finds a queue of
// stale ticks. Touches nothing but the clock's own handles and flag.
DWORD WINAPI runClockThread(void* parameter) {
    PollClock& clock = *static_cast<PollClock*>(parameter);
    HANDLE waitFor[] = {clock.stopEvent, clock.timer};
    while (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        if (clock.tickPending.exchange(1) == 0 &&
            PostMessageW(clock.window, kClockTickMessage, 0, 0) == FALSE) {
            clock.tickPending = 0;
        }
    }
    return 0;
}

void closeHandle(HANDLE& handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

void closeClock(PollClock& clock) {
    closeHandle(clock.thread);
    closeHandle(clock.timer);
    closeHandle(clock.stopEvent);
}

// The high-resolution timer where Windows has one; elsewhere a plain one,
// which keeps to the 1 ms resolution Tavlor asks for.
HANDLE createPeriodicTimer(LONG periodMs) {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    LARGE_INTEGER due = {};
    due.QuadPart = -periodMs * kHundredNanosecondsPerMs;
    if (timer != nullptr && SetWaitableTimer(timer, &due, periodMs, nullptr, nullptr, FALSE) == 0) {
        closeHandle(timer);
    }
    return timer;
}

bool startClockThread(PollClock& clock, HWND window, LONG periodMs) {
    clock.window = window;
    clock.timer = createPeriodicTimer(periodMs);
    clock.stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    clock.tickPending = 0;
    if (clock.timer != nullptr && clock.stopEvent != nullptr) {
        clock.thread = CreateThread(nullptr, 0, runClockThread, &clock, 0, nullptr);
    }
    if (clock.thread == nullptr) {
        closeClock(clock);
        return false;
    }
    return true;
}

} // namespace

bool startPollClock(HWND window) {
    AppState& s = appState();
    stopPollClock(window);
    if (s.pollRate != kPollRates[0] && !startClockThread(s.pollClock, window, 1000 / s.pollRate)) {
        s.pollRate = kPollRates[0];
    }
    if (s.pollRate == kPollRates[0]) {
        return SetTimer(window, kTickTimerId, kStepMs, nullptr) != 0;
    }
    return true;
}

void stopPollClock(HWND window) {
    PollClock& clock = appState().pollClock;
    KillTimer(window, kTickTimerId);
    if (clock.thread != nullptr) {
        SetEvent(clock.stopEvent);
        WaitForSingleObject(clock.thread, INFINITE);
        CancelWaitableTimer(clock.timer);
    }
    closeClock(clock);
}

bool clockTickLive() {
    return appState().pollClock.thread != nullptr;
}

void clockTickTaken() {
    appState().pollClock.tickPending = 0;
}
