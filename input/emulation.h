#pragma once
#include <cstdint>

#include "core/app_state.h"

// The emulation engine decides which events to inject and queues them in
// pendingInputs; the glue in controllers.cpp injects them. None of these
// functions calls Windows.

// Queues the key and mouse-button events of this poll's inputs, `elapsedMs`
// after the poll before.
void emulateButtons(int32_t elapsedMs);

// Queues the pointer motion and wheel turn of the pointer controller's stick:
// the pointer moves its share of the step's distance each poll, the wheel
// turns once a step; while a dialog is open the wheel stays still.
void emulateMouse(int32_t elapsedMs);

// Queues the release of every key and mouse button the engine holds down, in
// input order, each followed by the modifiers that went down with it (a
// shared one only with the last input that holds it), and forgets them.
// Called whenever the inputs that pressed them can no longer be followed: the
// controller is lost or switched, a dialog opens, Tavlor closes or the
// session ends.
void queueHeldReleases();

// Appends one event to pendingInputs; the list has room for a whole tick.
void queueInput(const INPUT& event);

// The repeat countdown an edge starts: 260 ms for Delayed Auto, else a step.
int32_t countdownAfterEdge(uint32_t triggerModes, uint32_t delayedModeMask);

// The event that presses or releases a mapping code: a mouse-button event for
// the codes 1, 2 and 4, otherwise a key event of that virtual key with its
// scan code, and KEYEVENTF_EXTENDEDKEY for a key whose scan code has the E0
// prefix; a release carries the same scan code and flag as the press.
INPUT codeEvent(uint8_t code, bool press);

// Pointer distance per tick at full deflection for a speed setting 0..2.
int32_t speedFactor(int32_t mouseSpeed);

// The relative motion and wheel record for one 20 ms step; dwFlags 0 means
// nothing to send. Beyond the 3% dead zone the axes count from its edge.
MOUSEINPUT mouseMotion(float x, float y, float r, float factor, float wheelStep,
                       int32_t deadZone = kDeadZones[0]);

// The whole pixels of a step's distance that are due `elapsedMs` into it;
// the rest is carried, in pixel-milliseconds, to the next poll.
int32_t carriedShare(int32_t stepDistance, int32_t elapsedMs, int32_t& carry);
