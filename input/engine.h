#pragma once
#include <cstdint>

#include "core/app_state.h"

// The tick and discovery decisions over the state record. They queue the
// events to inject in pendingInputs and never inject them: only the glue in
// controllers.cpp calls them, and it injects before it returns.

// One poll on the reading in joyInfo, `elapsedMs` after the one before;
// `polled` says whether the poll of the active controller answered. Derives
// axes, input bits and edges, queues the emulation's events, marks the view
// dirty when an input changed and says in stepDue whether a 20 ms step ends
// here; with a dialog open it names the first input pressed in
// dialogPressedSlot. Returns true when a scheduled discovery is due, or the
// time without a controller calls for one.
bool decideTick(bool polled, int32_t elapsedMs = kStepMs);

// The time between polls at a poll rate (50, 125, 250 or 500 a second).
int32_t pollPeriodMs(int32_t pollRate);

// Finishes a discovery once the controller table holds what probing ids
// 0..probed-1 found: counts them, picks the pointer controller and moves the
// active controller to a present one if needed. An active controller found
// gone lets go of whatever it held (queued).
void concludeDiscovery(int32_t probed);

// Makes another controller the active one: the release of whatever the
// engine holds down is queued, the engine state cleared and the view marked
// for redraw.
void switchController(int32_t id);
