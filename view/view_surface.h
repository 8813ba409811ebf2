#pragma once
#include <cstdint>

#include "app/win32.h"
#include "view/pixel_buffer.h"

// The 32-bit bottom-up DIB section that the paint step copies to the window.
struct ViewSurface {
    int32_t status = 0;
    int32_t width = 0;
    int32_t height = 0;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    BITMAPINFO bitmapInfo = initialBitmapInfo();

    ViewSurface() = default;
    ViewSurface(const ViewSurface&) = delete;
    ViewSurface& operator=(const ViewSurface&) = delete;
    ~ViewSurface() { release(); }

    int32_t update(HDC dc, const PixelBuffer& source, const RECT& rect, int32_t scale);
    void release();

    static BITMAPINFO initialBitmapInfo();
};
