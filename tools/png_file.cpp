#include "tools/png_file.h"

#include <zlib.h>

namespace {

void putBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// A chunk: length, type, data and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBig32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    putBig32(out, static_cast<uint32_t>(crc));
}

// Rows in RGBA order, each after filter type 1 (each byte less the byte of
// the pixel to its left), which suits the icon's flat areas and gradients.
std::vector<uint8_t> filteredRows(const IconImage& image) {
    size_t stride = static_cast<size_t>(image.size) * 4;
    std::vector<uint8_t> rows;
    for (int32_t y = 0; y < image.size; ++y) {
        const uint8_t* bgra = image.bgra + y * stride;
        rows.push_back(1);
        for (size_t x = 0; x < stride; ++x) {
            size_t channel = x % 4 == 3 ? x : x - x % 4 + (2 - x % 4);
            uint8_t left = x >= 4 ? bgra[channel - 4] : 0;
            rows.push_back(static_cast<uint8_t>(bgra[channel] - left));
        }
    }
    return rows;
}

} // namespace

std::vector<uint8_t> encodePng(const IconImage& image) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    putBig32(header, static_cast<uint32_t>(image.size));
    putBig32(header, static_cast<uint32_t>(image.size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, deflate, no interlace
    putChunk(out, "IHDR", header);
    std::vector<uint8_t> rows = filteredRows(image);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9);
    packed.resize(packedSize);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}
