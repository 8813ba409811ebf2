#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "companion/companion_rules.h"
#include "mapping/program_rules.h"
#include "rig.h"

TEST(Tray, TipNamesTheStateFromPausedToTheActiveController) {
    Rig r;
    resetProgram(r.s, std::wstring(200, L'x').c_str());
    wchar_t tip[kTrayTipChars];
    auto tipFor = [&](int32_t paused, int32_t unreachable, int32_t present) {
        r.s.paused = paused;
        r.s.programInFront = r.s.programUnreachable = unreachable;
        r.s.controllers[2].present = present;
        r.s.activeController = 2;
        trayTipText(r.s, tip);
        return std::wstring(tip);
    };
    EXPECT_EQ(tipFor(1, 1, 0), L"Tavlor: paused");
    const std::wstring cut = tipFor(0, 1, 0);
    EXPECT_EQ(cut.substr(0, 24) + L"|" + cut.substr(cut.size() - 16),
              L"Tavlor: cannot reach xxx| (administrator)");
    EXPECT_EQ(tipFor(0, 0, 0), L"Tavlor: no controller");
    r.s.programUnreachable = 1; // Tavlor itself in front
    trayTipText(r.s, tip);
    EXPECT_EQ(std::wstring(tip), L"Tavlor: no controller");
    EXPECT_EQ(tipFor(0, 0, 1), L"Tavlor: controller 3");
    r.s.controllerCount = 0;
    EXPECT_EQ(tipFor(0, 0, 1), L"Tavlor: no controller");
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

TEST(Tray, OutOfReachAboveTavlorsLevelOrUnreadableAndNothingGoesOutWhileInFront) {
    EXPECT_EQ(std::tuple(outOfReach(0x2000, true, 0x3000), outOfReach(0x2000, true, 0x2000),
                         outOfReach(0x3000, true, 0x2000), outOfReach(0x3000, false, 0)),
              std::tuple(true, false, false, true));
    Rig r;
    for (const auto& [inFront, unreachable] : {std::pair{1, 1}, {0, 1}, {1, 0}}) {
        std::tie(r.s.programInFront, r.s.programUnreachable) = std::tie(inFront, unreachable);
        EXPECT_EQ(r.tick(0x1) + r.tick(0), inFront && unreachable ? "" : "d08u08");
    }
}
