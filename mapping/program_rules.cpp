#include "mapping/program_rules.h"

#include <cstring>
#include <cwchar>
#include <iterator>

#include "core/text.h"

namespace {

const wchar_t* const kProgramValueNames[kProgramValueCount] = {L"Pause", L"P1", L"P2",
                                                               L"P3",    L"P4", L"P5"};

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

bool isShellProgram(const wchar_t* name) {
    return std::wcscmp(name, L"explorer.exe") == 0;
}

void resetProgram(AppState& s, const wchar_t* name) {
    ProgramSettings& program = s.program;
    program.name[0] = 0;
    appendText(program.name, kProgramNameChars, 0, name);
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
        appendText(text, std::size(text), 0, L"In Another Program");
        return;
    }
    appendText(text, std::size(text), appendText(text, std::size(text), 0, L"In "), program.name,
               true);
}

void programDialogTitle(const ProgramSettings& program, wchar_t (&text)[2 * kProgramNameChars]) {
    appendText(text, std::size(text), appendText(text, std::size(text), 0, L"Map Buttons: "),
               program.name);
}
