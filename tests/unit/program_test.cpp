#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/menu/menu_commands.h"
#include "mapping/program_rules.h"
#include "rig.h"

TEST(Programs, EachControllerUsesTheProgramsOwnTableForItsSlotOnlyWhileItIsInFront) {
    Rig r;
    resetProgram(r.s, L"game.exe");
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        r.s.profiles[slot].mappingCodes[4] = static_cast<uint8_t>('1' + slot); // Button 1
        r.s.program.mappingCodes[slot][4] = static_cast<uint8_t>('A' + slot);
    }
    char want[7];
    for (uint32_t own = 0; own < 1u << kControllerSlots; ++own) {
        for (int slot = 0; slot < kControllerSlots; ++slot) {
            for (int32_t inFront : {0, 1}) {
                std::tie(r.s.program.ownTables, r.s.activeController, r.s.programInFront) =
                    std::tie(own, slot, inFront);
                const bool theirs = inFront != 0 && (own >> slot & 1) != 0;
                const int key = (theirs ? 'A' : '1') + slot;
                std::snprintf(want, sizeof want, "d%02Xu%02X", key, key);
                ASSERT_EQ(r.tick(0x1) + r.tick(0), want) << own << slot << inFront;
            }
        }
    }
}

TEST(Programs, NamesAreTheLowerCaseFileNameThatFitsOnlyTheShellsIsTheShellAndValuesSettle) {
    wchar_t name[kProgramNameChars];
    const std::wstring fits(kProgramNameChars - 1, L'x');
    // A path, whether its name is kept, the name, and whether that is the shell's.
    // clang-format off
    const std::tuple<std::wstring, bool, std::wstring, bool> rows[] = {
        {L"C:\\Windows\\NOTEPAD.EXE", true, L"notepad.exe", false}, {L"C:\\games\\", false, L"", false},
        {L"\\\\?\\D:\\Games/My Game\\Game&Co.exe", true, L"game&co.exe", false}, {L"", false, L"", false},
        {L"C:\\" + fits, true, fits, false}, {L"C:\\" + fits + L"x", false, L"", false},
        {L"C:\\Windows\\Explorer.EXE", true, L"explorer.exe", true}, {L"explorer.ex", true, L"explorer.ex", false},
        {L"C:/myexplorer.exe", true, L"myexplorer.exe", false}, {L"explorer.exe2", true, L"explorer.exe2", false}};
    // clang-format on
    for (const auto& [path, kept, expected, shell] : rows) {
        EXPECT_EQ(programNameFromPath(path.c_str(), name), kept);
        EXPECT_EQ(std::tuple(std::wstring(name), isShellProgram(name)),
                  std::tuple(expected, shell));
    }
    AppState s;
    StoredValue values[kProgramValueCount];
    listProgramValues(s, values);
    for (const auto& [stored, settled] : {std::pair{1u, 1}, {2u, 0}, {0xFFFFFFFFu, 0}, {0u, 0}}) {
        overlayStoredValue(values[0], reinterpret_cast<const uint8_t*>(&stored), 4);
        settleProgram(s.program);
        EXPECT_EQ(s.program.pauseHere, settled) << stored;
    }
    // A program starts without a pause or tables of its own, each slot from its general table;
    // each Pn is controller n's table, and only that.
    std::tie(s.program.pauseHere, s.program.ownTables) = std::tuple(1, 0x1Fu);
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        s.profiles[slot].mappingCodes[1] = static_cast<uint8_t>('a' + slot);
    }
    resetProgram(s, L"a.exe");
    EXPECT_EQ(std::tuple(s.program.pauseHere, s.program.ownTables), std::tuple(0, 0u));
    for (int n = 1; n <= kProgramSlots; ++n) {
        EXPECT_EQ(std::tuple(std::wstring(values[n].name), values[n].field, values[n].size,
                             s.program.mappingCodes[n - 1][1]),
                  std::tuple(L"P" + std::to_wstring(n), s.program.mappingCodes[n - 1], 32u,
                             static_cast<uint8_t>('a' + n - 1)));
    }
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
