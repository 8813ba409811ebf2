#include "fake_win32.h"

namespace {

FakeJoystick& joystick() { return fakeWin32().joystick; }

bool validId(UINT_PTR id) { return id < static_cast<UINT_PTR>(kFakeJoysticks); }

} // namespace

void fakeJoystickPlug(int id, bool hasPov) {
    FakeJoystick& j = joystick();
    j.present[id] = true;
    j.pollFails[id] = false;
    JOYCAPSW& caps = j.caps[id];
    caps = {};
    caps.wXmax = caps.wYmax = caps.wZmax = caps.wRmax = 65535;
    caps.wNumButtons = 12;
    caps.wNumAxes = 4;
    caps.wCaps = hasPov ? JOYCAPS_HASPOV : 0;
    JOYINFOEX& state = j.state[id];
    state = {};
    state.dwXpos = state.dwYpos = state.dwZpos = state.dwRpos = 32768;
    state.dwPOV = JOY_POVCENTERED;
}

UINT joyGetNumDevs() { return static_cast<UINT>(joystick().numDevs); }

MMRESULT joyGetDevCapsW(UINT_PTR id, JOYCAPSW* caps, UINT size) {
    FakeJoystick& j = joystick();
    j.capsQueries += 1;
    if (!validId(id) || size != sizeof(JOYCAPSW) || !j.present[id]) {
        return JOYERR_UNPLUGGED;
    }
    *caps = j.caps[id];
    return JOYERR_NOERROR;
}

MMRESULT joyGetPosEx(UINT id, JOYINFOEX* info) {
    FakeJoystick& j = joystick();
    if (!validId(id) || info->dwSize != sizeof(JOYINFOEX) || info->dwFlags != JOY_RETURNALL) {
        return JOYERR_PARMS;
    }
    j.polls[id] += 1;
    if (!j.present[id] || j.pollFails[id]) {
        return JOYERR_UNPLUGGED;
    }
    DWORD size = info->dwSize;
    DWORD flags = info->dwFlags;
    *info = j.state[id];
    info->dwSize = size;
    info->dwFlags = flags;
    return JOYERR_NOERROR;
}
