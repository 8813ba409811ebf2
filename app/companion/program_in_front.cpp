#include "app/companion/program_in_front.h"

#include <cwchar>

#include "app/companion/elevation.h"
#include "companion/companion_rules.h"
#include "core/app_state.h"
#include "core/win32.h"
#include "input/controllers.h"
#include "mapping/program_rules.h"
#include "mapping/settings_store.h"

namespace {

// Longer image paths than this are rare enough to count as unknown.
constexpr DWORD kImagePathChars = 4096;

bool queryProgramName(HANDLE process, wchar_t (&name)[kProgramNameChars]) {
    wchar_t path[kImagePathChars];
    DWORD size = kImagePathChars;
    return QueryFullProcessImageNameW(process, 0, path, &size) != FALSE &&
           programNameFromPath(path, name);
}

void enterProgram(AppState& s, DWORD processId) {
    s.programInFront = 0;
    s.programUnreachable = 0;
    if (processId == 0 || processId == GetCurrentProcessId()) {
        return;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    wchar_t name[kProgramNameChars];
    bool named = process != nullptr && queryProgramName(process, name);
    // The remembered program stays what the menu speaks of, and while Map
    // Buttons Here is open, what that dialog edits and saves: another program
    // in front then counts as one without settings, and that program itself
    // keeps what it has, so that a table saved there is used at once.
    bool editing = s.mappingDialogForProgram != 0;
    if (!named || isShellProgram(name) || (editing && std::wcscmp(name, s.program.name) != 0)) {
        if (process != nullptr) {
            CloseHandle(process);
        }
        if (!named && !editing) {
            resetProgram(s, L"");
        }
        return;
    }
    uint32_t level = 0;
    bool levelRead = readIntegrity(process, level);
    CloseHandle(process);
    if (!editing) {
        loadProgramSettings(name);
    }
    s.programInFront = 1;
    s.programUnreachable = outOfReach(s.ownIntegrity, levelRead, level) ? 1 : 0;
}

} // namespace

void followForeground() {
    AppState& s = appState();
    HWND front = GetForegroundWindow();
    if (front == s.foregroundWindow) {
        return;
    }
    s.foregroundWindow = front;
    DWORD processId = 0;
    if (front != nullptr) {
        GetWindowThreadProcessId(front, &processId);
    }
    if (processId == s.foregroundProcess) {
        return;
    }
    s.foregroundProcess = processId;
    releaseHeldInputs();
    enterProgram(s, processId);
    s.viewDirty = 1; // the frame turns red in front of a program out of reach
}
