#include "fake_win32.h"

#include "fake_registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

FakeWin32* gFake = nullptr;

// The maximum number of GetMessageW calls on an empty queue before a test is
// taken to have hung in the message loop.
constexpr int kMaxEmptyGets = 100;

void record(const char* name, int64_t a0 = 0, int64_t a1 = 0, int64_t a2 = 0, int64_t a3 = 0,
            int64_t a4 = 0, int64_t a5 = 0, int64_t a6 = 0) {
    FakeWin32& f = fakeWin32();
    if (f.callCount < kFakeMaxCalls) {
        f.calls[f.callCount++] = {name, {a0, a1, a2, a3, a4, a5, a6}};
    }
}

int64_t asInt(const void* pointer) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer)); }

HWND windowHandle(int index) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1000 + index)); }

template <typename Handle> Handle fakeHandle(uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

LRESULT callWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr || window->proc == nullptr) {
        return 0;
    }
    return window->proc(hwnd, message, wParam, lParam);
}

constexpr uintptr_t kDwmModule = 0xD000;
constexpr uintptr_t kResourceInfo = 0xE000;
constexpr uintptr_t kResourceData = 0xE100;

HRESULT fakeDwmExtendFrame(HWND hwnd, const MARGINS* margins) {
    record("DwmExtendFrameIntoClientArea", asInt(hwnd), margins->cxLeftWidth, margins->cxRightWidth,
           margins->cyTopHeight, margins->cyBottomHeight);
    return fakeWin32().dwmResult;
}

} // namespace

FakeWin32& fakeWin32() {
    if (gFake == nullptr) {
        gFake = new FakeWin32();
    }
    return *gFake;
}

void resetFakeWin32() {
    FakeWin32& f = fakeWin32();
    f.~FakeWin32();
    new (&f) FakeWin32();
    resetFakeRegistry();
}

const FakeCall* findCall(const char* name, int nth) {
    int index = callIndex(name, nth);
    return index < 0 ? nullptr : &fakeWin32().calls[index];
}

int callIndex(const char* name, int nth) {
    FakeWin32& f = fakeWin32();
    for (int i = 0; i < f.callCount; ++i) {
        if (std::strcmp(f.calls[i].name, name) == 0 && nth-- == 0) {
            return i;
        }
    }
    return -1;
}

int countCalls(const char* name) {
    int count = 0;
    while (callIndex(name, count) >= 0) {
        ++count;
    }
    return count;
}

FakeWindow* fakeWindow(HWND hwnd) {
    FakeWin32& f = fakeWin32();
    intptr_t index = reinterpret_cast<intptr_t>(hwnd) - 0x1000;
    if (index < 0 || index >= f.windowCount) {
        return nullptr;
    }
    return &f.windows[index];
}

void fakePost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FakeWin32& f = fakeWin32();
    if (f.queueTail - f.queueHead < kFakeMaxMessages) {
        f.queue[f.queueTail++ % kFakeMaxMessages] = {hwnd, message, wParam, lParam};
    }
}

// kernel32

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    record("FindResourceW", asInt(module), asInt(name), asInt(type));
    return fakeWin32().findResourceFails ? nullptr : fakeHandle<HRSRC>(kResourceInfo);
}

HGLOBAL LoadResource(HMODULE module, HRSRC info) {
    record("LoadResource", asInt(module), asInt(info));
    return fakeWin32().loadResourceFails ? nullptr : fakeHandle<HGLOBAL>(kResourceData);
}

LPVOID LockResource(HGLOBAL data) {
    record("LockResource", asInt(data));
    return fakeWin32().lockResourceFails ? nullptr : fakeWin32().picture;
}

HMODULE LoadLibraryW(LPCWSTR name) {
    record("LoadLibraryW", asInt(name));
    return fakeWin32().dwmLibraryMissing ? nullptr : fakeHandle<HMODULE>(kDwmModule);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    record("GetProcAddress", asInt(module), asInt(name));
    if (fakeWin32().dwmFunctionMissing || std::strcmp(name, "DwmExtendFrameIntoClientArea") != 0) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&fakeDwmExtendFrame));
}

BOOL FreeLibrary(HMODULE module) {
    record("FreeLibrary", asInt(module));
    return TRUE;
}

// user32: classes, windows and messages

ATOM RegisterClassW(const WNDCLASSW* wc) {
    record("RegisterClassW", wc->style, asInt(wc->hIcon), asInt(wc->hCursor),
           asInt(wc->hbrBackground), asInt(wc->lpszMenuName), wc->cbClsExtra, wc->cbWndExtra);
    if (fakeWin32().registerClassFails) {
        return 0;
    }
    fakeWin32().classProc = wc->lpfnWndProc;
    return 1;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR, LPCWSTR, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE, LPVOID param) {
    record("CreateWindowExW", exStyle, style, x, y, width, height,
           asInt(parent) | asInt(menu) | asInt(param));
    FakeWin32& f = fakeWin32();
    if (f.createWindowFails || f.windowCount >= kFakeMaxWindows) {
        return nullptr;
    }
    HWND hwnd = windowHandle(f.windowCount);
    f.windows[f.windowCount++] = {true, f.classProc, {x, y, x + width, y + height},
                                  static_cast<LONG>(style)};
    if (callWindowProc(hwnd, WM_CREATE, 0, 0) == -1) {
        fakeWindow(hwnd)->alive = false;
        return nullptr;
    }
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    record("DestroyWindow", asInt(hwnd));
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr || !window->alive) {
        return FALSE;
    }
    callWindowProc(hwnd, WM_DESTROY, 0, 0);
    window->alive = false;
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int show) {
    record("ShowWindow", asInt(hwnd), show);
    return FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    record("UpdateWindow", asInt(hwnd));
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    record("InvalidateRect", asInt(hwnd), asInt(rect), erase);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    record("GetWindowRect", asInt(hwnd));
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    *rect = window->rect;
    return TRUE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    record("GetWindowPlacement", asInt(hwnd));
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr || fakeWin32().windowPlacementFails) {
        return FALSE;
    }
    placement->showCmd = fakeWin32().placementShowCmd;
    placement->rcNormalPosition = window->rect;
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    record("SetWindowPos", asInt(hwnd), asInt(insertAfter), x, y, cx, cy, flags);
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    RECT& r = window->rect;
    if ((flags & SWP_NOMOVE) == 0) {
        r = {x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        r.right = r.left + cx;
        r.bottom = r.top + cy;
    }
    return TRUE;
}

LONG GetWindowLongW(HWND hwnd, int index) {
    record("GetWindowLongW", asInt(hwnd), index);
    FakeWindow* window = fakeWindow(hwnd);
    return window != nullptr && index == GWL_STYLE ? window->style : 0;
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    record("SetWindowLongW", asInt(hwnd), index, value);
    FakeWindow* window = fakeWindow(hwnd);
    if (window == nullptr || index != GWL_STYLE) {
        return 0;
    }
    LONG previous = window->style;
    window->style = value;
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    record("GetWindowLongPtrW", asInt(hwnd), index);
    return 0;
}

HWND GetParent(HWND hwnd) {
    record("GetParent", asInt(hwnd));
    return nullptr;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    record("DefWindowProcW", asInt(hwnd), message, static_cast<int64_t>(wParam), lParam);
    return message == WM_NCHITTEST ? fakeWin32().hitTestResult : fakeWin32().defaultResult;
}

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
    FakeWin32& f = fakeWin32();
    if (f.queueHead < f.queueTail) {
        const FakeMessage& m = f.queue[f.queueHead++ % kFakeMaxMessages];
        *msg = {m.hwnd, m.message, m.wParam, m.lParam, 0, {0, 0}};
        return m.message == WM_QUIT ? 0 : 1;
    }
    if (f.quitPosted) {
        f.quitPosted = false;
        *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(f.quitCode), 0, 0, {0, 0}};
        return 0;
    }
    if (++f.emptyGets > kMaxEmptyGets) {
        std::fprintf(stderr, "fake GetMessageW: the message loop waits on an empty queue\n");
        std::abort();
    }
    return -1;
}

BOOL TranslateMessage(const MSG* msg) {
    record("TranslateMessage", msg->message);
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    record("DispatchMessageW", asInt(msg->hwnd), msg->message);
    return callWindowProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    record("PostMessageW", asInt(hwnd), message, static_cast<int64_t>(wParam), lParam);
    fakePost(hwnd, message, wParam, lParam);
    return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    record("SendMessageW", asInt(hwnd), message, static_cast<int64_t>(wParam), lParam);
    if (FakeCombo* list = fakeComboOf(hwnd)) {
        return fakeComboMessage(*list, message, wParam, lParam);
    }
    return callWindowProc(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    record("PostQuitMessage", exitCode);
    fakeWin32().quitPosted = true;
    fakeWin32().quitCode = exitCode;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    record("SetTimer", asInt(hwnd), static_cast<int64_t>(id), elapse,
           asInt(reinterpret_cast<void*>(proc)));
    return fakeWin32().setTimerResult;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    record("KillTimer", asInt(hwnd), static_cast<int64_t>(id));
    return TRUE;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    record("MessageBoxW", asInt(owner), asInt(text), asInt(caption), type);
    return 1;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    record("LoadIconW", asInt(instance), asInt(name));
    return fakeHandle<HICON>(0xA100);
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    record("LoadCursorW", asInt(instance), asInt(name));
    return fakeHandle<HCURSOR>(0xA200);
}

int GetSystemMetrics(int index) {
    FakeWin32& f = fakeWin32();
    switch (index) {
    case SM_CXSCREEN:
        return f.screenWidth;
    case SM_CYSCREEN:
        return f.screenHeight;
    case SM_CXVIRTUALSCREEN:
        return f.virtualWidth;
    case SM_CYVIRTUALSCREEN:
        return f.virtualHeight;
    default:
        return 0;
    }
}

BOOL SystemParametersInfoW(UINT action, UINT, LPVOID data, UINT) {
    record("SystemParametersInfoW", action);
    if (action == SPI_GETWORKAREA) {
        FakeWin32& f = fakeWin32();
        *static_cast<RECT*>(data) = {0, 0, f.screenWidth, f.screenHeight};
        return TRUE;
    }
    return FALSE;
}

UINT SendInput(UINT count, INPUT* inputs, int size) {
    FakeWin32& f = fakeWin32();
    f.sendInputCalls += 1;
    if (size != static_cast<int>(sizeof(INPUT))) {
        return 0;
    }
    for (UINT i = 0; i < count && f.inputCount < kFakeMaxInputs; ++i) {
        f.inputs[f.inputCount++] = inputs[i];
    }
    return count;
}

// gdi32 and painting

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    record("BeginPaint", asInt(hwnd));
    paint->hdc = fakeHandle<HDC>(0xB100);
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT*) {
    record("EndPaint", asInt(hwnd));
    return TRUE;
}

HDC CreateCompatibleDC(HDC dc) {
    record("CreateCompatibleDC", asInt(dc));
    return fakeHandle<HDC>(0xB200);
}

BOOL DeleteDC(HDC dc) {
    record("DeleteDC", asInt(dc));
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    record("SelectObject", asInt(dc), asInt(object));
    return fakeHandle<HGDIOBJ>(0xB300);
}

BOOL BitBlt(HDC dc, int x, int y, int cx, int cy, HDC source, int x1, int y1, DWORD rop) {
    record("BitBlt", asInt(dc), x, y, cx, cy, asInt(source), (int64_t(x1) << 32) | (y1 + 0) | 0);
    (void)rop;
    return TRUE;
}

// The bitmap handle is the pixel memory itself, so deleting it frees that.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
    record("CreateDIBSection", asInt(dc), info->bmiHeader.biWidth, info->bmiHeader.biHeight,
           usage);
    FakeWin32& f = fakeWin32();
    if (f.createDibSectionFails) {
        *bits = nullptr;
        return nullptr;
    }
    size_t bytes = size_t(info->bmiHeader.biWidth) * size_t(info->bmiHeader.biHeight) * 4;
    *bits = std::malloc(bytes);
    f.liveBitmaps += 1;
    return static_cast<HBITMAP>(*bits);
}

BOOL DeleteObject(HGDIOBJ object) {
    record("DeleteObject", asInt(object));
    if (object == nullptr) {
        return FALSE;
    }
    std::free(object);
    fakeWin32().liveBitmaps -= 1;
    return TRUE;
}

// comctl32

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    record("InitCommonControlsEx", init->dwSize, init->dwICC);
    return fakeWin32().initCommonControlsFails ? FALSE : TRUE;
}

HWND fakeBareWindow(RECT rect, LONG style) {
    FakeWin32& f = fakeWin32();
    HWND hwnd = windowHandle(f.windowCount);
    f.windows[f.windowCount++] = {true, nullptr, rect, style};
    return hwnd;
}

// Dialogs: the procedure is recorded, not run; tests drive dialog procedures directly.

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR resource, HWND owner, DLGPROC procedure,
                        LPARAM param) {
    record("DialogBoxParamW", asInt(instance), asInt(resource), asInt(owner),
           asInt(reinterpret_cast<void*>(procedure)), param);
    return 0;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    record("EndDialog", asInt(dialog), result);
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    record("GetDlgItem", asInt(dialog), id);
    return fakeDialogControl(dialog, id);
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    record("SetDlgItemTextW", asInt(dialog), id, asInt(text));
    return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    record("SendDlgItemMessageW", asInt(dialog), id, message, static_cast<int64_t>(wParam),
           lParam);
    return fakeComboMessage(*fakeComboOf(fakeDialogControl(dialog, id)), message, wParam, lParam);
}

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show) {
    record("ShellExecuteW", asInt(owner), asInt(verb), asInt(file), asInt(parameters),
           asInt(directory), show);
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));
}
