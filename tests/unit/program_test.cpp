#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/menu/menu_commands.h"
#include "mapping/program_rules.h"
#include "rig.h"

constexpr uint32_t kButton1 = 0x1;

TEST(Programs, TheProgramInFrontUsesItsOwnTableAndPausesOnlyWhileInFront) {
    Rig r;
    resetProgram(r.s, L"game.exe");
    r.s.program.mappingCodes[0][4] = 'G';
    r.s.program.pauseHere = 1;
    // In front, own table for slot 0; in front without one; not in front.
    const std::tuple<int32_t, uint32_t, const char*, bool> rows[] = {
        {1, 0x1, "d47", true}, {1, 0x2, "d08", true}, {0, 0x1, "d08", false}};
    for (const auto& [inFront, ownTables, pressed, paused] : rows) {
        r.s.programInFront = inFront;
        r.s.program.ownTables = ownTables;
        EXPECT_EQ(emulationPaused(r.s), paused);
        r.s.program.pauseHere = 0;
        EXPECT_EQ(r.tick(kButton1) + r.tick(0).substr(3), std::string(pressed)) << inFront;
        r.s.program.pauseHere = 1;
    }
}

TEST(Programs, NamesAreTheLowerCaseFileNameThatFitsAndStoredValuesSettle) {
    wchar_t name[kProgramNameChars];
    const std::wstring fits(kProgramNameChars - 1, L'x');
    // clang-format off
    const std::tuple<std::wstring, bool, std::wstring> rows[] = {
        {L"C:\\Windows\\NOTEPAD.EXE", true, L"notepad.exe"}, {L"C:\\games\\", false, L""},
        {L"\\\\?\\D:\\Games/My Game\\Game&Co.exe", true, L"game&co.exe"}, {L"", false, L""},
        {L"C:\\" + fits, true, fits}, {L"C:\\" + fits + L"x", false, L""}};
    // clang-format on
    for (const auto& [path, kept, expected] : rows) {
        EXPECT_EQ(programNameFromPath(path.c_str(), name), kept);
        EXPECT_EQ(std::wstring(name), expected);
    }
    AppState s;
    StoredValue values[kProgramValueCount];
    listProgramValues(s, values);
    for (const auto& [stored, settled] : {std::pair{1u, 1}, {2u, 0}, {0xFFFFFFFFu, 0}, {0u, 0}}) {
        overlayStoredValue(values[0], reinterpret_cast<const uint8_t*>(&stored), 4);
        settleProgram(s.program);
        EXPECT_EQ(s.program.pauseHere, settled) << stored;
    }
    resetProgram(s, L"a.exe");
    overlayStoredValue(values[2], reinterpret_cast<const uint8_t*>("\x41"), 1); // P2 laid over
    EXPECT_EQ(std::string(s.program.mappingCodes[1], s.program.mappingCodes[1] + 3),
              "\x41\x62\x64");
    EXPECT_EQ(std::wstring(values[5].name) + std::to_wstring(values[5].size), L"P532");
}

TEST(Programs, MenuNamesTheRememberedProgramWhosePauseAndTablesItSwitches) {
    Rig r;
    wchar_t text[2 * kProgramNameChars];
    programMenuText(r.s.program, text);
    EXPECT_EQ(std::wstring(text), L"In Another Program");
    resetProgram(r.s, L"r&d.exe");
    programMenuText(r.s.program, text);
    EXPECT_EQ(std::wstring(text), L"In r&&d.exe");
    programDialogTitle(r.s.program, text);
    EXPECT_EQ(std::wstring(text), L"Map Buttons: r&d.exe");
    r.s.program.ownTables = 0x4;
    EXPECT_EQ(applyMenuCommand(kCommandPauseHere), MenuAction::kProgramPauseChanged);
    EXPECT_EQ(applyMenuCommand(kCommandUseGeneralMapping), MenuAction::kProgramTablesGone);
    EXPECT_EQ(std::tuple(r.s.program.pauseHere, r.s.program.ownTables), std::tuple(1, 0u));
    applyMenuCommand(kCommandPauseHere);
    EXPECT_EQ(r.s.program.pauseHere, 0);
}

TEST(Programs, OnlyTheShellsOwnFileNameIsTheShell) {
    for (const auto& [name, shell] : {std::pair{L"explorer.exe", true},
                                      {L"explorer.ex", false},
                                      {L"myexplorer.exe", false},
                                      {L"explorer.exe2", false},
                                      {L"", false},
                                      {L"notepad.exe", false}}) {
        EXPECT_EQ(isShellProgram(name), shell) << name;
    }
}
