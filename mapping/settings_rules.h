#pragma once
#include <cstdint>

#include "app/win32.h"

// The rules that bring stored settings into range and decide which window
// positions are worth keeping. No registry, no window.

// Only the three 4-bit trigger fields (bits 0 to 11) are kept.
uint32_t settleTriggerModes(uint32_t stored);

// 0 Linear or 1 Curved: only bit 0 is kept.
int32_t settleMouseCurve(int32_t stored);

// 0 Slow, 1 Medium, 2 Fast: the non-negative remainder after division by 3,
// so -1 loads as 2 and -2 as 1.
int32_t settleMouseSpeed(int32_t stored);

// The scale that suits a primary screen: its shorter side in steps of 1080, 1..4.
int32_t screenScale(int32_t screenWidth, int32_t screenHeight);

// A stored left (or top) edge stands while some of the picture, `extent`
// pixels at scale 1, can be on the virtual screen; otherwise a quarter of
// the virtual screen's size replaces it.
int32_t settlePosition(int32_t stored, int32_t extent, int32_t scale, int32_t virtualSize);

// Whether the window's position at exit is worth recording: at most half the
// picture beyond the left edge and half its height above the top.
bool positionWorthSaving(const RECT& window, int32_t scale);
