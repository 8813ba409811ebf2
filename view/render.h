#pragma once
#include <cstdint>

// Base size of the view and the window at scale 1, in physical pixels.
constexpr int kViewWidth = 494;
constexpr int kViewHeight = 185;

// Rows of the layout after the sixteen input rectangles.
enum LayoutRow { kFrameTop = 16, kFrameBottom = 19, kPicturePlace = 20, kWholeView = 21 };

// The frame colour while the window is not active.
constexpr uint32_t kInactiveFrameColor = 0xFFB1BBBD;

// Composes one frame into the canvas: the frame in the active controller's
// colour (or grey while the window is inactive), the picture, and the held
// inputs tinted with the controller's highlight colour. Clears viewDirty.
void composeView();
