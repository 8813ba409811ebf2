#pragma once
#include <cstdint>

#include "core/win32_types.h"

// Status codes shared by the pixel buffer and the view surface.
enum : int32_t {
    kStatusOk = 0,
    kStatusNothingToCopy = 5,
    kStatusOutOfMemory = 7,
    kStatusSizeOutOfRange = 33,
};

// An image in memory: rows top first, pixels left to right, rows packed.
// With 3 or 4 channels a pixel is blue, green, red (, alpha).
struct PixelBuffer {
    int32_t status = 0;
    uint8_t* data = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t channels = 0;
    int32_t stride = 0;
    uint32_t byteSize = 0;
    uint32_t capacity = 0;

    PixelBuffer() = default;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    ~PixelBuffer() { release(); }

    int32_t create(int32_t w, int32_t h, int32_t c);
    int32_t expandToFourChannels();
    void fillRect(const RECT& rect, uint32_t color);
    void copyFrom(const RECT& rect, const PixelBuffer& source);
    void applyLut(const RECT& rect, const uint8_t* table);
    void release();
};

// Fills n tables of 256 entries: T[k*256 + j] = clamp(j * scales[k] + offsets[k] + 0.5).
void buildChannelLut(uint8_t* table, const float* scales, const float* offsets, int32_t channels);
