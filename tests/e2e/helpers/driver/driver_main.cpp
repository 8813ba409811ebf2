// Usage: e2e_driver.exe COMMAND [ARGS...] [COMMAND [ARGS...]]...
// Runs the commands in order, prints their results on stdout, one fact per
// line, and stops at the first failing one with exit code 1 (2 for a
// malformed command line). Run without arguments for the command list.
#include "driver.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>

namespace {

struct CommandGroup {
    const Command* commands;
    size_t count;
};

const CommandGroup kGroups[] = {
    {kWindowCommands, kWindowCommandCount},     {kMessageCommands, kMessageCommandCount},
    {kInputCommands, kInputCommandCount},       {kMenuCommands, kMenuCommandCount},
    {kJoystickCommands, kJoystickCommandCount}, {kDialogCommands, kDialogCommandCount},
    {kViewCommands, kViewCommandCount},         {kPlacementCommands, kPlacementCommandCount},
};

const Command* findCommand(const wchar_t* name) {
    for (const CommandGroup& group : kGroups) {
        for (size_t i = 0; i < group.count; ++i) {
            if (std::wcscmp(group.commands[i].name, name) == 0)
                return &group.commands[i];
        }
    }
    return nullptr;
}

void printUsage() {
    std::fprintf(stderr, "usage: e2e_driver.exe COMMAND [ARGS...] [COMMAND [ARGS...]]...\n");
    for (const CommandGroup& group : kGroups) {
        for (size_t i = 0; i < group.count; ++i)
            std::fprintf(stderr, "  %-13s %s\n", narrow(group.commands[i].name).c_str(),
                         group.commands[i].usage);
    }
}

} // namespace

bool fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::fprintf(stderr, "e2e_driver: ");
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    va_end(args);
    return false;
}

bool needTarget(const DriverContext& context) {
    if (context.target != nullptr && IsWindow(context.target))
        return true;
    return fail("no target window (run wait-window first)");
}

int wmain(int argc, wchar_t** argv) {
    // Test scripts read this output on Linux: no carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        printUsage();
        return 2;
    }
    DriverContext context;
    for (int i = 1; i < argc;) {
        const Command* command = findCommand(argv[i]);
        if (command == nullptr) {
            fail("unknown command '%s'", narrow(argv[i]).c_str());
            printUsage();
            return 2;
        }
        if (i + command->argumentCount >= argc) {
            fail("%s needs: %s", narrow(command->name).c_str(), command->usage);
            return 2;
        }
        Arguments args(argv + i + 1, argv + i + 1 + command->argumentCount);
        if (!command->run(context, args))
            return 1;
        i += 1 + command->argumentCount;
    }
    return 0;
}
