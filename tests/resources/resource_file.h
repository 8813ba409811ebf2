#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The bytes of a committed file under resources/, empty when it cannot be read.
inline std::vector<uint8_t> readResourceFile(const char* name) {
    std::string path = std::string(TAVLOR_SOURCE_DIR) + "/resources/" + name;
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
}

// The index of the first byte that differs, or -1 when both are equal.
inline long firstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            return static_cast<long>(i);
        }
    }
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}
