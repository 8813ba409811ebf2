#pragma once
#include <cstdint>

#include "core/app_state.h"

// The frame colour while the window is not active.
constexpr uint32_t kInactiveFrameColor = 0xFFB1BBBD;
// The frame while the program in front is out of Tavlor's reach.
constexpr uint32_t kUnreachableFrameColor = 0xFFC42B1C;
// Held inputs are lit in this neutral grey while Tavlor is paused.
constexpr uint32_t kPausedHighlightColor = 0xFFA0A0A0;

// Composes one frame into the canvas: the frame in the active controller's
// colour (grey while the window is inactive, red while the program in front
// is out of reach), the picture, and the held
// inputs tinted with the controller's highlight colour, or grey while paused.
// Clears viewDirty.
void composeView();
