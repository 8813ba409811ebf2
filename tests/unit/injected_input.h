#pragma once
// Renders what SendInput received as short text, so that a test can compare a
// whole tick's worth of events at once: "K8 down", "K8 up", "LDOWN",
// "MOVE dx=28 dy=0", "WHEEL wheel=-120". Any field an event should not carry
// shows up in the text, so an exact comparison also checks that it is absent.
#include <string>

#include "fake_win32.h"

inline std::string describeMouseFlags(DWORD flags) {
    static const struct {
        DWORD flag;
        const char* name;
    } kNames[] = {
        {MOUSEEVENTF_MOVE, "MOVE"},         {MOUSEEVENTF_LEFTDOWN, "LDOWN"},
        {MOUSEEVENTF_LEFTUP, "LUP"},        {MOUSEEVENTF_RIGHTDOWN, "RDOWN"},
        {MOUSEEVENTF_RIGHTUP, "RUP"},       {MOUSEEVENTF_MIDDLEDOWN, "MDOWN"},
        {MOUSEEVENTF_MIDDLEUP, "MUP"},      {MOUSEEVENTF_WHEEL, "WHEEL"},
        {MOUSEEVENTF_ABSOLUTE, "ABSOLUTE"},
    };
    std::string text;
    for (const auto& n : kNames) {
        if ((flags & n.flag) != 0) {
            text += text.empty() ? "" : " ";
            text += n.name;
            flags &= ~n.flag;
        }
    }
    if (flags != 0 || text.empty()) {
        text += (text.empty() ? "flags=" : " flags=") + std::to_string(flags);
    }
    return text;
}

inline std::string describeInput(const INPUT& input) {
    std::string text;
    if (input.type == INPUT_KEYBOARD) {
        const KEYBDINPUT& k = input.ki;
        text = "K" + std::to_string(k.wVk);
        if (k.dwFlags == 0) {
            text += " down";
        } else if (k.dwFlags == KEYEVENTF_KEYUP) {
            text += " up";
        } else {
            text += " flags=" + std::to_string(k.dwFlags);
        }
        if (k.wScan != 0) {
            text += " scan=" + std::to_string(k.wScan);
        }
        if (k.time != 0 || k.dwExtraInfo != 0) {
            text += " time/extra set";
        }
        return text;
    }
    if (input.type != INPUT_MOUSE) {
        return "type=" + std::to_string(input.type);
    }
    const MOUSEINPUT& m = input.mi;
    text = describeMouseFlags(m.dwFlags);
    if ((m.dwFlags & MOUSEEVENTF_MOVE) != 0 || m.dx != 0 || m.dy != 0) {
        text += " dx=" + std::to_string(m.dx) + " dy=" + std::to_string(m.dy);
    }
    if ((m.dwFlags & MOUSEEVENTF_WHEEL) != 0 || m.mouseData != 0) {
        text += " wheel=" + std::to_string(static_cast<LONG>(m.mouseData));
    }
    if (m.time != 0 || m.dwExtraInfo != 0) {
        text += " time/extra set";
    }
    return text;
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
