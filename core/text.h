#pragma once
#include <cstddef>

// Appends `from` to the zero-terminated text in `text` (room for `capacity`
// characters) at `at`, doubling ampersands when asked so that a menu shows
// them, cutting what does not fit. Returns the new length.
size_t appendText(wchar_t* text, size_t capacity, size_t at, const wchar_t* from,
                  bool doubleAmpersands = false);

// Whether two texts are equal, ignoring the case of the letters A to Z.
bool sameTextIgnoringCase(const wchar_t* a, const wchar_t* b);
