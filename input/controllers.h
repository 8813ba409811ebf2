#pragma once
#include <cstdint>

// The input layer's glue: each call asks the joystick API where it needs to,
// runs the engine's decisions and injects what they queued before returning.

// Probes joystick ids 0 to 4, refills the controller table, picks the pointer
// controller and moves the active controller to a present one if needed.
void discoverControllers();

// One tick of the poll clock: poll the active controller, run the engine,
// inject what it decided and repaint when an input changed.
void emulationTick();

// Releases every key and mouse button the engine holds down: for whatever
// ends the input that can be followed (close, session end, suspend, a dialog).
void releaseHeldInputs();

// Devices came or went, or the system resumed: discovery runs once, 500 ms
// from the last such call, when the devices have settled; but no later than
// 2 s from the first call of a burst, so that a device that keeps changing
// cannot put it off for ever.
void scheduleDiscovery();

// Makes controller `id` the active one; what the old one held goes up.
void selectController(int32_t id);
