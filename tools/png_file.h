#pragma once
#include <cstdint>
#include <vector>

#include "tools/ico_file.h"

// Encodes a square BGRA image as a PNG file (8-bit RGBA, deflate-compressed).
std::vector<uint8_t> encodePng(const IconImage& image);
