#pragma once
#include <cstdint>

#include "core/app_state.h"

// The frame colour while the window is not active.
constexpr uint32_t kInactiveFrameColor = 0xFFB1BBBD;

// Composes one frame into the canvas: the frame in the active controller's
// colour (or grey while the window is inactive), the picture, and the held
// inputs tinted with the controller's highlight colour. Clears viewDirty.
void composeView();
