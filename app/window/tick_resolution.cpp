#include "app/window/tick_resolution.h"

#include "core/win32.h"

namespace {

constexpr UINT kTimerResolutionMs = 1;

// The layout and values of PROCESS_POWER_THROTTLING_STATE; the function that
// takes it exists from Windows 8 on, so it is looked up at run time.
struct PowerThrottlingState {
    ULONG version;
    ULONG controlMask;
    ULONG stateMask;
};
constexpr int kProcessPowerThrottling = 4;
constexpr ULONG kPowerThrottlingVersion = 1;
constexpr ULONG kIgnoreTimerResolution = 0x4;

using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

// Control bit set, state bit clear: the process keeps the resolution it asked
// for even while its windows cannot be seen. Silently skipped where missing.
void keepResolutionWhenHidden() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto setInformation = kernel == nullptr
                              ? nullptr
                              : reinterpret_cast<SetProcessInformationFn>(reinterpret_cast<void*>(
                                    GetProcAddress(kernel, "SetProcessInformation")));
    if (setInformation == nullptr) {
        return;
    }
    PowerThrottlingState state = {kPowerThrottlingVersion, kIgnoreTimerResolution, 0};
    setInformation(GetCurrentProcess(), kProcessPowerThrottling, &state, sizeof(state));
}

} // namespace

void beginFineTicks() {
    timeBeginPeriod(kTimerResolutionMs);
    keepResolutionWhenHidden();
}

void endFineTicks() {
    timeEndPeriod(kTimerResolutionMs);
}
