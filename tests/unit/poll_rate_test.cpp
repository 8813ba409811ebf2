#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "input/axis_math.h"
#include "mapping/settings_rules.h"
#include "rig.h"

TEST(MouseEmulation, EachDeadZoneHoldsAtItsEdgeAndMotionCountsFromThereWithAndWithoutTheCurve) {
    auto past = [](float edge) { return std::nextafter(edge, 1.0f); };
    // Dead zone, curved, X, Y, R, and the record at Medium (28 pixels, 120 a notch).
    // clang-format off
    const std::tuple<int32_t, bool, float, float, float, const char*> rows[] = {
        {3, 0, 0.03f, -0.03f, 0.03f, ""}, {3, 0, past(0.03f), 0, 0, "f1:0,0,0"},
        {3, 0, 0.5f, 0, -0.5f, "f801:14,0,60"}, {3, 1, 0.5f, 0, 0, "f1:7,0,0"},
        {8, 0, 0.08f, -0.08f, 0.08f, ""}, {8, 0, 0, -past(0.08f), 0, "f1:0,0,0"},
        {8, 0, 0.5f, 0.05f, -0.5f, "f801:12,0,54"}, {15, 0, 0.15f, 0.10f, -0.15f, ""},
        {15, 0, past(0.15f), 0, 0, "f1:0,0,0"}, {15, 0, 0.5f, -0.5f, 1.0f, "f801:11,-11,-120"},
        {15, 1, 0.38f, 0, 0, ""}, {15, 1, -0.5f, 0, 0, "f1:-3,0,0"},
        {25, 0, 0.25f, -0.25f, -0.25f, ""}, {25, 0, -past(0.25f), 0, 0, "f1:0,0,0"},
        {25, 0, 0.5f, -1.0f, 0.3f, "f801:9,-28,-8"}, {25, 1, 0.75f, 0, 0, "f1:11,0,0"}};
    // clang-format on
    for (const auto& [zone, curved, x, y, r, expected] : rows) {
        const float cx = curved ? applyCurve(x) : x, cy = curved ? applyCurve(y) : y;
        EXPECT_EQ(describe({INPUT_MOUSE, {mouseMotion(cx, cy, r, 28.0f, 120.0f, zone)}}), expected)
            << zone << "% " << x << "," << y << "," << r;
    }
}

// One poll at a rate, with these buttons and the stick and R at these positions.
static std::string poll(Rig& r, int32_t rate, uint32_t buttons, uint32_t x = 32767,
                        uint32_t y = 32767, uint32_t wheel = 32767) {
    JOYINFOEX& j = r.s.joyInfo;
    std::tie(j.dwButtons, j.dwPOV, j.dwXpos, j.dwYpos, j.dwRpos) =
        std::tie(buttons, kHatCentred, x, y, wheel);
    bool discovery = decideTick(true, pollPeriodMs(rate));
    return r.sent() + (discovery ? "discovery" : "");
}

TEST(PollRate, RepeatsAndDiscoveriesKeepTheirMillisecondsAtEveryRate) {
    // Per rate, the polls after the press of Auto's first four repeats and of Delayed Auto's first
    // two; of the discovery 10 s without a controller, 500 ms after a device change and 2 s into
    // a burst of them.
    // clang-format off
    const std::tuple<int32_t, std::vector<int>, std::vector<int>, int, int, int> rows[] = {
        {50, {1, 2, 3, 4}, {13, 14}, 501, 25, 100}, {125, {3, 5, 8, 10}, {33, 35}, 1251, 63, 250},
        {250, {5, 10, 15, 20}, {65, 70}, 2501, 125, 500},
        {500, {10, 20, 30, 40}, {130, 140}, 5001, 250, 1000}};
    // clang-format on
    for (const auto& [rate, autoRepeats, delayedRepeats, lonely, settled, burst] : rows) {
        Rig r;
        r.s.triggerModes = 0x021; // Button 1 ('A') Auto, Button 5 ('B') Delayed Auto
        std::memcpy(r.s.profiles[0].mappingCodes, "\0\0\0\0A\0\0\0B", 9);
        std::vector<int> repeats[2], due[3];
        ASSERT_EQ(poll(r, rate, 0x11), "d41 d42");
        for (int n = 1; n < rate; ++n) { // the rest of a second
            const std::string sent = poll(r, rate, 0x11);
            for (int k = 0; k < 2; ++k) {
                if (sent.find(k == 0 ? "u41 d41" : "u42 d42") != std::string::npos) {
                    repeats[k].push_back(n);
                }
            }
        }
        EXPECT_EQ(repeats[0].size(), 49u) << rate;
        repeats[0].resize(4), repeats[1].resize(2);
        EXPECT_EQ(std::tie(repeats[0], repeats[1]), std::tie(autoRepeats, delayedRepeats)) << rate;
        for (int n = 1; n <= 6000; ++n) {
            if (n == 1 || (n > 1000 && n <= 1000 + burst)) {
                scheduleDiscovery(); // once, then at every poll
            }
            if (poll(r, rate, 0) == "discovery") {
                due[n <= 1000].push_back(n <= 1000 ? n : n - 1000);
            }
        }
        r.s.controllerCount = 0;
        for (int n = 1; due[2].empty(); ++n) {
            if (poll(r, rate, 0) == "discovery") {
                due[2].push_back(n);
            }
        }
        EXPECT_EQ(std::tie(due[1], due[0], due[2]),
                  std::tuple(std::vector{settled}, std::vector{burst}, std::vector{lonely}))
            << rate;
    }
}

TEST(PollRate, InASecondThePointerTravelsAsFarAndTheWheelTurnsAsOftenAtEveryRate) {
    // Stick and R positions, and the pixels and notches of a second at Medium; 34078 reads
    // 0.04, a pixel a step, and 33000 0.007, inside the zone.
    // clang-format off
    const std::tuple<uint32_t, uint32_t, uint32_t, int, int, int> rows[] = {
        {65535, 32767, 65535, 1400, 0, 50}, {34078, 0, 32767, 50, -1400, 0},
        {0, 16384, 0, -1400, -650, 50}, {33000, 32767, 32767, 0, 0, 0}};
    // clang-format on
    for (const auto& [x, y, wheel, wantX, wantY, notches] : rows) {
        for (int32_t rate : kPollRates) {
            Rig r;
            std::tie(r.s.mouseController, r.s.mouseSpeed) = std::tuple(0, 1);
            int travelled[3] = {};
            for (int n = 0; n < rate; ++n) {
                unsigned flags = 0;
                int dx = 0, dy = 0, notch = 0;
                std::sscanf(poll(r, rate, 0, x, y, wheel).c_str(), "f%x:%d,%d,%d", &flags, &dx, &dy,
                            &notch);
                travelled[0] += dx, travelled[1] += dy, travelled[2] += notch != 0;
            }
            EXPECT_EQ(std::tie(travelled[0], travelled[1], travelled[2]),
                      std::tie(wantX, wantY, notches))
                << x << "," << y << " at " << rate;
        }
    }
}

TEST(Settings, DeadZoneAndPollRateLoadAsOneOfTheirChoicesOrAsTheDefault) {
    AppState s;
    s.deadZone = s.pollRate = 8;
    setDefaultSettings(s, 1920, 1080);
    EXPECT_EQ(std::tie(s.deadZone, s.pollRate), std::tuple(3, 50));
    // One number stored as both, and what each settles to.
    // clang-format off
    const std::tuple<int32_t, int32_t, int32_t> rows[] = {
        {8, 8, 50}, {15, 15, 50}, {25, 25, 50}, {125, 3, 125}, {250, 3, 250}, {500, 3, 500},
        {0, 3, 50}, {-8, 3, 50}, {24, 3, 50}, {26, 3, 50}, {49, 3, 50}, {501, 3, 50},
        {INT32_MIN, 3, 50}};
    // clang-format on
    for (const auto& [stored, zone, rate] : rows) {
        s.deadZone = s.pollRate = stored;
        settleSettings(s, 1920, 1080);
        EXPECT_EQ(std::tie(s.deadZone, s.pollRate), std::tie(zone, rate)) << stored;
    }
}
