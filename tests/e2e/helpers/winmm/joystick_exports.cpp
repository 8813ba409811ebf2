// The three joystick calls of winmm.dll, played from a scenario file instead
// of real hardware. Loaded in place of the system DLL (WINEDLLOVERRIDES
// winmm=n,b with this file beside the program), it reads the scenario named by
// TAVLOR_E2E_SCENARIO on first use and appends one line per call to the file
// named by TAVLOR_E2E_JOYLOG, so a test can follow every poll as it happens.
// A scenario that waits for go counts its polls from the moment the file
// named by TAVLOR_E2E_GO exists, so a test can set up at its own pace.
#define _WINMM_
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>

#include "../common/env_path.h"
#include "../common/line_log.h"
#include "scenario.h"

namespace {

struct JoystickStandIn {
    Scenario scenario;
    LineLog log;
    uint32_t pollCount[kMaxScriptedIds] = {};
    bool unplugged[kMaxScriptedIds] = {};
    std::wstring goPath;
    bool waitingForGo = false;
};

JoystickStandIn* standIn = nullptr;
INIT_ONCE loadOnce = INIT_ONCE_STATIC_INIT;

bool readWholeFile(const std::wstring& path, std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    CloseHandle(file);
    return true;
}

std::string presentIds(const Scenario& scenario) {
    std::string ids;
    for (int id = 0; id < kMaxScriptedIds; ++id) {
        if (scenario.devices[id].present)
            ids += (ids.empty() ? "" : ",") + std::to_string(id);
    }
    return ids.empty() ? "none" : ids;
}

bool loadScenario(Scenario& scenario, LineLog& log) {
    std::wstring path;
    std::string text, error;
    if (!pathFromEnvironment(L"TAVLOR_E2E_SCENARIO", path)) {
        writeLine(log, "scenario-error TAVLOR_E2E_SCENARIO is not set");
        return false;
    }
    if (!readWholeFile(path, text)) {
        writeLine(log, "scenario-error cannot read the scenario file");
        return false;
    }
    if (!parseScenario(text, scenario, error)) {
        writeLineF(log, "scenario-error %s", error.c_str());
        return false;
    }
    writeLineF(log, "scenario loaded numdevs=%u devices=%s", scenario.numDevs,
               presentIds(scenario).c_str());
    return true;
}

// A scenario that cannot be read or parsed leaves no controller at all; the
// log says why, and the test scripts stop on such a line.
BOOL CALLBACK loadStandIn(PINIT_ONCE, PVOID, PVOID*) {
    standIn = new JoystickStandIn();
    std::wstring logPath;
    if (pathFromEnvironment(L"TAVLOR_E2E_JOYLOG", logPath))
        openLineLog(standIn->log, logPath.c_str());
    if (!loadScenario(standIn->scenario, standIn->log)) {
        standIn->scenario = Scenario();
        standIn->scenario.numDevs = 0;
    }
    if (standIn->scenario.waitsForGo) {
        standIn->waitingForGo = true;
        if (!pathFromEnvironment(L"TAVLOR_E2E_GO", standIn->goPath)) {
            writeLine(standIn->log, "scenario-error wait-for-go needs TAVLOR_E2E_GO");
            standIn->scenario = Scenario();
            standIn->scenario.numDevs = 0;
            standIn->waitingForGo = false;
        }
    }
    return TRUE;
}

// The number of this poll of `id`: 0 while the scenario still waits for go,
// otherwise counted from 1 (from the go, if it waited for one).
uint32_t nextPoll(JoystickStandIn& s, UINT id) {
    if (s.waitingForGo) {
        if (GetFileAttributesW(s.goPath.c_str()) == INVALID_FILE_ATTRIBUTES)
            return 0;
        s.waitingForGo = false;
        writeLine(s.log, "go");
    }
    return ++s.pollCount[id];
}

JoystickStandIn& state() {
    InitOnceExecuteOnce(&loadOnce, loadStandIn, nullptr, nullptr);
    return *standIn;
}

bool answers(const JoystickStandIn& s, UINT_PTR id) {
    return id < kMaxScriptedIds && id < s.scenario.numDevs && s.scenario.devices[id].present &&
           !s.unplugged[id];
}

void copyName(const std::string& name, WCHAR* target, size_t capacity) {
    size_t i = 0;
    for (; i + 1 < capacity && i < name.size(); ++i)
        target[i] = static_cast<WCHAR>(static_cast<unsigned char>(name[i]));
    target[i] = 0;
}

void fillCaps(const ScriptedDevice& device, JOYCAPSW& caps) {
    std::memset(&caps, 0, sizeof caps);
    caps.wMid = 0x045E;
    caps.wPid = 0x0028;
    copyName(device.name, caps.szPname, MAXPNAMELEN);
    caps.wXmin = device.rangeMin[AxisX];
    caps.wXmax = device.rangeMax[AxisX];
    caps.wYmin = device.rangeMin[AxisY];
    caps.wYmax = device.rangeMax[AxisY];
    caps.wZmin = device.rangeMin[AxisZ];
    caps.wZmax = device.rangeMax[AxisZ];
    caps.wRmin = device.rangeMin[AxisR];
    caps.wRmax = device.rangeMax[AxisR];
    caps.wUmin = device.rangeMin[AxisU];
    caps.wUmax = device.rangeMax[AxisU];
    caps.wVmin = device.rangeMin[AxisV];
    caps.wVmax = device.rangeMax[AxisV];
    caps.wNumButtons = device.buttonCount;
    caps.wMaxButtons = 32;
    caps.wPeriodMin = 10;
    caps.wPeriodMax = 1000;
    caps.wCaps = device.caps;
    caps.wNumAxes = device.axisCount;
    caps.wMaxAxes = 6;
}

void fillPosition(const PadState& pad, JOYINFOEX& info) {
    info.dwXpos = pad.axes[AxisX];
    info.dwYpos = pad.axes[AxisY];
    info.dwZpos = pad.axes[AxisZ];
    info.dwRpos = pad.axes[AxisR];
    info.dwUpos = pad.axes[AxisU];
    info.dwVpos = pad.axes[AxisV];
    info.dwButtons = pad.buttons;
    info.dwButtonNumber = 0;
    for (uint32_t bits = pad.buttons; bits != 0; bits &= bits - 1)
        ++info.dwButtonNumber;
    info.dwPOV = pad.pov;
    info.dwReserved1 = 0;
    info.dwReserved2 = 0;
}

} // namespace

extern "C" UINT WINAPI joyGetNumDevs(void) {
    JoystickStandIn& s = state();
    writeLineF(s.log, "numdevs %u", s.scenario.numDevs);
    return s.scenario.numDevs;
}

extern "C" MMRESULT WINAPI joyGetDevCapsW(UINT_PTR id, LPJOYCAPSW caps, UINT size) {
    JoystickStandIn& s = state();
    if (id >= s.scenario.numDevs) {
        writeLineF(s.log, "caps %u invalid size=%u", static_cast<unsigned>(id), size);
        return JOYERR_PARMS;
    }
    if (!answers(s, id)) {
        writeLineF(s.log, "caps %u fail size=%u", static_cast<unsigned>(id), size);
        return JOYERR_UNPLUGGED;
    }
    if (caps == nullptr || size < sizeof(JOYCAPSW)) {
        writeLineF(s.log, "caps %u badsize size=%u", static_cast<unsigned>(id), size);
        return MMSYSERR_INVALPARAM;
    }
    fillCaps(s.scenario.devices[id], *caps);
    writeLineF(s.log, "caps %u ok size=%u", static_cast<unsigned>(id), size);
    return JOYERR_NOERROR;
}

extern "C" MMRESULT WINAPI joyGetPosEx(UINT id, LPJOYINFOEX info) {
    JoystickStandIn& s = state();
    if (id >= kMaxScriptedIds) {
        writeLineF(s.log, "poll %u 0 invalid", id);
        return JOYERR_PARMS;
    }
    uint32_t poll = nextPoll(s, id);
    if (id >= s.scenario.numDevs) {
        writeLineF(s.log, "poll %u %u invalid", id, poll);
        return JOYERR_PARMS;
    }
    const ScriptedDevice& device = s.scenario.devices[id];
    if (device.present && device.unplugAtPoll != kNever && poll >= device.unplugAtPoll)
        s.unplugged[id] = true;
    if (!answers(s, id)) {
        writeLineF(s.log, "poll %u %u unplugged", id, poll);
        return JOYERR_UNPLUGGED;
    }
    if (info == nullptr || info->dwSize != sizeof(JOYINFOEX)) {
        writeLineF(s.log, "poll %u %u badsize size=%lu", id, poll,
                   info ? static_cast<unsigned long>(info->dwSize) : 0ul);
        return MMSYSERR_INVALPARAM;
    }
    PadState pad = stateAtPoll(device, poll);
    fillPosition(pad, *info);
    writeLineF(s.log, "poll %u %u ok flags=0x%lx buttons=0x%x pov=%u x=%u y=%u z=%u r=%u", id, poll,
               static_cast<unsigned long>(info->dwFlags), pad.buttons, pad.pov, pad.axes[AxisX],
               pad.axes[AxisY], pad.axes[AxisZ], pad.axes[AxisR]);
    return JOYERR_NOERROR;
}
