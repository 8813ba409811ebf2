// Sending and posting arbitrary messages to the target window.
#include "driver.h"

#include <cstdio>

namespace {

struct MessageArguments {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

bool parseMessageArguments(const Arguments& args, MessageArguments& parsed) {
    long long wParam = 0;
    if (!parseMessage(args[0], parsed.message))
        return fail("unknown message '%s'", narrow(args[0]).c_str());
    if (!parseInteger(args[1], wParam) || !parseLParam(args[2], parsed.lParam))
        return fail("bad wParam or lParam");
    parsed.wParam = static_cast<WPARAM>(wParam);
    return true;
}

bool sendMessage(DriverContext& context, const Arguments& args) {
    MessageArguments m = {};
    if (!parseMessageArguments(args, m) || !needTarget(context))
        return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(context.target, m.message, m.wParam, m.lParam, SMTO_ABORTIFHUNG, 10000,
                             &result))
        return fail("message 0x%04x was not answered", m.message);
    std::printf("sent 0x%04x result %lld\n", m.message, static_cast<long long>(result));
    return true;
}

bool postMessage(DriverContext& context, const Arguments& args) {
    MessageArguments m = {};
    if (!parseMessageArguments(args, m) || !needTarget(context))
        return false;
    if (!PostMessageW(context.target, m.message, m.wParam, m.lParam))
        return fail("PostMessage failed (%lu)", GetLastError());
    std::printf("posted 0x%04x\n", m.message);
    return true;
}

bool postThreadMessage(DriverContext& context, const Arguments& args) {
    MessageArguments m = {};
    if (!parseMessageArguments(args, m) || !needTarget(context))
        return false;
    DWORD thread = GetWindowThreadProcessId(context.target, nullptr);
    if (!PostThreadMessageW(thread, m.message, m.wParam, m.lParam))
        return fail("PostThreadMessage failed (%lu)", GetLastError());
    std::printf("posted-thread 0x%04x\n", m.message);
    return true;
}

// Each WM_TIMER is handled before SendMessage returns, so after this command
// the window has run exactly that many extra ticks, whatever its own timer did.
bool sendTicks(DriverContext& context, const Arguments& args) {
    long long count = 0;
    if (!parseInteger(args[0], count) || count < 0)
        return fail("ticks: bad count");
    if (!needTarget(context))
        return false;
    for (long long i = 0; i < count; ++i) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(context.target, WM_TIMER, 1, 0, SMTO_ABORTIFHUNG, 10000, &result))
            return fail("tick %lld was not answered", i + 1);
    }
    std::printf("ticks %lld\n", count);
    return true;
}

} // namespace

const Command kMessageCommands[] = {
    {L"send", 3, "MSG WPARAM LPARAM  SendMessage (MSG by name or number, LPARAM may be X,Y)",
     sendMessage},
    {L"post", 3, "MSG WPARAM LPARAM  PostMessage to the target", postMessage},
    {L"post-thread", 3, "MSG WPARAM LPARAM  PostThreadMessage to the target's thread",
     postThreadMessage},
    {L"ticks", 1, "N  send N timer messages (WM_TIMER, id 1), each answered before the next",
     sendTicks},
};
const size_t kMessageCommandCount = sizeof kMessageCommands / sizeof kMessageCommands[0];
