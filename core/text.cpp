#include "core/text.h"

size_t appendText(wchar_t* text, size_t capacity, size_t at, const wchar_t* from,
                  bool doubleAmpersands) {
    if (capacity == 0) {
        return 0;
    }
    for (; *from != 0 && at + 1 < capacity; ++from) {
        if (doubleAmpersands && *from == L'&') {
            if (at + 2 >= capacity) {
                break;
            }
            text[at++] = L'&';
        }
        text[at++] = *from;
    }
    text[at] = 0;
    return at;
}

namespace {

wchar_t lowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

} // namespace

bool sameTextIgnoringCase(const wchar_t* a, const wchar_t* b) {
    for (; *a != 0 && lowerAscii(*a) == lowerAscii(*b); ++a, ++b) {
    }
    return lowerAscii(*a) == lowerAscii(*b);
}
