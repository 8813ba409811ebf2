#pragma once
#include <cstdint>

// Probes joystick ids 0 to 4, refills the controller table, picks the pointer
// controller and moves the active controller to a present one if needed.
void discoverControllers();

// Makes another controller the active one: whatever the engine holds down is
// released, the engine state is cleared and the view marked for redraw.
void activateController(int32_t id);

// One timer tick: poll the active controller, derive axes, input bits and
// edges, run the emulation and request a repaint when an input changed.
void emulationTick();
