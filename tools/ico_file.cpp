#include "tools/ico_file.h"

#include "tools/png_file.h"

namespace {

constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint32_t kInfoHeaderSize = 40;
// The largest image is stored as a PNG, which Windows reads since Vista and
// which takes a fraction of the bitmap's room; the smaller ones as bitmaps.
constexpr int32_t kPngSize = 256;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Bytes per row of the 1-bit AND mask, padded to whole 32-bit words.
uint32_t maskStride(int32_t size) {
    return (static_cast<uint32_t>(size) + 31) / 32 * 4;
}

void putEntry(std::vector<uint8_t>& out, int32_t size, uint32_t bytes, uint32_t offset) {
    uint8_t side = static_cast<uint8_t>(size >= 256 ? 0 : size); // 0 stands for 256
    out.push_back(side);
    out.push_back(side);
    out.push_back(0); // no palette
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, bytes);
    put32(out, offset);
}

// The DIB header counts the colour image and the mask, hence twice the height.
void putInfoHeader(std::vector<uint8_t>& out, int32_t size) {
    uint32_t s = static_cast<uint32_t>(size);
    put32(out, kInfoHeaderSize);
    put32(out, s);
    put32(out, 2 * s);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, s * s * 4 + maskStride(size) * s);
    for (int i = 0; i < 4; ++i) {
        put32(out, 0);
    }
}

// DIB rows run bottom first; the mask marks fully transparent pixels with a set bit.
std::vector<uint8_t> bitmapImage(const IconImage& image) {
    std::vector<uint8_t> out;
    putInfoHeader(out, image.size);
    int32_t s = image.size;
    for (int32_t y = s - 1; y >= 0; --y) {
        const uint8_t* row = image.bgra + y * s * 4;
        out.insert(out.end(), row, row + s * 4);
    }
    for (int32_t y = s - 1; y >= 0; --y) {
        std::vector<uint8_t> mask(maskStride(s), 0);
        for (int32_t x = 0; x < s; ++x) {
            if (image.bgra[(y * s + x) * 4 + 3] == 0) {
                mask[x / 8] = static_cast<uint8_t>(mask[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

} // namespace

std::vector<uint8_t> buildIcoFile(const IconImage* images, int32_t count) {
    std::vector<std::vector<uint8_t>> data;
    for (int32_t i = 0; i < count; ++i) {
        data.push_back(images[i].size == kPngSize ? encodePng(images[i]) : bitmapImage(images[i]));
    }
    std::vector<uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, static_cast<uint32_t>(count));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(count);
    for (int32_t i = 0; i < count; ++i) {
        uint32_t bytes = static_cast<uint32_t>(data[i].size());
        putEntry(out, images[i].size, bytes, offset);
        offset += bytes;
    }
    for (const std::vector<uint8_t>& image : data) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}
