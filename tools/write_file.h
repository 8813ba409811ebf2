#pragma once
#include <cstddef>
#include <cstdint>

// Writes size bytes to the file at path, replacing it. Returns false on any failure.
bool writeFile(const char* path, const uint8_t* bytes, size_t size);
