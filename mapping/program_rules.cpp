#include "mapping/program_rules.h"

#include <cstring>
#include <cwchar>

namespace {

const wchar_t* const kProgramValueNames[kProgramValueCount] = {L"Pause", L"P1", L"P2",
                                                               L"P3",    L"P4", L"P5"};

// Appends `from` to `text` at `at`, doubling ampersands when asked, and
// always leaves room for the terminating zero.
template <size_t N>
size_t append(wchar_t (&text)[N], size_t at, const wchar_t* from, bool doubleAmpersands) {
    for (; *from != 0 && at + 1 < N; ++from) {
        if (doubleAmpersands && *from == L'&') {
            if (at + 2 >= N) {
                break;
            }
            text[at++] = L'&';
        }
        text[at++] = *from;
    }
    text[at] = 0;
    return at;
}

} // namespace

bool programNameFromPath(const wchar_t* path, wchar_t (&name)[kProgramNameChars]) {
    name[0] = 0;
    const wchar_t* start = path;
    for (const wchar_t* c = path; *c != 0; ++c) {
        if (*c == L'\\' || *c == L'/') {
            start = c + 1;
        }
    }
    size_t length = std::wcslen(start);
    if (length == 0 || length >= kProgramNameChars) {
        return false;
    }
    for (size_t i = 0; i <= length; ++i) {
        wchar_t c = start[i];
        name[i] = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    return true;
}

void resetProgram(AppState& s, const wchar_t* name) {
    ProgramSettings& program = s.program;
    program.name[0] = 0;
    append(program.name, 0, name, false);
    program.pauseHere = 0;
    program.ownTables = 0;
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        std::memcpy(program.mappingCodes[slot], s.profiles[slot].mappingCodes, kMappingBytes);
    }
}

void listProgramValues(AppState& s, StoredValue (&values)[kProgramValueCount]) {
    values[0] = {kProgramValueNames[0], &s.program.pauseHere, sizeof(int32_t)};
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        values[1 + slot] = {kProgramValueNames[1 + slot], s.program.mappingCodes[slot],
                            kMappingBytes};
    }
}

void settleProgram(ProgramSettings& program) {
    program.pauseHere = program.pauseHere == 1 ? 1 : 0;
}

void programMenuText(const ProgramSettings& program, wchar_t (&text)[2 * kProgramNameChars]) {
    if (program.name[0] == 0) {
        append(text, 0, L"In Another Program", false);
        return;
    }
    append(text, append(text, 0, L"In ", false), program.name, true);
}

void programDialogTitle(const ProgramSettings& program, wchar_t (&text)[2 * kProgramNameChars]) {
    append(text, append(text, 0, L"Map Buttons: ", false), program.name, false);
}
