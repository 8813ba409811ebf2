#pragma once
// A fresh state record with five present controllers (hat, full 0..65535
// ranges, stick centred), controller 0 active and no pointer controller, and a
// compact reading of the events the engine queued.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "core/app_state.h"
#include "input/controllers.h"
#include "input/emulation.h"
#include "input/engine.h"
#include "input/scan_codes.h"

constexpr uint32_t kHatCentred = 65535;

// "d41"/"u41" key 0x41 down/up; a mouse record as "f<flags>:<dx>,<dy>,<wheel>", so "f2:0,0,0"
// is a left button press where the pointer is; nothing for a record without flags.
inline std::string describe(const INPUT& e) {
    char text[40];
    if (e.type == INPUT_KEYBOARD) {
        const char dir = (e.ki.dwFlags & KEYEVENTF_KEYUP) != 0 ? 'u' : 'd';
        std::snprintf(text, sizeof text, "%c%02X", dir, unsigned{e.ki.wVk});
        return text;
    }
    std::snprintf(text, sizeof text, "f%X:%d,%d,%d", unsigned{e.mi.dwFlags}, e.mi.dx, e.mi.dy,
                  static_cast<int>(e.mi.mouseData));
    return e.mi.dwFlags == 0 ? "" : text;
}

struct Rig {
    AppState s;

    Rig() {
        publishAppState(&s);
        fillFixedScanCodes(s.keyScanCodes);
        std::fill(std::begin(s.controllers), std::end(s.controllers),
                  ControllerInfo{1, JOYCAPS_HASPOV, 12, 4, 0, 65535, 0, 65535, 0, 65535, 0, 65535});
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
        decideTick(true);
        return sent();
    }
};
