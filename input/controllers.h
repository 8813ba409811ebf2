#pragma once

// Probes joystick ids 0 to 4, refills the controller table, picks the pointer
// controller and moves the active controller to a present one if needed.
void discoverControllers();

// One timer tick: poll the active controller, run the engine, inject what it
// decided and repaint when an input changed.
void emulationTick();

// Injects the events the engine has queued, in order, and empties the queue.
void sendPendingInputs();

// Releases every key and mouse button the engine holds down and injects the
// releases at once: for the window's messages that end what input can follow.
void releaseHeldInputsNow();
