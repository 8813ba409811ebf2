#pragma once
#include <cstdint>

// The application icon: a gamepad on a transparent background, drawn at every size that
// the icon file carries.
constexpr int32_t kIconSizeCount = 4;
constexpr int32_t kIconSizes[kIconSizeCount] = {16, 32, 48, 256};

// Draws the icon at size x size pixels into bgra (size * size * 4 bytes): rows top first,
// blue, green, red, alpha per pixel, alpha not premultiplied.
void drawIcon(int32_t size, uint8_t* bgra);
