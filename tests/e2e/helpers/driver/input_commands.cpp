// Real input through SendInput: activation, key combinations, clicks and
// pointer motion, as a user at the machine would produce them.
#include "driver.h"

#include <cstdio>
#include <cwctype>

namespace {

struct KeyName {
    const wchar_t* name;
    WORD vk;
};

const KeyName kKeyNames[] = {
    {L"alt", VK_MENU},      {L"ctrl", VK_CONTROL}, {L"shift", VK_SHIFT},    {L"win", VK_LWIN},
    {L"escape", VK_ESCAPE}, {L"esc", VK_ESCAPE},   {L"enter", VK_RETURN},   {L"return", VK_RETURN},
    {L"tab", VK_TAB},       {L"space", VK_SPACE},  {L"backspace", VK_BACK}, {L"up", VK_UP},
    {L"down", VK_DOWN},     {L"left", VK_LEFT},    {L"right", VK_RIGHT},    {L"home", VK_HOME},
    {L"end", VK_END},       {L"pageup", VK_PRIOR}, {L"pagedown", VK_NEXT},  {L"insert", VK_INSERT},
    {L"delete", VK_DELETE}, {L"apps", VK_APPS},
};

// Letters, digits, f1..f24, the names above, or vk=0xNN.
bool parseKey(const std::wstring& name, WORD& vk) {
    if (name.size() == 1 && (std::iswalpha(name[0]) || std::iswdigit(name[0]))) {
        vk = static_cast<WORD>(std::towupper(name[0]));
        return true;
    }
    long long number = 0;
    if (name.size() >= 2 && name[0] == L'f' && parseInteger(name.substr(1), number) &&
        number >= 1 && number <= 24) {
        vk = static_cast<WORD>(VK_F1 + number - 1);
        return true;
    }
    if (name.compare(0, 3, L"vk=") == 0 && parseInteger(name.substr(3), number) && number > 0 &&
        number < 256) {
        vk = static_cast<WORD>(number);
        return true;
    }
    for (const KeyName& entry : kKeyNames) {
        if (name == entry.name) {
            vk = entry.vk;
            return true;
        }
    }
    return false;
}

INPUT keyInput(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = kDriverInputTag;
    return input;
}

INPUT mouseInput(DWORD flags, LONG dx, LONG dy, DWORD data) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = kDriverInputTag;
    return input;
}

bool sendAll(std::vector<INPUT>& inputs) {
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        return fail("SendInput sent %u of %u events (%lu)", sent,
                    static_cast<unsigned>(inputs.size()), GetLastError());
    return true;
}

bool activate(DriverContext& context, const Arguments&) {
    if (!needTarget(context))
        return false;
    HWND window = context.target;
    bool active = waitUntil(10.0, [window] {
        if (GetForegroundWindow() == window)
            return true;
        SetForegroundWindow(window);
        return false;
    });
    if (!active)
        return fail("the target did not become the foreground window");
    std::printf("foreground %p\n", static_cast<void*>(window));
    return true;
}

// "alt+x": every key pressed in the order given, then released in reverse.
bool pressKeys(DriverContext&, const Arguments& args) {
    std::vector<WORD> keys;
    std::wstring combo = args[0];
    for (size_t start = 0; start <= combo.size();) {
        size_t plus = combo.find(L'+', start);
        if (plus == std::wstring::npos)
            plus = combo.size();
        WORD vk = 0;
        if (!parseKey(combo.substr(start, plus - start), vk))
            return fail("unknown key in '%s'", narrow(combo).c_str());
        keys.push_back(vk);
        start = plus + 1;
    }
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(keyInput(vk, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(keyInput(*it, true));
    if (!sendAll(inputs))
        return false;
    std::printf("keys %s\n", narrow(combo).c_str());
    return true;
}

bool parsePoint(const Arguments& args, size_t first, POINT& point) {
    long long x = 0, y = 0;
    if (!parseInteger(args[first], x) || !parseInteger(args[first + 1], y))
        return false;
    point.x = static_cast<LONG>(x);
    point.y = static_cast<LONG>(y);
    return true;
}

bool click(DriverContext&, const Arguments& args) {
    DWORD down = 0, up = 0;
    if (args[0] == L"left") {
        down = MOUSEEVENTF_LEFTDOWN;
        up = MOUSEEVENTF_LEFTUP;
    } else if (args[0] == L"right") {
        down = MOUSEEVENTF_RIGHTDOWN;
        up = MOUSEEVENTF_RIGHTUP;
    } else if (args[0] == L"middle") {
        down = MOUSEEVENTF_MIDDLEDOWN;
        up = MOUSEEVENTF_MIDDLEUP;
    } else {
        return fail("click: button must be left, right or middle");
    }
    POINT point = {};
    if (!parsePoint(args, 1, point))
        return fail("click: bad point");
    if (!SetCursorPos(point.x, point.y))
        return fail("SetCursorPos failed");
    std::vector<INPUT> inputs = {mouseInput(down, 0, 0, 0), mouseInput(up, 0, 0, 0)};
    if (!sendAll(inputs))
        return false;
    std::printf("click %s %ld %ld\n", narrow(args[0]).c_str(), point.x, point.y);
    return true;
}

bool moveTo(DriverContext&, const Arguments& args) {
    POINT point = {};
    if (!parsePoint(args, 0, point))
        return fail("move: bad point");
    if (!SetCursorPos(point.x, point.y))
        return fail("SetCursorPos failed");
    std::printf("move %ld %ld\n", point.x, point.y);
    return true;
}

bool moveBy(DriverContext&, const Arguments& args) {
    POINT delta = {};
    if (!parsePoint(args, 0, delta))
        return fail("move-by: bad distance");
    std::vector<INPUT> inputs = {mouseInput(MOUSEEVENTF_MOVE, delta.x, delta.y, 0)};
    if (!sendAll(inputs))
        return false;
    std::printf("move-by %ld %ld\n", delta.x, delta.y);
    return true;
}

bool wheel(DriverContext&, const Arguments& args) {
    long long delta = 0;
    if (!parseInteger(args[0], delta))
        return fail("wheel: bad delta");
    std::vector<INPUT> inputs = {
        mouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(static_cast<LONG>(delta)))};
    if (!sendAll(inputs))
        return false;
    std::printf("wheel %lld\n", delta);
    return true;
}

bool printCursor(DriverContext&, const Arguments&) {
    POINT point = {};
    if (!GetCursorPos(&point))
        return fail("GetCursorPos failed");
    std::printf("cursor %ld %ld\n", point.x, point.y);
    return true;
}

} // namespace

const Command kInputCommands[] = {
    {L"activate", 0, "bring the target to the foreground (waits up to 10 s)", activate},
    {L"keys", 1, "COMBO  press and release keys, e.g. alt+x, escape, ctrl+shift+f10, vk=0x41",
     pressKeys},
    {L"click", 3, "BUTTON X Y  move the pointer to a screen point and click left/right/middle",
     click},
    {L"move", 2, "X Y  put the pointer at a screen point", moveTo},
    {L"move-by", 2, "DX DY  relative pointer motion through SendInput", moveBy},
    {L"wheel", 1, "DELTA  turn the mouse wheel (120 is one notch up)", wheel},
    {L"cursor", 0, "print the pointer position", printCursor},
};
const size_t kInputCommandCount = sizeof kInputCommands / sizeof kInputCommands[0];
