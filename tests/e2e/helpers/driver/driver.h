#pragma once
// e2e_driver: drives and inspects the program's window from a second process.
// Each command works on the target window that the last wait-window found.
#include <windows.h>

#include <string>
#include <vector>

struct DriverContext {
    HWND target = nullptr;
};

using Arguments = std::vector<std::wstring>;
using CommandFunction = bool (*)(DriverContext& context, const Arguments& args);

struct Command {
    const wchar_t* name;
    int argumentCount;
    const char* usage;
    CommandFunction run;
};

// Every input the driver injects carries this in dwExtraInfo; the recorder
// logs it as extra=0x7a5e, so the tests tell the driver's input from the
// program's whatever order or position the events arrive in.
constexpr ULONG_PTR kDriverInputTag = 0x7A5E;

// Reports a failed command on stderr; always returns false.
bool fail(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool needTarget(const DriverContext& context);

// Argument conversions; each returns false on text that is not a number.
bool parseInteger(const std::wstring& text, long long& value);
// An LPARAM given either as a number or as "X,Y" (packed as MAKELPARAM does).
bool parseLParam(const std::wstring& text, LPARAM& value);
// A message given by name (WM_CLOSE) or number.
bool parseMessage(const std::wstring& text, UINT& message);
std::string narrow(const std::wstring& text);

// Waits a bounded time, checking `done` every 20 ms.
template <typename Predicate> bool waitUntil(double seconds, Predicate done) {
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
}

extern const Command kWindowCommands[];
extern const size_t kWindowCommandCount;
extern const Command kMessageCommands[];
extern const size_t kMessageCommandCount;
extern const Command kInputCommands[];
extern const size_t kInputCommandCount;
extern const Command kMenuCommands[];
extern const size_t kMenuCommandCount;
extern const Command kJoystickCommands[];
extern const size_t kJoystickCommandCount;
extern const Command kDialogCommands[];
extern const size_t kDialogCommandCount;
extern const Command kViewCommands[];
extern const size_t kViewCommandCount;
extern const Command kPlacementCommands[];
extern const size_t kPlacementCommandCount;
