#include "app/program_in_front.h"

#include "core/app_state.h"
#include "core/win32.h"
#include "input/controllers.h"
#include "mapping/program_rules.h"
#include "mapping/settings_store.h"

namespace {

// Longer image paths than this are rare enough to count as unknown.
constexpr DWORD kImagePathChars = 4096;

bool queryProgramName(DWORD processId, wchar_t (&name)[kProgramNameChars]) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    wchar_t path[kImagePathChars];
    DWORD size = kImagePathChars;
    BOOL answered = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    return answered != FALSE && programNameFromPath(path, name);
}

void enterProgram(AppState& s, DWORD processId) {
    s.programInFront = 0;
    // The remembered program stays what the menu speaks of, and while Map
    // Buttons Here is open, what that dialog edits and saves: another program
    // in front then counts as one without settings.
    if (processId == 0 || processId == GetCurrentProcessId() || s.mappingDialogForProgram != 0) {
        return;
    }
    wchar_t name[kProgramNameChars];
    if (!queryProgramName(processId, name)) {
        resetProgram(s, L"");
        return;
    }
    loadProgramSettings(name);
    s.programInFront = 1;
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
}
