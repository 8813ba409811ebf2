#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "companion/companion_rules.h"
#include "mapping/program_rules.h"
#include "rig.h"

TEST(Tray, TipNamesTheStateFromPausedToTheActiveControllerAndEachChangeReachesTheShell) {
    Rig r;
    resetProgram(r.s, std::wstring(200, L'x').c_str());
    // In turn: paused by the switch or Pause Here, a program in front or Tavlor (unreachable
    // but not in front), the controllers counted, the active one present, and the active one.
    // The tip, " grey" while the icon is, " same" when nothing changed for the shell.
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                     const wchar_t*> rows[] = {
        {1, 0, 1, 1, 5, 0, 2, L"Tavlor: paused grey"}, {1, 0, 1, 1, 5, 0, 2, L"Tavlor: paused grey same"},
        {0, 1, 1, 0, 5, 1, 2, L"Tavlor: paused grey same"},
        {0, 0, 1, 1, 5, 0, 2, L"Tavlor: cannot reach xxx| (administrator)"},
        {0, 0, 0, 0, 5, 0, 2, L"Tavlor: no controller"}, {0, 0, 0, 1, 5, 0, 2, L"Tavlor: no controller same"},
        {0, 0, 0, 1, 5, 1, 2, L"Tavlor: controller 3"}, {0, 0, 0, 1, 5, 1, 4, L"Tavlor: controller 5"},
        {0, 0, 0, 1, 0, 1, 4, L"Tavlor: no controller"}};
    // clang-format on
    for (const auto& [paused, pauseHere, inFront, unreachable, count, present, active, want] :
         rows) {
        std::tie(r.s.paused, r.s.program.pauseHere, r.s.programInFront, r.s.programUnreachable,
                 r.s.controllerCount, r.s.activeController) =
            std::tie(paused, pauseHere, inFront, unreachable, count, active);
        r.s.controllers[active].present = present;
        const bool changed = updateTrayLook(r.s);
        std::wstring tip = r.s.trayTip;
        tip = tip.size() > 60 ? tip.substr(0, 24) + L"|" + tip.substr(tip.size() - 16) : tip;
        EXPECT_EQ(tip + (r.s.trayGrey != 0 ? L" grey" : L"") + (changed ? L"" : L" same"), want);
    }
    // A program is out of reach above Tavlor's integrity level, or when its level is unreadable.
    EXPECT_EQ(std::tuple(outOfReach(0x2000, true, 0x3000), outOfReach(0x2000, true, 0x2000),
                         outOfReach(0x3000, true, 0x2000), outOfReach(0x3000, false, 0)),
              std::tuple(true, false, false, true));
    uint32_t pixels[] = {0x80FF0000, 0xFF00FF00, 0x000000FF, 0xFFFFFFFF};
    greyPixels(pixels, 4);
    EXPECT_EQ(std::tuple(pixels[0], pixels[1], pixels[2], pixels[3]),
              std::tuple(0x804C4C4Cu, 0xFF959595u, 0x001C1C1Cu, 0xFFFFFFFFu));
}

TEST(Tray, CommandLineTakesBackgroundAndAfterAndIgnoresTheRest) {
    // clang-format off
    const std::tuple<const wchar_t*, bool, uint32_t> rows[] = {
        {L"", false, 0}, {L"/background", true, 0}, {L"  /BACKGROUND  /after 4242 ", true, 4242},
        {L"/after", false, 0}, {L"/after x12 /background", true, 0},
        {L"/after 4294967295", false, 4294967295u}, {L"/after 4294967297", false, 0},
        {L"/after 18446744073709551621", false, 0}, {L"/after -1", false, 0},
        {L"/backgrounds /aft 7", false, 0}, {L"\"/background\"", false, 0}};
    // clang-format on
    for (const auto& [line, background, after] : rows) {
        const LaunchOptions options = parseLaunchOptions(line);
        EXPECT_EQ(std::tuple(options.background, options.afterProcess),
                  std::tuple(background, after))
            << std::wstring(line).size();
    }
}

TEST(Tray, RunValueQuotesThisExeAndTheCheckMarkFollowsItsFirstWord) {
    const wchar_t* exe = L"C:\\Program Files\\Tavlor\\Tavlor.exe";
    wchar_t value[64];
    ASSERT_TRUE(composeRunValue(exe, value, 64));
    EXPECT_EQ(std::wstring(value), L"\"C:\\Program Files\\Tavlor\\Tavlor.exe\" /background");
    wchar_t tooSmall[48];
    EXPECT_FALSE(composeRunValue(exe, tooSmall, 48)); // one short of the closing zero
    // clang-format off
    const std::pair<const wchar_t*, bool> rows[] = {
        {value, true}, {L"\"c:\\program files\\tavlor\\TAVLOR.EXE\"", true},
        {L"C:\\Program Files\\Tavlor\\Tavlor.exe /background", false},
        {L"\"C:\\Old\\Tavlor.exe\" /background", false}, {L"\"\"", false}, {L"", false},
        {L"C:\\Tavlor.exe", false}};
    // clang-format on
    for (const auto& [stored, names] : rows) {
        EXPECT_EQ(runValueNamesExe(stored, exe), names) << std::wstring(stored).size();
    }
    EXPECT_TRUE(runValueNamesExe(L"C:\\Tavlor.exe /background", L"C:\\Tavlor.exe"));
}
