#pragma once
#include <cstdint>

// What discovery learnt about one joystick id.
struct ControllerInfo {
    int32_t present;
    uint32_t caps;
    uint32_t buttonCount;
    uint32_t axisCount;
    float xMin, xMax;
    float yMin, yMax;
    float zMin, zMax;
    float rMin, rMax;
};
