// Asks whatever winmm.dll this process loads what the joystick calls return,
// as the program would see them. Beside the scripted stand-in, this checks the
// stand-in itself.
#include "driver.h"

#include <mmsystem.h>

#include <cstdio>

namespace {

using NumDevsFunction = UINT(WINAPI*)();
using DevCapsFunction = MMRESULT(WINAPI*)(UINT_PTR, LPJOYCAPSW, UINT);
using PosExFunction = MMRESULT(WINAPI*)(UINT, LPJOYINFOEX);

struct JoystickCalls {
    NumDevsFunction numDevs;
    DevCapsFunction devCaps;
    PosExFunction posEx;
};

template <typename Function> Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool loadCalls(JoystickCalls& calls) {
    HMODULE module = LoadLibraryW(L"winmm.dll");
    if (module == nullptr)
        return fail("winmm.dll cannot be loaded (%lu)", GetLastError());
    calls.numDevs = lookUp<NumDevsFunction>(module, "joyGetNumDevs");
    calls.devCaps = lookUp<DevCapsFunction>(module, "joyGetDevCapsW");
    calls.posEx = lookUp<PosExFunction>(module, "joyGetPosEx");
    if (!calls.numDevs || !calls.devCaps || !calls.posEx)
        return fail("winmm.dll lacks a joystick call");
    return true;
}

bool probe(DriverContext&, const Arguments& args) {
    long long polls = 0;
    if (!parseInteger(args[0], polls) || polls < 0)
        return fail("joy-probe: bad poll count");
    JoystickCalls calls = {};
    if (!loadCalls(calls))
        return false;
    UINT count = calls.numDevs();
    std::printf("numdevs %u\n", count);
    for (UINT id = 0; id < 5; ++id) {
        JOYCAPSW caps = {};
        MMRESULT result = calls.devCaps(id, &caps, sizeof caps);
        if (result != JOYERR_NOERROR) {
            std::printf("caps %u error %u\n", id, result);
            continue;
        }
        std::printf("caps %u ok wCaps=0x%x buttons=%u axes=%u x=%u:%u name=%s\n", id, caps.wCaps,
                    caps.wNumButtons, caps.wNumAxes, caps.wXmin, caps.wXmax,
                    narrow(caps.szPname).c_str());
        for (long long poll = 0; poll < polls; ++poll) {
            JOYINFOEX info = {};
            info.dwSize = sizeof info;
            info.dwFlags = JOY_RETURNALL;
            result = calls.posEx(id, &info);
            if (result != JOYERR_NOERROR)
                std::printf("pos %u error %u\n", id, result);
            else
                std::printf("pos %u x=%lu y=%lu buttons=0x%lx pov=%lu\n", id, info.dwXpos,
                            info.dwYpos, info.dwButtons, info.dwPOV);
        }
    }
    return true;
}

} // namespace

const Command kJoystickCommands[] = {
    {L"joy-probe", 1,
     "POLLS  load winmm.dll, print numdevs and caps of ids 0-4 and POLLS positions of each", probe},
};
const size_t kJoystickCommandCount = sizeof kJoystickCommands / sizeof kJoystickCommands[0];
