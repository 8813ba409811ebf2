#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "app/dialogs/dialog_placement.h"
#include "core/app_state.h"
#include "mapping/settings_rules.h"

TEST(Settings, EachRuleHoldsAtItsEdges) {
    AppState s;
    // Defaults: Medium, Curved, and a scale for the primary screen's shorter side in steps of 1080.
    // clang-format off
    const std::pair<int32_t, int32_t> sides[] = {
        {0, 1}, {1079, 1}, {1080, 1}, {2000, 1}, {2159, 1}, {2160, 2}, {3239, 2}, {3240, 3},
        {4319, 3}, {4320, 4}, {5399, 4}, {5400, 4}, {9000, 4}};
    // clang-format on
    for (const auto& [side, scale] : sides) {
        for (const auto& [w, h] : {std::pair{9001, side}, {side, 9001}}) {
            setDefaultSettings(s, w, h);
            EXPECT_EQ(s.windowScale, scale) << w << "x" << h;
        }
    }
    EXPECT_EQ(std::tie(s.triggerModes, s.mouseSpeed, s.mouseCurve, s.windowX, s.windowY),
              std::tuple(0u, 1, 1, 150, 100));
    // One number stored as speed, curve, scale, trigger modes and Hidden, and what each settles to
    // (Hidden: 1 only for 1).
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t, int32_t, uint32_t> values[] = {
        {INT32_MIN, 1, 0, 1, 0}, {-4, 2, 0, 1, 0xFFC}, {-3, 0, 1, 1, 0xFFD}, {-1, 2, 1, 1, 0xFFF},
        {0, 0, 0, 1, 0}, {1, 1, 1, 1, 1}, {2, 2, 0, 2, 2}, {3, 0, 1, 3, 3}, {4, 1, 0, 4, 4},
        {5, 2, 1, 4, 5}, {0xF212, 2, 0, 4, 0x212}, {INT32_MAX, 1, 1, 4, 0xFFF}};
    // clang-format on
    for (const auto& [stored, speed, curve, scale, modes] : values) {
        s.mouseSpeed = s.mouseCurve = s.windowScale = s.windowHidden = stored;
        s.triggerModes = static_cast<uint32_t>(stored);
        settleSettings(s, 1920, 1080);
        EXPECT_EQ(
            std::tie(s.mouseSpeed, s.mouseCurve, s.windowScale, s.triggerModes, s.windowHidden),
            std::tuple(speed, curve, scale, modes, stored == 1 ? 1 : 0));
    }
    // Edges where the picture (484 x 175, frame 5) leaves a 1920 x 1080 screen at scales 1 and 2,
    // where a position goes to a quarter of the screen's size, and edges where more than half the
    // picture is off the screen's left or top, where it is no longer worth saving.
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, bool> positions[] = {
        {1, -484, -174, 480, -174, 0}, {1, -483, -175, -483, 270, 0}, {1, 1915, 1074, 480, 1074, 1},
        {1, 1914, 1075, 1914, 270, 1}, {2, -968, -349, 480, -349, 0}, {2, -967, -350, -967, 270, 0},
        {2, 1910, 1069, 480, 1069, 1}, {2, 1909, 1070, 1909, 270, 1}, {1, -242, -86, -242, -86, 0},
        {1, -241, -87, -241, -87, 0}, {1, -241, -86, -241, -86, 1}, {2, -484, -174, -484, -174, 0},
        {2, -483, -175, -483, -175, 0}, {2, -483, -174, -483, -174, 1}};
    // clang-format on
    for (const auto& [scale, x, y, settledX, settledY, worth] : positions) {
        std::tie(s.windowScale, s.windowX, s.windowY) = std::tie(scale, x, y);
        settleSettings(s, 1920, 1080);
        EXPECT_EQ(
            std::tuple(s.windowX, s.windowY, positionWorthSaving({x, y, x + 968, y + 350}, scale)),
            std::tuple(settledX, settledY, worth));
    }
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
    // Save keeps a modifier byte written by anything else until its boxes change.
    const int saved[] = {savedModifierByte(0x81, 0), savedModifierByte(0x81, 1),
                         savedModifierByte(15, 15), savedModifierByte(15, 7),
                         savedModifierByte(0, 9)};
    EXPECT_EQ(std::vector<int>(saved, saved + 5), (std::vector<int>{0x81, 1, 15, 7, 9}));
}

TEST(DialogPlacement, DialogSitsCentredOverTheArea) {
    POINT p = centeredPosition({500, 500, 700, 601}, {-1920, 40, 1, 1080});
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(-1060, 509));
    // Kept inside the work area: past its left edge; past its bottom and wider than it.
    p = keptInside({-19, 19}, {0, 0, 832, 427}, {0, 0, 1920, 1080});
    POINT q = keptInside({1500, 900}, {0, 0, 3000, 427}, {0, 0, 1920, 1080});
    EXPECT_EQ(std::tuple(p.x, p.y, q.x, q.y), std::tuple(0, 19, 0, 653));
}
