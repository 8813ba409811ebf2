#include "scenario.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

constexpr uint32_t kButtonsField = 1u << AxisCount;
constexpr uint32_t kPovField = 1u << (AxisCount + 1);

// What a device line leaves unsaid: a hat, Z and R axes, twelve buttons and
// the usual 0..65535 ranges.
constexpr uint32_t kDefaultCaps = 0x33; // JOYCAPS_HASZ | HASR | HASPOV | POV4DIR
constexpr uint32_t kDefaultButtons = 12;
constexpr uint32_t kDefaultAxes = 4;
constexpr uint32_t kDefaultRangeMax = 65535;

const char* const kAxisNames[AxisCount] = {"x", "y", "z", "r", "u", "v"};

bool parseNumber(const std::string& text, uint32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    if (*end != '\0' || parsed > UINT32_MAX || text[0] == '-')
        return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool parseRange(const std::string& text, uint32_t& low, uint32_t& high) {
    size_t colon = text.find(':');
    return colon != std::string::npos && parseNumber(text.substr(0, colon), low) &&
           parseNumber(text.substr(colon + 1), high);
}

int axisIndex(const std::string& key) {
    for (int i = 0; i < AxisCount; ++i) {
        if (key == kAxisNames[i])
            return i;
    }
    return -1;
}

bool splitPair(const std::string& word, std::string& key, std::string& value) {
    size_t equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    key = word.substr(0, equals);
    value = word.substr(equals + 1);
    return true;
}

bool parseId(std::istringstream& words, int& id) {
    std::string word;
    uint32_t value = 0;
    if (!(words >> word) || !parseNumber(word, value) || value >= kMaxScriptedIds)
        return false;
    id = static_cast<int>(value);
    return true;
}

bool applyDeviceField(ScriptedDevice& device, const std::string& key, const std::string& value) {
    int axis = axisIndex(key);
    if (axis >= 0)
        return parseRange(value, device.rangeMin[axis], device.rangeMax[axis]);
    if (key == "caps")
        return parseNumber(value, device.caps);
    if (key == "buttons")
        return parseNumber(value, device.buttonCount);
    if (key == "axes")
        return parseNumber(value, device.axisCount);
    if (key == "name") {
        device.name = value;
        return true;
    }
    if (key == "range") {
        uint32_t low = 0, high = 0;
        if (!parseRange(value, low, high))
            return false;
        for (int i = 0; i < AxisCount; ++i) {
            device.rangeMin[i] = low;
            device.rangeMax[i] = high;
        }
        return true;
    }
    return false;
}

bool applyHoldField(HoldRule& rule, const std::string& key, const std::string& value) {
    int axis = axisIndex(key);
    if (axis >= 0) {
        rule.fieldMask |= 1u << axis;
        return parseNumber(value, rule.values.axes[axis]);
    }
    if (key == "buttons") {
        rule.fieldMask |= kButtonsField;
        return parseNumber(value, rule.values.buttons);
    }
    if (key == "pov") {
        rule.fieldMask |= kPovField;
        rule.values.pov = kPovCentered;
        return value == "centered" || parseNumber(value, rule.values.pov);
    }
    return false;
}

bool parseDeviceLine(std::istringstream& words, Scenario& scenario, std::string& error) {
    int id = 0;
    if (!parseId(words, id)) {
        error = "device needs an id from 0 to 15";
        return false;
    }
    ScriptedDevice& device = scenario.devices[id];
    device.present = true;
    device.caps = kDefaultCaps;
    device.buttonCount = kDefaultButtons;
    device.axisCount = kDefaultAxes;
    for (int i = 0; i < AxisCount; ++i) {
        device.rangeMin[i] = 0;
        device.rangeMax[i] = kDefaultRangeMax;
    }
    device.name = "E2E Pad " + std::to_string(id);
    std::string word, key, value;
    while (words >> word) {
        if (!splitPair(word, key, value) || !applyDeviceField(device, key, value)) {
            error = "bad device field '" + word + "'";
            return false;
        }
    }
    return true;
}

bool parsePolls(const std::string& text, uint32_t& first, uint32_t& last) {
    size_t dash = text.find('-');
    if (dash == std::string::npos) {
        if (!parseNumber(text, first))
            return false;
        last = first;
    } else {
        if (!parseNumber(text.substr(0, dash), first))
            return false;
        std::string tail = text.substr(dash + 1);
        if (tail.empty())
            last = kOpenEnd;
        else if (!parseNumber(tail, last))
            return false;
    }
    return first >= 1 && first <= last;
}

bool parseHoldLine(std::istringstream& words, Scenario& scenario, std::string& error) {
    int id = 0;
    std::string polls;
    if (!parseId(words, id) || !(words >> polls)) {
        error = "hold needs an id and a poll range";
        return false;
    }
    HoldRule rule = {};
    bool isDefault = polls == "default";
    if (!isDefault && !parsePolls(polls, rule.firstPoll, rule.lastPoll)) {
        error = "bad poll range '" + polls + "' (N, N-M, N- or default; polls count from 1)";
        return false;
    }
    std::string word, key, value;
    while (words >> word) {
        if (!splitPair(word, key, value) || !applyHoldField(rule, key, value)) {
            error = "bad hold field '" + word + "'";
            return false;
        }
    }
    ScriptedDevice& device = scenario.devices[id];
    if (isDefault) {
        device.hasDefault = true;
        device.defaultRule = rule;
    } else {
        device.rules.push_back(rule);
    }
    return true;
}

bool parseUnplugLine(std::istringstream& words, Scenario& scenario, std::string& error) {
    int id = 0;
    std::string at, poll;
    uint32_t value = 0;
    if (!parseId(words, id) || !(words >> at >> poll) || at != "at" || !parseNumber(poll, value) ||
        value < 1) {
        error = "unplug needs 'unplug ID at POLL' with POLL from 1";
        return false;
    }
    scenario.devices[id].unplugAtPoll = value;
    return true;
}

void overlay(PadState& state, const HoldRule& rule) {
    for (int i = 0; i < AxisCount; ++i) {
        if (rule.fieldMask & (1u << i))
            state.axes[i] = rule.values.axes[i];
    }
    if (rule.fieldMask & kButtonsField)
        state.buttons = rule.values.buttons;
    if (rule.fieldMask & kPovField)
        state.pov = rule.values.pov;
}

} // namespace

bool parseScenario(const std::string& text, Scenario& scenario, std::string& error) {
    scenario = Scenario();
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword))
            continue;
        bool ok = false;
        std::string problem;
        if (keyword == "numdevs") {
            std::string value;
            ok = (words >> value) && parseNumber(value, scenario.numDevs);
            if (!ok)
                problem = "numdevs needs a number";
        } else if (keyword == "device")
            ok = parseDeviceLine(words, scenario, problem);
        else if (keyword == "hold")
            ok = parseHoldLine(words, scenario, problem);
        else if (keyword == "unplug")
            ok = parseUnplugLine(words, scenario, problem);
        else if (keyword == "wait-for-go") {
            std::string extra;
            ok = !(words >> extra);
            scenario.waitsForGo = true;
            if (!ok)
                problem = "wait-for-go takes nothing after it";
        }
        else
            problem = "unknown keyword '" + keyword + "'";
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    return true;
}

PadState stateAtPoll(const ScriptedDevice& device, uint32_t poll) {
    PadState state = {};
    for (int i = 0; i < AxisCount; ++i)
        state.axes[i] = device.rangeMin[i] + (device.rangeMax[i] - device.rangeMin[i]) / 2;
    state.pov = kPovCentered;
    if (device.hasDefault)
        overlay(state, device.defaultRule);
    for (auto it = device.rules.rbegin(); it != device.rules.rend(); ++it) {
        if (poll >= it->firstPoll && poll <= it->lastPoll) {
            overlay(state, *it);
            break;
        }
    }
    return state;
}
