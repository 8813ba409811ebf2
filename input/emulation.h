#pragma once
#include <cstdint>

#include "app/win32.h"

// Injects the key and mouse-button events of this tick's inputs.
void emulateButtons();

// Moves the pointer and turns the wheel from the pointer controller's stick.
void emulateMouse();

// Releases every key and mouse button the engine holds down, in input order,
// and forgets them. Called whenever the inputs that pressed them can no
// longer be followed: the controller is lost or switched, a dialog opens,
// Tavlor closes or the session ends.
void releaseHeldInputs();

// The repeat countdown an edge starts: 13 ticks for Delayed Auto, else 1.
uint32_t countdownAfterEdge(uint32_t triggerModes, uint32_t delayedModeMask);

// Mouse-button flags for the codes 1, 2 and 4, or 0 for a keyboard code.
DWORD mouseButtonFlags(uint8_t code, bool press);

// Pointer distance per tick at full deflection for a speed setting 0..2.
int32_t speedFactor(int32_t mouseSpeed);

// The relative motion and wheel record for one tick; dwFlags 0 means nothing
// to send.
MOUSEINPUT mouseMotion(float x, float y, float r, float factor, float wheelStep);
