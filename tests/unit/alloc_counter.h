#pragma once
#include <cstddef>

// Number of operator new calls since the program started.
size_t allocationCount();
