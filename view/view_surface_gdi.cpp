#include "core/view_surface.h"
#include "core/win32.h"

namespace {

void deleteGdiBitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}

} // namespace

int32_t ViewSurface::update(HDC dc, const PixelBuffer& source, const RECT& rect, int32_t scale) {
    int32_t s = scale > 1 ? scale : 1;
    LONG w = s * (rect.right - rect.left);
    LONG h = s * (rect.bottom - rect.top);
    bitmapInfo.bmiHeader.biWidth = w;
    bitmapInfo.bmiHeader.biHeight = h;
    if (!canCopyScaled(source, rect)) {
        status = kStatusNothingToCopy;
        return status;
    }
    if (w != width || h != height) {
        release();
    }
    if (bitmap == nullptr) {
        bitmap = CreateDIBSection(dc, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr) {
            status = kStatusOutOfMemory;
            return status;
        }
        deleteBitmap = deleteGdiBitmap;
        width = w;
        height = h;
    }
    writeScaledView(static_cast<uint8_t*>(bits), source, rect, s);
    status = kStatusOk;
    return status;
}
