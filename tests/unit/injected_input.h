#pragma once
// Renders what SendInput received as short text, so that a test can compare a
// whole tick's worth of events at once: "K8 down", "K8 up", "LDOWN",
// "MOVE dx=28 dy=0", "WHEEL wheel=-120". Any field an event should not carry
// shows up in the text, so an exact comparison also checks that it is absent.
#include <string>

#include "fake_win32.h"

inline std::string describeInput(const INPUT& input) {
    std::string text;
    ULONG_PTR extra = 0;
    if (input.type == INPUT_KEYBOARD) {
        const KEYBDINPUT& k = input.ki;
        text = "K" + std::to_string(k.wVk) +
               (k.dwFlags == 0                 ? " down"
                : k.dwFlags == KEYEVENTF_KEYUP ? " up"
                                               : " flags=" + std::to_string(k.dwFlags));
        text += k.wScan != 0 ? " scan=" + std::to_string(k.wScan) : "";
        extra = k.time | k.dwExtraInfo;
    } else if (input.type == INPUT_MOUSE) {
        const MOUSEINPUT& m = input.mi;
        static const std::pair<DWORD, const char*> kNames[] = {
            {MOUSEEVENTF_MOVE, "MOVE"},         {MOUSEEVENTF_LEFTDOWN, "LDOWN"},
            {MOUSEEVENTF_LEFTUP, "LUP"},        {MOUSEEVENTF_RIGHTDOWN, "RDOWN"},
            {MOUSEEVENTF_RIGHTUP, "RUP"},       {MOUSEEVENTF_MIDDLEDOWN, "MDOWN"},
            {MOUSEEVENTF_MIDDLEUP, "MUP"},      {MOUSEEVENTF_WHEEL, "WHEEL"},
            {MOUSEEVENTF_ABSOLUTE, "ABSOLUTE"},
        };
        DWORD flags = m.dwFlags;
        for (const auto& [flag, name] : kNames) {
            if ((flags & flag) != 0) {
                text += (text.empty() ? "" : " ") + std::string(name);
                flags &= ~flag;
            }
        }
        if (flags != 0 || text.empty()) {
            text += (text.empty() ? "flags=" : " flags=") + std::to_string(flags);
        }
        if ((m.dwFlags & MOUSEEVENTF_MOVE) != 0 || m.dx != 0 || m.dy != 0) {
            text += " dx=" + std::to_string(m.dx) + " dy=" + std::to_string(m.dy);
        }
        if ((m.dwFlags & MOUSEEVENTF_WHEEL) != 0 || m.mouseData != 0) {
            text += " wheel=" + std::to_string(static_cast<LONG>(m.mouseData));
        }
        extra = m.time | m.dwExtraInfo;
    } else {
        return "type=" + std::to_string(input.type);
    }
    return extra != 0 ? text + " time/extra set" : text;
}

// The events recorded from index first on, joined by ", "; "" when none.
inline std::string describeInputsSince(int first) {
    const FakeWin32& f = fakeWin32();
    std::string text;
    for (int i = first; i < f.inputCount; ++i) {
        text += (i == first ? "" : ", ") + describeInput(f.inputs[i]);
    }
    return text;
}
