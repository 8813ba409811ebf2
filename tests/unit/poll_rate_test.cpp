#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

#include "input/axis_math.h"
#include "mapping/settings_rules.h"
#include "rig.h"

TEST(MouseEmulation,
     EachDeadZoneHoldsAtItsEdgeAndMotionIsTruncatedCountingFromThereBeyondTheFirst) {
    // Dead zone, X (some curved), Y, R, and the record at Medium (28 pixels, 120 a notch). Once
    // either axis leaves the zone both count; the first zone's motion counts from the centre.
    // clang-format off
    const std::tuple<int32_t, float, float, float, const char*> rows[] = {
        {3, 1.0f, 0, 0, "f1:28,0,0"}, {3, 0.5f, 0.01f, 0, "f1:14,0,0"}, {3, -0.05f, 0, 0, "f1:-1,0,0"}, {3, 0.03f, -0.03f, 0.03f, ""},
        {3, 0.031f, 0, 0, "f1:0,0,0"}, {3, 0, 0, 1.0f, "f800:0,0,-120"}, {3, 0, 0, -0.5f, "f800:0,0,60"}, {3, 0, 0.5f, 1.0f, "f801:0,14,-120"},
        {8, 0.08f, -0.08f, 0.08f, ""}, {8, 0, -std::nextafter(0.08f, 1.0f), 0, "f1:0,0,0"}, {8, 0.5f, 0.05f, -0.5f, "f801:12,0,54"},
        {15, 0.15f, 0.10f, -0.15f, ""}, {15, std::nextafter(0.15f, 1.0f), 0, 0, "f1:0,0,0"}, {15, applyCurve(0.38f), 0, 0, ""},
        {15, applyCurve(-0.5f), 0, 0, "f1:-3,0,0"}, {15, 0.5f, -0.5f, 1.0f, "f801:11,-11,-120"}, {25, 0.25f, -0.25f, -0.25f, ""},
        {25, -std::nextafter(0.25f, 1.0f), 0, 0, "f1:0,0,0"}, {25, 0.5f, -1.0f, 0.3f, "f801:9,-28,-8"}, {25, applyCurve(0.75f), 0, 0, "f1:11,0,0"}};
    // clang-format on
    for (const auto& [zone, x, y, r, expected] : rows) {
        EXPECT_EQ(describe({INPUT_MOUSE, {mouseMotion(x, y, r, 28.0f, 120.0f, zone)}}), expected)
            << zone << "% " << x;
    }
}

TEST(PollRate, RepeatsDiscoveriesPointerAndWheelKeepTheirMillisecondsAtEveryRate) {
    // Per rate, the polls after the press of Auto's and Delayed Auto's first two repeats; then of
    // the discovery 500 ms after a device change, 2 s into a burst and 10 s without a controller,
    // twice.
    // clang-format off
    const std::pair<int32_t, std::string> rows[] = {{50, "1 2 13 14 25 100 501 501 "},
        {125, "3 5 33 35 63 250 1251 1251 "}, {250, "5 10 65 70 125 500 2501 2501 "}, {500, "10 20 130 140 250 1000 5001 5001 "}};
    // clang-format on
    for (const auto& [rate, want] : rows) {
        // Button 1 ('A') on Auto, Button 12 ('B') on Delayed Auto, Button 5 on Single and D-pad Up
        // ('C' both), which never repeat; Medium, 28 pixels a step. A second of all four held, the
        // stick fully right and 0.04 up (a pixel a step), R full.
        Rig r;
        JOYINFOEX& j = r.s.joyInfo;
        std::tie(r.s.triggerModes, r.s.mouseController, r.s.mouseSpeed, j.dwXpos, j.dwYpos,
                 j.dwRpos) = std::tuple(0x201, 0, 1, 65535, 31457, 65535);
        std::memcpy(r.s.profiles[0].mappingCodes, "C\0\0\0A\0\0\0C\0\0\0\0\0\0B", 16);
        std::string got;
        int auto_ = 0, delayed = 0, single = 0, moved[3] = {}, m[3] = {};
        for (int n = 0; n < rate; ++n) {
            const std::string sent = r.tick(0x811, 0, pollPeriodMs(rate)) + " f0:0,0,0";
            const bool a = sent.find("u41") < sent.size(), b = sent.find("u42") < sent.size();
            got += (a && ++auto_ <= 2) || (b && ++delayed <= 2) ? std::to_string(n) + " " : "";
            single += sent.find("u43") < sent.size();
            std::sscanf(sent.c_str() + sent.find('f'), "f%*x:%d,%d,%d", &m[0], &m[1], &m[2]);
            moved[0] += m[0], moved[1] += m[1], moved[2] += m[2] / -120;
        }
        EXPECT_EQ(std::tuple(auto_, single, moved[0], moved[1], moved[2]),
                  std::tuple(49, 0, 1400, -50, 50));
        // Each discovery finds the controllers there until the second, then none.
        for (int phase = 0, since = 1; phase < 4 && since < 6000; ++since) {
            if (phase == 1 || (phase == 0 && since == 1)) {
                scheduleDiscovery(); // once, then at every poll
            }
            if (decideTick(true, pollPeriodMs(rate))) {
                got += std::to_string(since) + " ";
                concludeDiscovery(++phase < 2 ? kControllerSlots : 0), since = 0;
            }
        }
        EXPECT_EQ(got, want) << rate;
    }
    EXPECT_EQ(std::tuple(settleChoice(25, kDeadZones), settleChoice(500, kPollRates)),
              std::tuple(25, 500)); // the last choices load as they are stored
}
