#include "core/pixel_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kMaxSide = 65535;
constexpr uint64_t kMaxBytes = uint64_t{1} << 30;
constexpr uint8_t kOpaque = 255;

// The part of a rectangle that lies inside a w x h buffer; empty when
// right <= left or bottom <= top afterwards.
RECT clipToBuffer(const RECT& rect, uint32_t w, uint32_t h) {
    RECT clipped = rect;
    if (clipped.left < 0) {
        clipped.left = 0;
    }
    if (clipped.top < 0) {
        clipped.top = 0;
    }
    if (static_cast<int64_t>(clipped.right) > static_cast<int64_t>(w)) {
        clipped.right = static_cast<LONG>(w);
    }
    if (static_cast<int64_t>(clipped.bottom) > static_cast<int64_t>(h)) {
        clipped.bottom = static_cast<LONG>(h);
    }
    return clipped;
}

bool isEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

void writeColor(uint8_t* pixel, uint32_t color, int32_t channels) {
    for (int32_t c = 0; c < channels; ++c) {
        pixel[c] = static_cast<uint8_t>(color >> (8 * c));
    }
}

int32_t clampInt(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

} // namespace

int32_t PixelBuffer::create(int32_t w, int32_t h, int32_t c) {
    w = w < 1 ? 1 : w;
    h = h < 1 ? 1 : h;
    c = clampInt(c, 1, 4);
    uint64_t bytes = uint64_t(w) * uint64_t(c) * uint64_t(h);
    if (w > kMaxSide || h > kMaxSide || bytes > kMaxBytes) {
        status = kStatusSizeOutOfRange;
        return status;
    }
    width = static_cast<uint32_t>(w);
    height = static_cast<uint32_t>(h);
    channels = c;
    stride = w * c;
    byteSize = static_cast<uint32_t>(bytes);
    if (byteSize != capacity) {
        capacity = byteSize;
        std::free(data);
        data = static_cast<uint8_t*>(std::malloc(capacity));
        if (data == nullptr) {
            release();
            status = kStatusOutOfMemory;
            return status;
        }
    }
    status = kStatusOk;
    return status;
}

int32_t PixelBuffer::expandToFourChannels() {
    if (channels == 4) {
        status = kStatusOk;
        return status;
    }
    PixelBuffer wide;
    if (wide.create(static_cast<int32_t>(width), static_cast<int32_t>(height), 4) != kStatusOk) {
        status = kStatusOutOfMemory;
        return status;
    }
    // An empty buffer has no channels and no bytes: there is nothing to walk,
    // and it ends as the smallest four-channel buffer, cleared.
    uint32_t pixels = channels > 0 ? byteSize / static_cast<uint32_t>(channels) : 0;
    const uint8_t* from = data;
    uint8_t* to = wide.data;
    bool grey = channels < 3;
    for (uint32_t i = 0; i < pixels; ++i, from += channels, to += 4) {
        to[0] = from[0];
        to[1] = grey ? from[0] : from[1];
        to[2] = grey ? from[0] : from[2];
        to[3] = kOpaque;
    }
    std::memset(to, 0, static_cast<size_t>(wide.data + wide.byteSize - to));
    std::free(data);
    data = wide.data;
    wide.data = nullptr;
    width = wide.width;
    height = wide.height;
    channels = wide.channels;
    stride = wide.stride;
    byteSize = wide.byteSize;
    capacity = wide.capacity;
    status = kStatusOk;
    return status;
}

void PixelBuffer::fillRect(const RECT& rect, uint32_t color) {
    RECT area = clipToBuffer(rect, width, height);
    if (isEmpty(area) || channels == 2 || data == nullptr) {
        return;
    }
    uint8_t* first = data + area.top * stride + area.left * channels;
    size_t rowBytes = static_cast<size_t>(area.right - area.left) * channels;
    for (uint8_t* pixel = first; pixel < first + rowBytes; pixel += channels) {
        writeColor(pixel, color, channels);
    }
    for (LONG y = area.top + 1; y < area.bottom; ++y) {
        uint8_t* row = data + y * stride + area.left * channels;
        std::memcpy(row, row - stride, rowBytes);
    }
}

void PixelBuffer::copyFrom(const RECT& rect, const PixelBuffer& source) {
    if (source.channels != channels || data == nullptr || source.data == nullptr) {
        return;
    }
    int64_t w = width;
    int64_t h = height;
    if (rect.left >= w || rect.top >= h) {
        return;
    }
    int64_t x1 =
        std::min<int64_t>(std::min<int64_t>(rect.right, w), int64_t(rect.left) + source.width);
    int64_t y1 =
        std::min<int64_t>(std::min<int64_t>(rect.bottom, h), int64_t(rect.top) + source.height);
    int64_t x0 = rect.left > 0 ? rect.left : 0;
    int64_t y0 = rect.top > 0 ? rect.top : 0;
    if (x1 <= x0 || y1 <= y0) {
        return;
    }
    size_t rowBytes = static_cast<size_t>(x1 - x0) * channels;
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* from =
            source.data + (y - rect.top) * source.stride + (x0 - rect.left) * channels;
        std::memcpy(data + y * stride + x0 * channels, from, rowBytes);
    }
}

void PixelBuffer::applyLut(const RECT& rect, const uint8_t* table) {
    RECT area = clipToBuffer(rect, width, height);
    if (isEmpty(area) || (channels != 3 && channels != 4) || data == nullptr) {
        return;
    }
    for (LONG y = area.top; y < area.bottom; ++y) {
        uint8_t* pixel = data + y * stride + area.left * channels;
        for (LONG x = area.left; x < area.right; ++x, pixel += channels) {
            for (int32_t c = 0; c < channels; ++c) {
                pixel[c] = table[c * 256 + pixel[c]];
            }
        }
    }
}

void PixelBuffer::release() {
    std::free(data);
    data = nullptr;
    width = 0;
    height = 0;
    channels = 0;
    stride = 0;
    byteSize = 0;
    capacity = 0;
}

void buildChannelLut(uint8_t* table, const float* scales, const float* offsets, int32_t channels) {
    for (int32_t k = 0; k < channels; ++k) {
        for (int32_t j = 0; j < 256; ++j) {
            float value = static_cast<float>(j) * scales[k] + (offsets[k] + 0.5f);
            uint8_t entry = 0;
            if (value >= 255.0f) {
                entry = 255;
            } else if (value > 0.0f) {
                entry = static_cast<uint8_t>(value);
            }
            table[k * 256 + j] = entry;
        }
    }
}
