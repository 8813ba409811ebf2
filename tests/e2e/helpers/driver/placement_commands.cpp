// Moving the target window to a screen point, as a drag would leave it.
#include "driver.h"

#include <cstdio>

namespace {

// SetWindowPos on another process's window is carried out by the window's
// own thread before the call returns, so the new place holds from then on.
bool moveWindow(DriverContext& context, const Arguments& args) {
    long long x = 0, y = 0;
    if (!parseInteger(args[0], x) || !parseInteger(args[1], y))
        return fail("move-window: bad point");
    if (!needTarget(context))
        return false;
    if (!SetWindowPos(context.target, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        return fail("SetWindowPos failed (%lu)", GetLastError());
    RECT rect = {};
    GetWindowRect(context.target, &rect);
    if (rect.left != x || rect.top != y)
        return fail("the window is at %ld %ld, not at %lld %lld", rect.left, rect.top, x, y);
    std::printf("moved %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

} // namespace

const Command kPlacementCommands[] = {
    {L"move-window", 2, "X Y  move the target's top-left corner to a screen point (keeps its size)",
     moveWindow},
};
const size_t kPlacementCommandCount = sizeof kPlacementCommands / sizeof kPlacementCommands[0];
