#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "core/app_state.h"
#include "app/dialog_placement.h"
#include "mapping/key_catalogue.h"
#include "mapping/settings_rules.h"

TEST(Settings, DefaultsAreMediumCurvedAndAScaleForTheScreen) {
    AppState s;
    const std::tuple<int32_t, int32_t, int32_t> screens[] = {
        {1920, 1080, 1}, {2160, 3840, 2}, {800, 600, 1}, {7680, 4320, 4}, {9000, 9000, 4}};
    for (const auto& [w, h, scale] : screens) {
        setDefaultSettings(s, w, h);
        EXPECT_EQ(s.windowScale, scale) << w << "x" << h;
    }
    EXPECT_EQ(std::tie(s.triggerModes, s.mouseSpeed, s.mouseCurve, s.windowX, s.windowY),
              std::tuple(0u, 1, 1, 150, 100));
}

TEST(Settings, StoredValuesAreBroughtIntoRange) {
    AppState s;
    for (const auto& [speed, settled] : {std::pair{-1, 2}, {-2, 1}, {-3, 0}, {5, 2}}) {
        s.mouseSpeed = speed;
        s.triggerModes = 0xF212;
        s.mouseCurve = 3;
        s.windowScale = speed + 1;
        settleSettings(s, 1920, 1080);
        EXPECT_EQ(std::tie(s.mouseSpeed, s.triggerModes, s.mouseCurve, s.windowScale),
                  std::tuple(settled, 0x212u, 1, speed < 0 ? 1 : 4));
    }
    // A left edge at scales 1 and 2 (picture 484 wide, frame 5) on a 1920 wide screen.
    const std::tuple<int32_t, int32_t, int32_t> edges[] = {
        {-484, 1, 480}, {-483, 1, -483}, {1915, 1, 480}, {1914, 1, 1914},
        {-968, 2, 480}, {-967, 2, -967}, {1910, 2, 480}, {1909, 2, 1909}};
    for (const auto& [stored, scale, settled] : edges) {
        EXPECT_EQ(settlePosition(stored, 484, scale, 1920), settled) << stored << " at " << scale;
    }
}

TEST(Settings, PositionWorthSavingWithAtMostHalfThePictureOffScreen) {
    EXPECT_FALSE(positionWorthSaving({-242, 0, 242, 175}, 1));
    EXPECT_TRUE(positionWorthSaving({-241, 0, 243, 175}, 1));
    EXPECT_FALSE(positionWorthSaving({0, -87, 484, 88}, 1));
}

TEST(Settings, StoredBytesOverlayOnlyTheStartOfAFieldTheyFit) {
    AppState s;
    StoredValue values[kSettingCount];
    listSettings(s, values);
    const uint8_t bytes[] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE};
    s.mouseSpeed = 0x11223344;
    overlayStoredValue(values[1], bytes, 5); // too large: nothing changes
    overlayStoredValue(values[1], bytes, 2);
    overlayStoredValue(profileValue(s, 2), bytes, 4); // P3's four D-pad codes
    EXPECT_EQ(s.mouseSpeed, 0x1122BBAA);
    EXPECT_EQ(std::string(s.profiles[2].mappingCodes, s.profiles[2].mappingCodes + 6),
              std::string("\xAA\xBB\xCC\xDD\0\0", 6));
}

TEST(KeyCatalogue, NamesAndCodesAreUniqueAndKnownKeysHaveTheirCodes) {
    std::map<std::wstring, int> codeOf;
    std::set<int> codes;
    for (const KeyEntry& entry : keyCatalogue) {
        codes.insert(codeOf[entry.name] = entry.code);
    }
    EXPECT_EQ(std::tuple(codeOf.size(), codes.size(), codeOf[L"Delete"], codeOf[L"Letter A"]),
              std::tuple(104u, 104u, 46, 65));
}

TEST(DialogPlacement, DialogSitsCentredOverTheArea) {
    POINT p = centeredPosition({500, 500, 700, 601}, {-1920, 40, 1, 1080});
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(-1060, 509));
}
