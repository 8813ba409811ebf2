#pragma once
// A fresh state record with five present controllers (hat, full 0..65535
// ranges, stick centred), controller 0 active and no pointer controller, and a
// compact reading of the events the engine queued.
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "input/emulation.h"
#include "input/engine.h"

constexpr uint32_t kHatCentred = 65535;

// "d41"/"u41" key down/up, "Ld".."Mu" mouse buttons, "m<dx>,<dy>" and "w<wheel>".
inline std::string describe(const INPUT& e) {
    char text[40] = "?";
    if (e.type == INPUT_KEYBOARD) {
        char dir = e.ki.dwFlags == 0 ? 'd' : (e.ki.dwFlags == KEYEVENTF_KEYUP ? 'u' : '?');
        std::snprintf(text, sizeof text, "%c%02X", dir, unsigned{e.ki.wVk});
        return text;
    }
    const std::pair<DWORD, const char*> buttons[] = {
        {MOUSEEVENTF_LEFTDOWN, "Ld"}, {MOUSEEVENTF_LEFTUP, "Lu"},     {MOUSEEVENTF_RIGHTDOWN, "Rd"},
        {MOUSEEVENTF_RIGHTUP, "Ru"},  {MOUSEEVENTF_MIDDLEDOWN, "Md"}, {MOUSEEVENTF_MIDDLEUP, "Mu"}};
    for (const auto& [flag, name] : buttons) {
        if (e.mi.dwFlags == flag) {
            return name;
        }
    }
    std::string out;
    if ((e.mi.dwFlags & MOUSEEVENTF_MOVE) != 0) {
        std::snprintf(text, sizeof text, "m%d,%d", e.mi.dx, e.mi.dy);
        out += text;
    }
    if ((e.mi.dwFlags & MOUSEEVENTF_WHEEL) != 0) {
        std::snprintf(text, sizeof text, "w%d", static_cast<int>(e.mi.mouseData));
        out += text;
    }
    return out;
}

struct Rig {
    AppState s;

    Rig() {
        publishAppState(&s);
        for (ControllerInfo& c : s.controllers) {
            c = {1, JOYCAPS_HASPOV, 12, 4, 0, 65535, 0, 65535, 0, 65535, 0, 65535};
        }
        s.controllerCount = kControllerSlots;
        s.mouseController = -1;
        s.joyInfo.dwXpos = s.joyInfo.dwYpos = s.joyInfo.dwZpos = s.joyInfo.dwRpos = 32767;
    }

    // The events queued since the last look, space-separated; the queue is emptied.
    std::string sent() {
        std::string out;
        for (int i = 0; i < s.pendingInputCount; ++i) {
            out += (i == 0 ? "" : " ") + describe(s.pendingInputs[i]);
        }
        s.pendingInputCount = 0;
        return out;
    }

    // One answered poll with these buttons and hat angle.
    std::string tick(uint32_t buttons, uint32_t pov = kHatCentred) {
        s.joyInfo.dwButtons = buttons;
        s.joyInfo.dwPOV = pov;
        runEngineTick(true);
        return sent();
    }
};
