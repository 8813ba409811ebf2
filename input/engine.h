#pragma once
#include <cstdint>

// The tick and discovery decisions over the state record; the glue in
// controllers.cpp asks the joystick API and injects what they queue.

// One tick on the reading in joyInfo; `polled` says whether the poll of the
// active controller answered. Derives axes, input bits and edges, queues the
// emulation's events and marks the view dirty when an input changed. Returns
// true when a scheduled discovery is due, or the ticks without a controller
// call for one.
bool runEngineTick(bool polled);

// Devices came or went, or the system resumed: discovery runs once, 25 ticks
// from the last such call, when the devices have settled.
void scheduleDiscovery();

// Finishes a discovery once the controller table holds what probing ids
// 0..probed-1 found: counts them, picks the pointer controller and moves the
// active controller to a present one if needed. An active controller found
// gone lets go of whatever it held.
void settleDiscovery(int32_t probed);

// Makes another controller the active one: whatever the engine holds down is
// released, the engine state is cleared and the view marked for redraw.
void activateController(int32_t id);
