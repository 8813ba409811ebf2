#pragma once
#include <cstdint>
#include <vector>

// One square image of an icon: rows top first, blue, green, red, alpha per pixel.
struct IconImage {
    int32_t size;
    const uint8_t* bgra;
};

// Builds a Windows .ico file holding each image as a 32-bit DIB with its AND mask.
std::vector<uint8_t> buildIcoFile(const IconImage* images, int32_t count);
