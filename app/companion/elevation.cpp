#include "app/companion/elevation.h"

#include <iterator>

#include "core/app_state.h"
#include "core/text.h"

namespace {

constexpr DWORD kPreviousTavlorWaitMs = 10000;

// The relative id of a token's mandatory label: 0x2000 medium, 0x3000 high.
bool tokenIntegrity(HANDLE token, uint32_t& level) {
    alignas(TOKEN_MANDATORY_LABEL)
        BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_MANDATORY_LABEL)];
    DWORD size = 0;
    if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof(buffer), &size) == FALSE) {
        return false;
    }
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return false;
    }
    level = *GetSidSubAuthority(sid, count - 1u);
    return true;
}

bool tokenElevated(HANDLE token) {
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) !=
               FALSE &&
           elevation.TokenIsElevated != 0;
}

} // namespace

void readOwnRights() {
    AppState& s = appState();
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == FALSE) {
        return;
    }
    s.elevated = tokenElevated(token) ? 1 : 0;
    uint32_t level = 0;
    if (tokenIntegrity(token, level)) {
        s.ownIntegrity = level;
    }
    CloseHandle(token);
}

bool readIntegrity(HANDLE process, uint32_t& level) {
    HANDLE token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &token) == FALSE) {
        return false;
    }
    bool read = tokenIntegrity(token, level);
    CloseHandle(token);
    return read;
}

HBITMAP shieldBitmap() {
    SHSTOCKICONINFO shield = {};
    shield.cbSize = sizeof(shield);
    if (FAILED(SHGetStockIconInfo(SIID_SHIELD, SHGSI_ICON | SHGSI_SMALLICON, &shield))) {
        return nullptr;
    }
    int width = GetSystemMetrics(SM_CXSMICON);
    int height = GetSystemMetrics(SM_CYSMICON);
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(dc, bitmap);
        DrawIconEx(dc, 0, 0, shield.hIcon, width, height, 0, nullptr, DI_NORMAL);
        SelectObject(dc, previous);
    }
    DeleteDC(dc);
    DestroyIcon(shield.hIcon);
    return bitmap;
}

void restartAsAdministrator() {
    AppState& s = appState();
    wchar_t exe[MAX_PATH];
    if (!exePath(exe)) {
        return;
    }
    wchar_t parameters[32];
    wchar_t id[12];
    DWORD pid = GetCurrentProcessId();
    size_t digits = 0;
    do {
        id[digits++] = static_cast<wchar_t>(L'0' + pid % 10);
        pid /= 10;
    } while (pid != 0);
    size_t at = appendText(parameters, std::size(parameters), 0, L"/after ");
    while (digits > 0) {
        const wchar_t digit[2] = {id[--digits], 0};
        at = appendText(parameters, std::size(parameters), at, digit);
    }
    SHELLEXECUTEINFOW run = {};
    run.cbSize = sizeof(run);
    run.fMask = SEE_MASK_NOASYNC;
    run.hwnd = s.hwndMain;
    run.lpVerb = L"runas";
    run.lpFile = exe;
    run.lpParameters = parameters;
    run.nShow = SW_SHOWNORMAL;
    // Refused (ERROR_CANCELLED) or failed: this Tavlor simply goes on.
    if (ShellExecuteExW(&run) != FALSE) {
        PostMessageW(s.hwndMain, WM_CLOSE, 0, 0);
    }
}

void waitForProcessEnd(uint32_t processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        return;
    }
    WaitForSingleObject(process, kPreviousTavlorWaitMs);
    CloseHandle(process);
}

bool exePath(wchar_t (&path)[MAX_PATH]) {
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}
