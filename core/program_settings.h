#pragma once
#include <cstdint>

#include "core/controller_profile.h"

constexpr int kProgramSlots = 5; // one table per controller slot, as the general ones
// Room for a program's file name: the longest that is ever stored is one
// below this, MAX_PATH.
constexpr int kProgramNameChars = 260;

// What Tavlor keeps for one program, known by the file name of its process:
// whether Tavlor pauses while it is in front, and its own mapping tables.
struct ProgramSettings {
    wchar_t name[kProgramNameChars]; // lower-case; empty while no program is known
    int32_t pauseHere;               // 1: pause while this program is in front
    uint32_t ownTables;              // bit k set: mappingCodes[k] is this program's own
    uint8_t mappingCodes[kProgramSlots][kMappingBytes];
};
