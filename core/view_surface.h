#pragma once
#include <cstdint>

#include "core/pixel_buffer.h"
#include "core/win32_types.h"

// The 32-bit bottom-up DIB section that the paint step copies to the window.
struct ViewSurface {
    int32_t status = 0;
    int32_t width = 0;
    int32_t height = 0;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    BITMAPINFO bitmapInfo = initialBitmapInfo();
    // Set by update, which creates the bitmap, so that this record can be
    // built and destroyed where there is no GDI.
    void (*deleteBitmap)(HBITMAP) = nullptr;

    ViewSurface() = default;
    ViewSurface(const ViewSurface&) = delete;
    ViewSurface& operator=(const ViewSurface&) = delete;
    ~ViewSurface() { release(); }

    // Makes sure a DIB section of scale times the rectangle's size exists and
    // copies the rectangle of the source into it, enlarged. Returns the status.
    int32_t update(HDC dc, const PixelBuffer& source, const RECT& rect, int32_t scale);
    void release();

    static BITMAPINFO initialBitmapInfo();
};

// Whether a rectangle of the source can be copied: it has pixels, lies inside
// the source and the source has storage.
bool canCopyScaled(const PixelBuffer& source, const RECT& rect);

// Writes a rectangle of a 3- or 4-channel source into bottom-up rows of 32-bit
// pixels, each source pixel repeated `scale` times in both directions.
void writeScaledView(uint8_t* out, const PixelBuffer& source, const RECT& rect, int32_t scale);
