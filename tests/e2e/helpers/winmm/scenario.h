#pragma once
// The script that the joystick stand-in plays back: which controllers exist,
// what they report and when they stop answering. The text format is described
// in tests/e2e/README.md. Nothing here depends on Windows.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxScriptedIds = 16;
constexpr uint32_t kPovCentered = 65535;
constexpr uint32_t kNever = 0;
constexpr uint32_t kOpenEnd = UINT32_MAX;

enum Axis { AxisX, AxisY, AxisZ, AxisR, AxisU, AxisV, AxisCount };

struct PadState {
    uint32_t axes[AxisCount];
    uint32_t buttons;
    uint32_t pov;
};

// A "hold" line: the fields it names, over a range of polls of one id.
struct HoldRule {
    uint32_t firstPoll;
    uint32_t lastPoll;
    uint32_t fieldMask; // bit i: axes[i]; bit AxisCount: buttons; bit AxisCount + 1: pov
    PadState values;
};

struct ScriptedDevice {
    bool present = false;
    uint32_t caps = 0;
    uint32_t buttonCount = 0;
    uint32_t axisCount = 0;
    uint32_t rangeMin[AxisCount] = {};
    uint32_t rangeMax[AxisCount] = {};
    std::string name;
    uint32_t unplugAtPoll = kNever; // first poll that fails; kNever if it never does
    bool hasDefault = false;
    HoldRule defaultRule = {};
    std::vector<HoldRule> rules;
};

struct Scenario {
    uint32_t numDevs = 16;
    // "wait-for-go": polls count only from the moment the test says go; until
    // then every poll is poll 0, which no hold range or unplug reaches.
    bool waitsForGo = false;
    ScriptedDevice devices[kMaxScriptedIds];
};

// Parses a scenario; on failure returns false and describes the first bad line.
bool parseScenario(const std::string& text, Scenario& scenario, std::string& error);

// What the device reports on its poll number `poll` (counted from 1): the
// centre of every axis range, no buttons and a centred hat, overlaid with the
// device's default hold and then with the last hold line whose range has it.
PadState stateAtPoll(const ScriptedDevice& device, uint32_t poll);
