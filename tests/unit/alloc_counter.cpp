#include "alloc_counter.h"

#include <cstdlib>
#include <new>

namespace {
size_t gAllocations = 0;
}

size_t allocationCount() { return gAllocations; }

void* operator new(size_t size) {
    ++gAllocations;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        std::abort();
    }
    return p;
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
