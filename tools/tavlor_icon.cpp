#include "tools/tavlor_icon.h"

#include <cstddef>

#include "tools/ico_file.h"
#include "tools/icon_art.h"

std::vector<uint8_t> buildTavlorIcon() {
    std::vector<uint8_t> pixels[kIconSizeCount];
    IconImage images[kIconSizeCount];
    for (int32_t i = 0; i < kIconSizeCount; ++i) {
        int32_t size = kIconSizes[i];
        pixels[i].resize(static_cast<size_t>(size * size * 4));
        drawIcon(size, pixels[i].data());
        images[i] = {size, pixels[i].data()};
    }
    return buildIcoFile(images, kIconSizeCount);
}
