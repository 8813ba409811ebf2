#pragma once
// A fresh AppState and a fresh Win32 stand-in for every test.
#include <gtest/gtest.h>

#include <initializer_list>
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

// A handle or pointer as the call log records it.
inline int64_t arg(const void* pointer) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer));
}

// Whether a logged call exists and its first arguments are these.
inline testing::AssertionResult hasArgs(const FakeCall* call, std::initializer_list<int64_t> args) {
    if (call == nullptr) {
        return testing::AssertionFailure() << "no such call";
    }
    int i = 0;
    for (int64_t want : args) {
        if (call->args[i] != want) {
            return testing::AssertionFailure() << call->name << " argument " << i << " is "
                                               << call->args[i] << ", not " << want;
        }
        ++i;
    }
    return testing::AssertionSuccess();
}
