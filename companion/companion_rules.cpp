#include "companion/companion_rules.h"

#include <cwchar>
#include <iterator>

#include "core/text.h"

namespace {

bool isSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The word at `at` (after spaces): its start and length.
const wchar_t* nextWord(const wchar_t* at, size_t& length) {
    while (isSpace(*at)) {
        ++at;
    }
    length = 0;
    while (at[length] != 0 && !isSpace(at[length])) {
        ++length;
    }
    return at;
}

bool wordIs(const wchar_t* word, size_t length, const wchar_t* expected) {
    wchar_t copy[16];
    if (length >= std::size(copy)) {
        return false;
    }
    std::wmemcpy(copy, word, length);
    copy[length] = 0;
    return sameTextIgnoringCase(copy, expected);
}

// A process id in decimal; 0 for anything else, or one that does not fit.
uint32_t processIdOf(const wchar_t* word, size_t length) {
    uint64_t id = 0;
    for (size_t i = 0; i < length; ++i) {
        if (word[i] < L'0' || word[i] > L'9' || length > 10) {
            return 0;
        }
        id = id * 10 + static_cast<uint64_t>(word[i] - L'0');
    }
    return id <= UINT32_MAX ? static_cast<uint32_t>(id) : 0;
}

} // namespace

void trayTipText(const AppState& s, wchar_t (&tip)[kTrayTipChars]) {
    size_t at = appendText(tip, kTrayTipChars, 0, L"Tavlor: ");
    if (emulationPaused(s)) {
        appendText(tip, kTrayTipChars, at, L"paused");
    } else if (programOutOfReach(s)) {
        // The name gives way first, so that "(administrator)" always shows.
        wchar_t name[kTrayTipChars - 40];
        appendText(name, std::size(name), 0, s.program.name);
        at = appendText(tip, kTrayTipChars, at, L"cannot reach ");
        appendText(tip, kTrayTipChars, appendText(tip, kTrayTipChars, at, name),
                   L" (administrator)");
    } else if (s.controllerCount <= 0 || s.controllers[s.activeController].present == 0) {
        appendText(tip, kTrayTipChars, at, L"no controller");
    } else {
        const wchar_t number[2] = {static_cast<wchar_t>(L'1' + s.activeController), 0};
        appendText(tip, kTrayTipChars, appendText(tip, kTrayTipChars, at, L"controller "), number);
    }
}

bool updateTrayLook(AppState& s) {
    wchar_t tip[kTrayTipChars];
    trayTipText(s, tip);
    int32_t grey = emulationPaused(s) ? 1 : 0;
    if (grey == s.trayGrey && std::wcscmp(tip, s.trayTip) == 0) {
        return false;
    }
    s.trayGrey = grey;
    std::wmemcpy(s.trayTip, tip, kTrayTipChars);
    return true;
}

void greyPixels(uint32_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        uint32_t p = pixels[i];
        uint32_t luma = (77 * ((p >> 16) & 0xFF) + 150 * ((p >> 8) & 0xFF) + 29 * (p & 0xFF)) >> 8;
        pixels[i] = (p & 0xFF000000u) | luma << 16 | luma << 8 | luma;
    }
}

LaunchOptions parseLaunchOptions(const wchar_t* commandLine) {
    LaunchOptions options = {false, 0};
    size_t length = 0;
    for (const wchar_t* word = nextWord(commandLine, length); length > 0;
         word = nextWord(word + length, length)) {
        if (wordIs(word, length, L"/background")) {
            options.background = true;
        } else if (wordIs(word, length, L"/after")) {
            const wchar_t* id = nextWord(word + length, length);
            options.afterProcess = processIdOf(id, length);
            word = id;
        }
    }
    return options;
}

bool composeRunValue(const wchar_t* exePath, wchar_t* value, size_t capacity) {
    size_t at = appendText(value, capacity, 0, L"\"");
    at = appendText(value, capacity, at, exePath);
    at = appendText(value, capacity, at, L"\" /background");
    return at == std::wcslen(exePath) + 14;
}

bool runValueNamesExe(const wchar_t* value, const wchar_t* exePath) {
    wchar_t first[1024];
    wchar_t end = L' ';
    if (*value == L'"') {
        ++value;
        end = L'"';
    }
    size_t length = 0;
    while (value[length] != 0 && value[length] != end && length + 1 < std::size(first)) {
        first[length] = value[length];
        ++length;
    }
    first[length] = 0;
    return sameTextIgnoringCase(first, exePath);
}

bool outOfReach(uint32_t ownLevel, bool levelRead, uint32_t programLevel) {
    return !levelRead || programLevel > ownLevel;
}
