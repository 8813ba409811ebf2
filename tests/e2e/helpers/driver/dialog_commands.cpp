// The program's modal dialogs, read and operated from outside: finding one,
// reading its drop-down lists and texts, choosing list items by name,
// pressing and clicking its buttons and asking which control has the focus.
// Everything goes through messages that Windows (and Wine) carry across
// processes: CB_GETCOUNT, CB_GETCURSEL, CB_GETLBTEXT, CB_GETITEMDATA,
// CB_FINDSTRINGEXACT, CB_SETCURSEL, WM_GETTEXT and BM_CLICK.
#include "driver.h"

#include <cstdio>

namespace {

constexpr int kFirstList = 1004;
constexpr int kLastList = 1019;
constexpr UINT kAnswerTimeoutMs = 10000;

struct DialogSearch {
    const wchar_t* title;
    HWND found;
};

bool hasClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = L"";
    return window != nullptr && GetClassNameW(window, name, 64) > 0 &&
           lstrcmpW(name, className) == 0;
}

// A visible top-level dialog (class #32770) with this title whose owner is
// the program's main window (class Tavlor).
BOOL CALLBACK matchDialog(HWND window, LPARAM data) {
    DialogSearch& search = *reinterpret_cast<DialogSearch*>(data);
    wchar_t title[256] = L"";
    if (IsWindowVisible(window) && hasClass(window, L"#32770") &&
        hasClass(GetWindow(window, GW_OWNER), L"Tavlor") &&
        GetWindowTextW(window, title, 256) > 0 && lstrcmpW(title, search.title) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// SendMessage that cannot hang the driver on a stuck dialog.
bool ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &result))
        return false;
    answer = static_cast<LRESULT>(result);
    return true;
}

bool parseControlId(const std::wstring& text, int& id) {
    long long number = 0;
    if (!parseInteger(text, number) || number < 0 || number > 0xFFFF)
        return fail("bad control id '%s'", narrow(text).c_str());
    id = static_cast<int>(number);
    return true;
}

bool findControl(const DriverContext& context, int id, HWND& control) {
    if (!needTarget(context))
        return false;
    control = GetDlgItem(context.target, id);
    if (control == nullptr)
        return fail("the dialog has no control %d", id);
    return true;
}

// Carriage returns and line feeds as \r and \n, so that a text is one line.
std::string escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return narrow(out);
}

bool itemText(HWND list, LRESULT index, std::wstring& text) {
    LRESULT length = 0;
    if (!ask(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, length) || length == CB_ERR)
        return false;
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!ask(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0]),
             copied) ||
        copied == CB_ERR)
        return false;
    buffer.resize(static_cast<size_t>(copied));
    text = buffer;
    return true;
}

bool waitDialog(DriverContext& context, const Arguments& args) {
    long long seconds = 0;
    if (!parseInteger(args[1], seconds))
        return fail("wait-dialog: bad timeout");
    DialogSearch search = {args[0].c_str(), nullptr};
    bool found = waitUntil(static_cast<double>(seconds), [&] {
        search.found = nullptr;
        EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (!found)
        return fail("no visible dialog '%s' owned by the Tavlor window within %lld s",
                    narrow(args[0]).c_str(), seconds);
    // The dialog shows itself during WM_INITDIALOG, before it centres itself
    // and before its first control gets the focus. A message sent from here is
    // answered only once its thread waits for messages again: in the modal loop.
    LRESULT ignored = 0;
    if (!ask(search.found, WM_NULL, 0, 0, ignored))
        return fail("the dialog did not answer WM_NULL");
    context.target = search.found;
    std::printf("dialog %p owner %p\n", static_cast<void*>(search.found),
                static_cast<void*>(GetWindow(search.found, GW_OWNER)));
    return true;
}

// One line per list 1004..1019: its item count, selection and selected text.
bool printLists(DriverContext& context, const Arguments&) {
    for (int id = kFirstList; id <= kLastList; ++id) {
        HWND list = nullptr;
        if (!findControl(context, id, list))
            return false;
        LRESULT count = 0, selection = 0;
        if (!ask(list, CB_GETCOUNT, 0, 0, count) || !ask(list, CB_GETCURSEL, 0, 0, selection))
            return fail("list %d did not answer", id);
        std::wstring text;
        if (selection != CB_ERR && !itemText(list, selection, text))
            return fail("list %d: item %lld has no readable text", id,
                        static_cast<long long>(selection));
        std::printf("list %d count=%lld sel=%lld text=%s\n", id, static_cast<long long>(count),
                    static_cast<long long>(selection), narrow(text).c_str());
    }
    return true;
}

// Every item of one list with its data: "item INDEX DATA TEXT".
bool printItems(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND list = nullptr;
    if (!parseControlId(args[0], id) || !findControl(context, id, list))
        return false;
    LRESULT count = 0;
    if (!ask(list, CB_GETCOUNT, 0, 0, count) || count == CB_ERR)
        return fail("list %d did not answer CB_GETCOUNT", id);
    std::printf("items %d %lld\n", id, static_cast<long long>(count));
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text;
        LRESULT data = 0;
        if (!itemText(list, i, text) || !ask(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0, data))
            return fail("list %d: item %lld unreadable", id, static_cast<long long>(i));
        std::printf("item %lld %lld %s\n", static_cast<long long>(i), static_cast<long long>(data),
                    narrow(text).c_str());
    }
    return true;
}

// Chooses the item whose text is exactly NAME, as a user picking it from the
// drop-down would: selection, then the list's CBN_SELCHANGE to the dialog.
bool selectItem(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND list = nullptr;
    if (!parseControlId(args[0], id) || !findControl(context, id, list))
        return false;
    LRESULT index = 0, set = 0, now = 0, ignored = 0;
    if (!ask(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
             reinterpret_cast<LPARAM>(args[1].c_str()), index))
        return fail("list %d did not answer CB_FINDSTRINGEXACT", id);
    if (index == CB_ERR)
        return fail("list %d has no item '%s'", id, narrow(args[1]).c_str());
    if (!ask(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, set) ||
        !ask(list, CB_GETCURSEL, 0, 0, now) || now != index)
        return fail("list %d: item %lld could not be selected", id, static_cast<long long>(index));
    ask(context.target, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list),
        ignored);
    std::printf("selected %d %lld %s\n", id, static_cast<long long>(index),
                narrow(args[1]).c_str());
    return true;
}

bool printText(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND control = nullptr;
    if (!parseControlId(args[0], id) || !findControl(context, id, control))
        return false;
    wchar_t text[1024] = L"";
    LRESULT length = 0;
    if (!ask(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), length))
        return fail("control %d did not answer WM_GETTEXT", id);
    std::printf("text %d %s\n", id, escaped(text).c_str());
    return true;
}

// BM_CLICK: the button's own press and release, answered before this returns.
bool pressButton(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND button = nullptr;
    LRESULT ignored = 0;
    if (!parseControlId(args[0], id) || !findControl(context, id, button))
        return false;
    if (!ask(button, BM_CLICK, 0, 0, ignored))
        return fail("button %d did not answer BM_CLICK", id);
    std::printf("pressed %d\n", id);
    return true;
}

// A real left click (SendInput) in the middle of a control.
bool clickControl(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND control = nullptr;
    if (!parseControlId(args[0], id) || !findControl(context, id, control))
        return false;
    RECT rect = {};
    GetWindowRect(control, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (!SetCursorPos(centre.x, centre.y))
        return fail("SetCursorPos failed");
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    inputs[0].mi.dwExtraInfo = inputs[1].mi.dwExtraInfo = kDriverInputTag;
    if (SendInput(2, inputs, sizeof(INPUT)) != 2)
        return fail("SendInput failed (%lu)", GetLastError());
    std::printf("clicked %d %ld %ld\n", id, centre.x, centre.y);
    return true;
}

bool threadInfo(HWND window, GUITHREADINFO& info) {
    info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) != FALSE;
}

// The control that has the keyboard focus in the dialog's thread.
bool printFocus(DriverContext& context, const Arguments&) {
    GUITHREADINFO info = {};
    if (!needTarget(context))
        return false;
    if (!threadInfo(context.target, info))
        return fail("GetGUIThreadInfo failed (%lu)", GetLastError());
    wchar_t name[64] = L"";
    if (info.hwndFocus != nullptr)
        GetClassNameW(info.hwndFocus, name, 64);
    std::printf("focus %d %s active %d\n",
                info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0, narrow(name).c_str(),
                info.hwndActive == context.target ? 1 : 0);
    return true;
}

// Waits until control ID of the dialog has the keyboard focus: keys typed
// before it have been handled, since the focus moves in input order.
bool waitFocus(DriverContext& context, const Arguments& args) {
    int id = 0;
    HWND control = nullptr;
    long long seconds = 0;
    if (!parseControlId(args[0], id) || !findControl(context, id, control))
        return false;
    if (!parseInteger(args[1], seconds))
        return fail("wait-focus: bad timeout");
    GUITHREADINFO info = {};
    if (!waitUntil(static_cast<double>(seconds),
                   [&] { return threadInfo(context.target, info) && info.hwndFocus == control; }))
        return fail("control %d did not get the focus within %lld s (focus: %d)", id, seconds,
                    info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
    std::printf("focus %d\n", id);
    return true;
}

} // namespace

const Command kDialogCommands[] = {
    {L"wait-dialog", 2,
     "TITLE SECONDS  wait for a visible dialog with this title owned by the Tavlor window; it "
     "becomes the target",
     waitDialog},
    {L"dialog-lists", 0, "lists 1004..1019: 'list ID count=N sel=I text=SELECTED'", printLists},
    {L"dialog-items", 1, "ID  every item of a list: 'item INDEX DATA TEXT'", printItems},
    {L"dialog-select", 2, "ID NAME  select the item named exactly NAME in a list", selectItem},
    {L"dialog-text", 1, "ID  a control's text ('\\r', '\\n' for line breaks)", printText},
    {L"dialog-press", 1, "ID  press a button with BM_CLICK", pressButton},
    {L"dialog-click", 1, "ID  left-click the middle of a control (SendInput)", clickControl},
    {L"dialog-focus", 0, "the focused control's id and class, and whether the dialog is active",
     printFocus},
    {L"wait-focus", 2, "ID SECONDS  wait until control ID of the dialog has the keyboard focus",
     waitFocus},
};
const size_t kDialogCommandCount = sizeof kDialogCommands / sizeof kDialogCommands[0];
