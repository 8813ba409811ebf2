#include "test_support.h"

#include "app/main_window.h"
#include "fake_registry.h"

namespace {

constexpr LONG kStyle = static_cast<LONG>(0x80CA0000u);

class MainWindowTest : public TavlorTest {
protected:
    void SetUp() override {
        TavlorTest::SetUp();
        hwnd = fakeBareWindow({300, 200, 794, 385}, kStyle);
        state().hwndMain = hwnd;
        state().windowScale = 1;
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return mainWindowProc(hwnd, message, wParam, lParam);
    }
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(MainWindowTest, EveryPointOfTheWindowIsCaption) {
    struct {
        LRESULT byDefault;
        LRESULT expected;
    } cases[] = {{HTCLIENT, HTCAPTION}, {HTCAPTION, HTCAPTION}, {0, 0}, {17, 17}};
    for (const auto& c : cases) {
        fake().hitTestResult = c.byDefault;
        EXPECT_EQ(send(WM_NCHITTEST, 0, pointParam(310, 210)), c.expected);
    }
}

TEST_F(MainWindowTest, TheClientAreaIsTheWholeWindowOnlyWhileTheFrameIsExtended) {
    struct {
        int32_t frameless;
        WPARAM wParam;
        bool byDefault;
    } cases[] = {{0, 1, false}, {0, 0, true}, {1, 1, true}, {1, 0, true}};
    for (const auto& c : cases) {
        SetUp();
        fake().defaultResult = 0x300;
        state().styleFrameless = c.frameless;
        LRESULT result = send(WM_NCCALCSIZE, c.wParam, 0);
        EXPECT_EQ(result, c.byDefault ? 0x300 : 0);
        EXPECT_EQ(countCalls("DefWindowProcW"), c.byDefault ? 1 : 0);
    }
}

TEST_F(MainWindowTest, DoubleClickAndRightReleaseOpenTheMenuWithoutDefaultProcessing) {
    for (UINT message : {WM_NCLBUTTONDBLCLK, WM_NCRBUTTONUP}) {
        SetUp();
        EXPECT_EQ(send(message, HTCAPTION, pointParam(-20, 400)), 0);
        const FakeCall* post = findCall("PostMessageW");
        ASSERT_NE(post, nullptr);
        EXPECT_EQ(post->args[0], reinterpret_cast<intptr_t>(hwnd));
        EXPECT_EQ(post->args[1], WM_CONTEXTMENU);
        EXPECT_EQ(post->args[2], reinterpret_cast<intptr_t>(hwnd));
        EXPECT_EQ(post->args[3], pointParam(-20, 400));
        EXPECT_EQ(countCalls("DefWindowProcW"), 0);
    }
}

TEST_F(MainWindowTest, ARightPressIsLeftForItsReleaseToOpenTheMenu) {
    EXPECT_EQ(send(WM_NCRBUTTONDOWN, HTCAPTION, pointParam(310, 210)), 0);
    EXPECT_EQ(countCalls("DefWindowProcW"), 0);
    EXPECT_EQ(countCalls("PostMessageW"), 0);
}

TEST_F(MainWindowTest, AltXClosesAndOtherSystemKeysOnlyGetDefaultProcessing) {
    send(WM_SYSKEYDOWN, 0x58, 0x20000000);
    ASSERT_EQ(countCalls("PostMessageW"), 1);
    EXPECT_EQ(findCall("PostMessageW")->args[1], WM_CLOSE);
    EXPECT_EQ(countCalls("DefWindowProcW"), 1);

    SetUp();
    send(WM_SYSKEYDOWN, 0x59, 0x20000000);
    EXPECT_EQ(countCalls("PostMessageW"), 0);
    EXPECT_EQ(countCalls("DefWindowProcW"), 1);
}

TEST_F(MainWindowTest, CloseKillsTheTimerDestroysAndPostsTheQuit) {
    fakeWindow(hwnd)->proc = mainWindowProc;
    EXPECT_EQ(send(WM_CLOSE), 0);
    const FakeCall* kill = findCall("KillTimer");
    ASSERT_NE(kill, nullptr);
    EXPECT_EQ(kill->args[1], 1);
    EXPECT_LT(callIndex("KillTimer"), callIndex("DestroyWindow"));
    EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
    EXPECT_NE(fakeRegistryValue(L"Trigger"), nullptr); // settings saved on the way out
    ASSERT_EQ(countCalls("PostQuitMessage"), 1);
    EXPECT_EQ(findCall("PostQuitMessage")->args[0], 0);
}

TEST_F(MainWindowTest, DestroyOutsideTheCloseSequenceDoesNothing) {
    EXPECT_EQ(send(WM_DESTROY), 0);
    EXPECT_EQ(countCalls("PostQuitMessage"), 0);
    EXPECT_EQ(state().lifecycleState, kLifecycleRunning);
}

TEST_F(MainWindowTest, EndOfSessionSavesTheSettingsAndKeepsTheWindow) {
    state().windowScale = 2;
    EXPECT_EQ(send(WM_ENDSESSION, 0, 0), 0);
    EXPECT_EQ(fakeRegistryValue(L"Size"), nullptr);

    EXPECT_EQ(send(WM_ENDSESSION, 1, 0), 0);
    const FakeRegistryValue* size = fakeRegistryValue(L"Size");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->data[0], 2);
    EXPECT_EQ(fakeRegistryValue(L"X")->data[0], 300 & 0xFF); // the window's place now
    EXPECT_EQ(countCalls("DestroyWindow"), 0);
    EXPECT_EQ(state().lifecycleState, kLifecycleRunning);
}

TEST_F(MainWindowTest, EveryTimerTicksTheEngine) {
    fakeJoystickPlug(0, false);
    state().controllers[0].present = 1;
    send(WM_TIMER, 1, 0);
    send(WM_TIMER, 42, 0);
    EXPECT_EQ(fake().joystick.polls[0], 2);
}

TEST_F(MainWindowTest, ActivationRecolourstheFrameOnlyWhenItChanges) {
    state().viewDirty = 0;
    send(WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(state().windowActive, 1);
    EXPECT_EQ(state().viewDirty, 1);
    EXPECT_EQ(countCalls("UpdateWindow"), 1);
    EXPECT_EQ(countCalls("DefWindowProcW"), 1);

    state().viewDirty = 0;
    send(WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(state().viewDirty, 0);
    EXPECT_EQ(countCalls("UpdateWindow"), 1);
    EXPECT_EQ(countCalls("DefWindowProcW"), 2);
}

TEST_F(MainWindowTest, WindowScaleIsClampedAndAnUnchangedScaleDoesNothing) {
    struct {
        int32_t requested;
        int32_t scale;
    } cases[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {9, 4}};
    for (const auto& c : cases) {
        SetUp();
        state().windowScale = 2;
        setWindowScale(c.requested);
        EXPECT_EQ(state().windowScale, c.scale) << c.requested;
        bool changed = c.scale != 2;
        EXPECT_EQ(countCalls("SetWindowPos"), changed ? 1 : 0) << c.requested;
        EXPECT_EQ(countCalls("InvalidateRect"), changed ? 1 : 0) << c.requested;
        if (changed) {
            const FakeCall* move = findCall("SetWindowPos");
            EXPECT_EQ(move->args[4], 494 * c.scale);
            EXPECT_EQ(move->args[5], 185 * c.scale);
            EXPECT_EQ(move->args[6], SWP_NOZORDER | SWP_NOACTIVATE);
            EXPECT_EQ(state().viewDirty, 1);
        }
    }
}

TEST_F(MainWindowTest, RescalingPullsAWindowAtOrLeftOfZeroToTheEdge) {
    struct {
        RECT rect;
        LONG left;
        LONG top;
    } cases[] = {
        {{300, 200, 794, 385}, 300, 200},  {{0, 0, 494, 185}, 0, 0},
        {{-50, -9, 444, 176}, 0, 0},       {{-50, 40, 444, 225}, 0, 40},
        {{5000, -1, 5494, 184}, 5000, 0},
    };
    for (const auto& c : cases) {
        SetUp();
        fakeWindow(hwnd)->rect = c.rect;
        state().windowX = 123;
        setWindowScale(3);
        const FakeCall* move = findCall("SetWindowPos");
        ASSERT_NE(move, nullptr);
        EXPECT_EQ(move->args[2], c.left);
        EXPECT_EQ(move->args[3], c.top);
        EXPECT_EQ(state().windowX, 123); // the saved position is taken at exit
    }
}
