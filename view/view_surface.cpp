#include "view/view_surface.h"

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

bool rectInside(const RECT& rect, const PixelBuffer& source) {
    return rect.left >= 0 && rect.top >= 0 && static_cast<int64_t>(rect.right) <= source.width &&
           static_cast<int64_t>(rect.bottom) <= source.height;
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

int32_t ViewSurface::update(HDC dc, const PixelBuffer& source, const RECT& rect, int32_t scale) {
    int32_t s = scale > 1 ? scale : 1;
    LONG w = s * (rect.right - rect.left);
    LONG h = s * (rect.bottom - rect.top);
    bitmapInfo.bmiHeader.biWidth = w;
    bitmapInfo.bmiHeader.biHeight = h;
    // A rectangle reaching outside the source has nothing safe to copy.
    if (source.data == nullptr || w <= 0 || h <= 0 || !rectInside(rect, source)) {
        status = 5;
        return status;
    }
    if (w != width || h != height) {
        width = 0;
        height = 0;
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (bitmap == nullptr) {
        bitmap = CreateDIBSection(dc, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr) {
            status = 7;
            return status;
        }
        width = w;
        height = h;
    }
    if (source.channels >= 3) {
        size_t rowBytes = static_cast<size_t>(w) * 4;
        uint8_t* out = static_cast<uint8_t*>(bits);
        for (LONG y = rect.bottom - 1; y >= rect.top; --y) {
            const uint8_t* in = source.data + y * source.stride + rect.left * source.channels;
            writeScaledRow(reinterpret_cast<uint32_t*>(out), in, rect.right - rect.left,
                           source.channels, s);
            for (int32_t i = 1; i < s; ++i) {
                std::memcpy(out + rowBytes, out, rowBytes);
                out += rowBytes;
            }
            out += rowBytes;
        }
    }
    status = 0;
    return status;
}

void ViewSurface::release() {
    width = 0;
    height = 0;
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
}
