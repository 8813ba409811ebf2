#pragma once
#include <cstdint>
#include <vector>

// One square image of an icon: rows top first, blue, green, red, alpha per pixel.
struct IconImage {
    int32_t size;
    const uint8_t* bgra;
};

// Builds a Windows .ico file: the 256-pixel image as a PNG, the others as 32-bit DIBs with
// their AND masks.
std::vector<uint8_t> buildIcoFile(const IconImage* images, int32_t count);
