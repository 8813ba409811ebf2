#pragma once
#include <cstdint>

// The controller picture embedded as RCDATA: a raw image with no header, rows top first,
// 3 bytes per pixel in blue, green, red order.
constexpr int32_t kPictureWidth = 484;
constexpr int32_t kPictureHeight = 175;
constexpr int32_t kPictureBytes = kPictureWidth * kPictureHeight * 3;

// Draws the picture into bgr, which must hold kPictureBytes bytes: a dark vertical gradient
// with a D-pad cross on the left and a grid of twelve buttons on the right.
void drawControllerPicture(uint8_t* bgr);
