#pragma once
// A fresh AppState and a fresh Win32 stand-in for every test.
#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "fake_menu.h"
#include "fake_win32.h"

class TavlorTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetFakeWin32();
        resetFakeMenus();
        state_ = std::make_unique<AppState>();
        publishAppState(state_.get());
    }
    void TearDown() override { publishAppState(nullptr); }

    AppState& state() { return *state_; }
    FakeWin32& fake() { return fakeWin32(); }

private:
    std::unique_ptr<AppState> state_;
};

// Packs a screen point the way WM_CONTEXTMENU and the hit test carry it.
inline LPARAM pointParam(int x, int y) {
    return static_cast<LPARAM>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}
