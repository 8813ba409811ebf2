#include "core/view_surface.h"

#include <cstring>

namespace {

constexpr LONG kPixelsPerMeter = 10000;

// Writes one row of 4-channel pixels, each repeated S times. The scale is a
// template argument so that the inner copy unrolls.
template <int S> void writeScaledRow4(uint32_t* out, const uint8_t* in, LONG pixels) {
    for (LONG x = 0; x < pixels; ++x, in += 4) {
        uint32_t value = 0;
        std::memcpy(&value, in, 4);
        for (int i = 0; i < S; ++i) {
            *out++ = value;
        }
    }
}

// Writes one source row, each pixel repeated `scale` times, as 32-bit pixels.
void writeScaledRow(uint32_t* out, const uint8_t* in, LONG pixels, int32_t channels,
                    int32_t scale) {
    if (channels == 4) {
        switch (scale) {
        case 1:
            std::memcpy(out, in, static_cast<size_t>(pixels) * 4);
            return;
        case 2:
            writeScaledRow4<2>(out, in, pixels);
            return;
        case 3:
            writeScaledRow4<3>(out, in, pixels);
            return;
        case 4:
            writeScaledRow4<4>(out, in, pixels);
            return;
        default:
            break;
        }
    }
    for (LONG x = 0; x < pixels; ++x, in += channels) {
        uint32_t value = 0;
        if (channels == 4) {
            std::memcpy(&value, in, 4);
        } else {
            value = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | 0xFF000000u;
        }
        for (int32_t i = 0; i < scale; ++i) {
            *out++ = value;
        }
    }
}

} // namespace

BITMAPINFO ViewSurface::initialBitmapInfo() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = kPixelsPerMeter;
    info.bmiHeader.biYPelsPerMeter = kPixelsPerMeter;
    return info;
}

void ViewSurface::release() {
    width = 0;
    height = 0;
    if (bitmap != nullptr && deleteBitmap != nullptr) {
        deleteBitmap(bitmap);
    }
    bitmap = nullptr;
}

bool canCopyScaled(const PixelBuffer& source, const RECT& rect) {
    return source.data != nullptr && rect.left >= 0 && rect.top >= 0 && rect.right > rect.left &&
           rect.bottom > rect.top && static_cast<int64_t>(rect.right) <= source.width &&
           static_cast<int64_t>(rect.bottom) <= source.height;
}

void writeScaledView(uint8_t* out, const PixelBuffer& source, const RECT& rect, int32_t scale) {
    if (source.channels < 3) {
        return;
    }
    size_t rowBytes = static_cast<size_t>(scale) * (rect.right - rect.left) * 4;
    for (LONG y = rect.bottom - 1; y >= rect.top; --y) {
        const uint8_t* in = source.data + y * source.stride + rect.left * source.channels;
        writeScaledRow(reinterpret_cast<uint32_t*>(out), in, rect.right - rect.left,
                       source.channels, scale);
        for (int32_t i = 1; i < scale; ++i) {
            std::memcpy(out + rowBytes, out, rowBytes);
            out += rowBytes;
        }
        out += rowBytes;
    }
}
