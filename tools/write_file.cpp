#include "tools/write_file.h"

#include <cstdio>

bool writeFile(const char* path, const uint8_t* bytes, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes, 1, size, file) == size;
    bool closed = std::fclose(file) == 0;
    return written && closed;
}
