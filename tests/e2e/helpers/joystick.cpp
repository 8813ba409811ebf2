// The three joystick calls of winmm.dll, played from a scenario file, and the
// timer resolution calls, logged ("timeBeginPeriod 1"). Loaded
// in place of the system DLL (winmm=n,b with this file beside the program).
// Environment: TAVLOR_E2E_SCENARIO (the file), TAVLOR_E2E_JOYLOG (one line per
// poll is appended), TAVLOR_E2E_GO (polls count only while this file exists,
// so a test sets up and changes settings at its own pace; the other polls
// repeat the last counted one, poll 0 before the first go, which no hold
// reaches).
// Scenario lines (numbers decimal or 0x hex; '#' lines are ignored):
//   device ID CAPS                        CAPS 0x10: the controller has a hat
//   hold ID FROM TO BUTTONS [POV [X [Y [R]]]]   polls FROM..TO report this
//   unplug ID POLL [BACK OTHER]           this poll and all later ones fail; with
//                                         BACK, ID answers again from poll BACK of OTHER
//   vanish ID POLL                        from this poll on, joyGetDevCapsW leaves
//                                         ID out while its polls still answer
//   stop ID POLL                          this poll of ID deletes the go file (and
//                                         logs "stop ID POLL" before the poll itself)
#define _WINMM_
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "line_log.h"

namespace {

struct Hold {
    unsigned id, from, to, buttons, pov = JOY_POVCENTERED, x = 32767, y = 32767, r = 32767;
};

struct StandIn {
    bool present[16] = {};
    unsigned caps[16] = {};
    unsigned unplugAt[16] = {};
    unsigned backAt[16] = {}, backOther[16] = {}, vanishAt[16] = {};
    unsigned polls[16] = {};
    std::vector<Hold> holds;
    std::vector<Hold> stops; // id and from
    HANDLE log = INVALID_HANDLE_VALUE;
    std::string goFile;
    bool going = false;
};

StandIn& standIn() {
    static StandIn* s = nullptr;
    if (s != nullptr)
        return *s;
    s = new StandIn();
    if (const char* path = std::getenv("TAVLOR_E2E_JOYLOG"))
        s->log = openLog(path);
    if (const char* go = std::getenv("TAVLOR_E2E_GO"))
        s->goFile = std::string("Z:") + go;
    const char* path = std::getenv("TAVLOR_E2E_SCENARIO");
    FILE* file = path ? std::fopen((std::string("Z:") + path).c_str(), "r") : nullptr;
    char line[256];
    unsigned id = 0, value = 0;
    while (file && std::fgets(line, sizeof line, file)) {
        Hold h{};
        unsigned back = 0, other = 0;
        if (std::sscanf(line, "device %i %i", &id, &value) == 2 && id < 16) {
            s->present[id] = true;
            s->caps[id] = value;
        } else if (std::sscanf(line, "unplug %i %i %i %i", &id, &value, &back, &other) >= 2 &&
                   id < 16 && other < 16) {
            s->unplugAt[id] = value;
            s->backAt[id] = back;
            s->backOther[id] = other;
        } else if (std::sscanf(line, "vanish %i %i", &id, &value) == 2 && id < 16) {
            s->vanishAt[id] = value;
        } else if (std::sscanf(line, "stop %i %i", &h.id, &h.from) == 2) {
            s->stops.push_back(h);
        } else if (std::sscanf(line, "hold %i %i %i %i %i %i %i %i", &h.id, &h.from, &h.to,
                               &h.buttons, &h.pov, &h.x, &h.y, &h.r) >= 4) {
            s->holds.push_back(h);
        } else if (line[0] != '#' && line[0] != '\n') {
            writeLine(s->log, "scenario-error %s", line);
        }
    }
    if (file)
        std::fclose(file);
    writeLine(s->log, file ? "scenario loaded" : "scenario-error cannot read %s", path);
    return *s;
}

bool answers(StandIn& s, UINT id) {
    bool back = id < 16 && s.backAt[id] != 0 && s.polls[s.backOther[id]] >= s.backAt[id];
    return id < 16 && s.present[id] && (!s.unplugAt[id] || s.polls[id] < s.unplugAt[id] || back);
}

bool listed(StandIn& s, UINT id) {
    return answers(s, id) && (s.vanishAt[id] == 0 || s.polls[id] < s.vanishAt[id]);
}

} // namespace

extern "C" UINT WINAPI joyGetNumDevs(void) {
    return 16;
}

extern "C" MMRESULT WINAPI joyGetDevCapsW(UINT_PTR id, LPJOYCAPSW caps, UINT size) {
    StandIn& s = standIn();
    if (!listed(s, static_cast<UINT>(id)) || size < sizeof(JOYCAPSW))
        return JOYERR_UNPLUGGED;
    *caps = JOYCAPSW{};
    caps->wXmax = caps->wYmax = caps->wZmax = caps->wRmax = caps->wUmax = caps->wVmax = 65535;
    caps->wNumButtons = 12;
    caps->wMaxButtons = 32;
    caps->wNumAxes = 4;
    caps->wMaxAxes = 6;
    caps->wCaps = s.caps[id];
    return JOYERR_NOERROR;
}

extern "C" MMRESULT WINAPI joyGetPosEx(UINT id, LPJOYINFOEX info) {
    StandIn& s = standIn();
    if (id >= 16)
        return JOYERR_PARMS;
    bool going =
        s.goFile.empty() || GetFileAttributesA(s.goFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (going != s.going)
        writeLine(s.log, going ? "go" : "pause");
    s.going = going;
    unsigned poll = going ? ++s.polls[id] : s.polls[id];
    for (const Hold& stop : s.stops) {
        if (going && stop.id == id && stop.from == poll) {
            // Gone before the poll is logged, so a test that saw the poll can
            // bring the go file back without losing it to this.
            DeleteFileA(s.goFile.c_str());
            s.going = false;
            writeLine(s.log, "stop %u %u", id, poll);
        }
    }
    if (!answers(s, id)) {
        writeLine(s.log, "poll %u %u unplugged", id, poll);
        return JOYERR_UNPLUGGED;
    }
    Hold state{};
    for (const Hold& h : s.holds) {
        if (h.id == id && poll != 0 && h.from <= poll && poll <= h.to)
            state = h;
    }
    info->dwXpos = state.x;
    info->dwYpos = state.y;
    info->dwZpos = 32767;
    info->dwRpos = state.r;
    info->dwButtons = state.buttons;
    info->dwPOV = state.pov;
    writeLine(s.log, "poll %u %u ok buttons=0x%x pov=%u x=%u y=%u r=%u t=%llu", id, poll,
              state.buttons, state.pov, state.x, state.y, state.r, microsNow());
    return JOYERR_NOERROR;
}

extern "C" MMRESULT WINAPI timeBeginPeriod(UINT period) {
    writeLine(standIn().log, "timeBeginPeriod %u", period);
    return TIMERR_NOERROR;
}

extern "C" MMRESULT WINAPI timeEndPeriod(UINT period) {
    writeLine(standIn().log, "timeEndPeriod %u", period);
    return TIMERR_NOERROR;
}

// "loaded": the program has started and is about to run its own code.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        writeLine(standIn().log, "loaded");
    return TRUE;
}
