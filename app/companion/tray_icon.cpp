#include "app/companion/tray_icon.h"

#include <cwchar>
#include <iterator>

#include "companion/companion_rules.h"
#include "core/app_state.h"
#include "resources/resource_ids.h"

namespace {

NOTIFYICONDATAW iconData(UINT flags) {
    const AppState& s = appState();
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = s.hwndMain;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = s.trayIcons[s.trayGrey != 0 ? 1 : 0];
    std::wmemcpy(data.szTip, s.trayTip, kTrayTipChars);
    return data;
}

// The same icon with every pixel grey, alpha kept; null where it cannot be made.
HICON makeGreyIcon(HICON icon) {
    ICONINFO info = {};
    if (GetIconInfo(icon, &info) == FALSE) {
        return nullptr;
    }
    HICON grey = nullptr;
    BITMAP bitmap = {};
    if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0 &&
        bitmap.bmWidth <= 128 && bitmap.bmHeight <= 128) {
        BITMAPINFO format = {};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER),
                            bitmap.bmWidth,
                            -bitmap.bmHeight,
                            1,
                            32,
                            BI_RGB,
                            0,
                            0,
                            0,
                            0,
                            0};
        uint32_t pixels[128 * 128];
        HDC screen = GetDC(nullptr);
        int rows = GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels,
                             &format, DIB_RGB_COLORS);
        if (rows == bitmap.bmHeight) {
            greyPixels(pixels, static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
            SetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(rows), pixels, &format,
                      DIB_RGB_COLORS);
            grey = CreateIconIndirect(&info);
        }
        ReleaseDC(nullptr, screen);
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return grey;
}

void loadTrayIcons() {
    AppState& s = appState();
    if (s.trayIcons[0] != nullptr) {
        return;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    s.trayIcons[0] = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVLOR),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    s.trayIcons[1] = s.trayIcons[0] != nullptr ? makeGreyIcon(s.trayIcons[0]) : nullptr;
    if (s.trayIcons[1] == nullptr) {
        s.trayIcons[1] = s.trayIcons[0];
    }
}

} // namespace

void addTrayIcon() {
    AppState& s = appState();
    loadTrayIcons();
    updateTrayLook(s);
    NOTIFYICONDATAW data = iconData(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    // An icon the shell still has (TaskbarCreated without a restart) is kept.
    s.trayAdded =
        Shell_NotifyIconW(NIM_ADD, &data) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
}

void removeTrayIcon() {
    AppState& s = appState();
    if (s.trayAdded == 0) {
        return;
    }
    NOTIFYICONDATAW data = iconData(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
    s.trayAdded = 0;
}

void refreshTrayIcon() {
    AppState& s = appState();
    if (s.trayAdded == 0 || !updateTrayLook(s)) {
        return;
    }
    NOTIFYICONDATAW data = iconData(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}
