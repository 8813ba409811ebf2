#pragma once
#include <cstdint>
#include <vector>

// The bytes of tavlor.ico: the icon drawn at every size, packed into one file.
std::vector<uint8_t> buildTavlorIcon();
