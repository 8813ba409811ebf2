#pragma once
#include <cstddef>
#include <cstdint>

// Decodes one input into the registry key and the screen metrics, loads the
// settings and the mapping tables, and aborts on anything out of range.
void runSettingsCase(const uint8_t* data, size_t size);
