#pragma once

// Probes joystick ids 0 to 4, refills the controller table, picks the pointer
// controller and moves the active controller to a present one if needed.
void discoverControllers();

// One timer tick: poll the active controller, derive axes, input bits and
// edges, run the emulation and request a repaint when an input changed.
void emulationTick();
