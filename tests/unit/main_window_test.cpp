#include "test_support.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "fake_registry.h"

namespace {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
const HWND kFirstWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1000));
constexpr int64_t kStyle = 0x80CA0000; // popup, caption, system menu, minimise box

using StartupTest = TavlorTest;

// Runs start-up with a WM_CLOSE already waiting, so the loop ends at once.
int runUntilClosed() {
    fakePost(kFirstWindow, WM_CLOSE, 0, 0);
    return runTavlor(kInstance);
}

class MainWindowTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        hwnd = fakeBareWindow({300, 200, 794, 385}, static_cast<LONG>(kStyle));
        state().hwndMain = hwnd;
        state().windowScale = 1;
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return mainWindowProc(hwnd, message, wParam, lParam);
    }
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(StartupTest, EveryStartupFailureExitsWithZeroAndNoMessage) {
    bool FakeWin32::*const failures[] = {
        &FakeWin32::findResourceFails,  &FakeWin32::loadResourceFails,
        &FakeWin32::lockResourceFails,  &FakeWin32::initCommonControlsFails,
        &FakeWin32::registerClassFails, &FakeWin32::createWindowFails,
    };
    for (const auto& flag : failures) {
        SCOPED_TRACE(&flag - failures);
        SetUp();
        fake().*flag = true;
        EXPECT_EQ(runTavlor(kInstance), 0);
        EXPECT_EQ(countCalls("MessageBoxW") + countCalls("ShowWindow"), 0);
    }
}

TEST_F(StartupTest, CreatesTheWindowDiscoversAndStartsTheTwentyMillisecondTimer) {
    fakeJoystickPlug(0, true);
    fakePost(kFirstWindow, WM_TIMER, 1, 0);
    EXPECT_EQ(runUntilClosed(), 0);

    EXPECT_TRUE(hasArgs(findCall("CreateWindowExW"), {0, kStyle, 150, 100, 494, 185, 0}));
    EXPECT_TRUE(hasArgs(findCall("RegisterClassW"), {CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS}));
    EXPECT_TRUE(hasArgs(findCall("ShowWindow"), {arg(kFirstWindow), SW_SHOWNORMAL}));
    EXPECT_EQ(state().controllerCount, 1);
    EXPECT_TRUE(hasArgs(findCall("SetTimer"), {arg(kFirstWindow), 1, 20, 0})); // as WM_TIMER
    EXPECT_EQ(state().pictureBuffer.channels, 4);
    EXPECT_EQ(countCalls("TranslateMessage"), 2);
    EXPECT_EQ(countCalls("DispatchMessageW"), 2);
}

TEST_F(StartupTest, FailedSetUpShowsTheOneMessageAndCloses) {
    for (bool menuFails : {false, true}) {
        SetUp();
        fakeMenus().failCreateAt = menuFails ? 0 : -1;
        fake().setTimerResult = menuFails ? 1 : 0;
        EXPECT_EQ(runTavlor(kInstance), 0);
        ASSERT_EQ(countCalls("MessageBoxW"), 1);
        const FakeCall* box = findCall("MessageBoxW");
        EXPECT_STREQ(reinterpret_cast<const wchar_t*>(box->args[1]), L"Memory allocation failed.");
        EXPECT_EQ(box->args[3], MB_ICONERROR);
        EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
    }
}

TEST_F(StartupTest, AForeignQuitBecomesAnOrderlyClose) {
    fakePost(nullptr, WM_QUIT, 7, 0);
    EXPECT_EQ(runTavlor(kInstance), 0);
    EXPECT_TRUE(hasArgs(findCall("PostMessageW"), {arg(kFirstWindow), WM_CLOSE}));
    EXPECT_EQ(countCalls("KillTimer"), 1);
    EXPECT_EQ(countCalls("PostQuitMessage"), 1);
    EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
}

TEST_F(StartupTest, WithoutCompositionTheWindowDropsItsCaption) {
    const struct {
        bool libraryMissing, functionMissing;
        HRESULT result;
        int32_t frameless;
    } cases[] = {{false, false, S_OK, 0},
                 {true, false, S_OK, 1},
                 {false, true, S_OK, 1},
                 {false, false, E_FAIL, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        fake().dwmLibraryMissing = c.libraryMissing;
        fake().dwmFunctionMissing = c.functionMissing;
        fake().dwmResult = c.result;
        runUntilClosed();
        EXPECT_EQ(state().styleFrameless, c.frameless);
        EXPECT_EQ(uint32_t(fakeWindow(kFirstWindow)->style), c.frameless ? 0x800A0000 : kStyle);
        EXPECT_EQ(findCall("SetWindowPos")->args[6], 0x227); // frame changed, nothing else
        EXPECT_EQ(countCalls("FreeLibrary"), c.libraryMissing ? 0 : 1);
        if (!c.libraryMissing && !c.functionMissing) {
            EXPECT_TRUE(hasArgs(findCall("DwmExtendFrameIntoClientArea"),
                                {arg(kFirstWindow), -1, -1, -1, -1}));
        }
    }
}

TEST_F(MainWindowTest, EveryPointOfTheWindowIsCaption) {
    const LRESULT cases[][2] = {{HTCLIENT, HTCAPTION}, {HTCAPTION, HTCAPTION}, {0, 0}, {17, 17}};
    for (const auto& c : cases) {
        fake().hitTestResult = c[0];
        EXPECT_EQ(send(WM_NCHITTEST, 0, pointParam(310, 210)), c[1]);
    }
}

TEST_F(MainWindowTest, TheClientAreaIsTheWholeWindowOnlyWhileTheFrameIsExtended) {
    const struct {
        int32_t frameless;
        WPARAM wParam;
        bool byDefault;
    } cases[] = {{0, 1, false}, {0, 0, true}, {1, 1, true}, {1, 0, true}};
    for (const auto& c : cases) {
        SetUp();
        fake().defaultResult = 0x300;
        state().styleFrameless = c.frameless;
        EXPECT_EQ(send(WM_NCCALCSIZE, c.wParam, 0), c.byDefault ? 0x300 : 0);
        EXPECT_EQ(countCalls("DefWindowProcW"), c.byDefault ? 1 : 0);
    }
}

// A right press is left alone so that its release arrives and opens the menu.
TEST_F(MainWindowTest, DoubleClickAndRightReleaseOpenTheMenuWithoutDefaultProcessing) {
    for (UINT message : {WM_NCLBUTTONDBLCLK, WM_NCRBUTTONUP, WM_NCRBUTTONDOWN}) {
        SetUp();
        EXPECT_EQ(send(message, HTCAPTION, pointParam(-20, 400)), 0);
        EXPECT_EQ(countCalls("DefWindowProcW"), 0);
        if (message == WM_NCRBUTTONDOWN) {
            EXPECT_EQ(countCalls("PostMessageW"), 0);
        } else {
            EXPECT_TRUE(hasArgs(findCall("PostMessageW"),
                                {arg(hwnd), WM_CONTEXTMENU, arg(hwnd), pointParam(-20, 400)}));
        }
    }
}

TEST_F(MainWindowTest, AltXClosesAndOtherSystemKeysOnlyGetDefaultProcessing) {
    for (WPARAM key : {0x58, 0x59}) {
        SetUp();
        send(WM_SYSKEYDOWN, key, 0x20000000);
        EXPECT_EQ(countCalls("DefWindowProcW"), 1);
        EXPECT_EQ(countCalls("PostMessageW"), key == 0x58 ? 1 : 0);
        if (key == 0x58) {
            EXPECT_TRUE(hasArgs(findCall("PostMessageW"), {arg(hwnd), WM_CLOSE}));
        }
    }
}

TEST_F(MainWindowTest, CloseKillsTheTimerDestroysSavesAndPostsTheQuit) {
    fakeWindow(hwnd)->proc = mainWindowProc;
    // A destruction outside the close sequence does nothing.
    EXPECT_EQ(send(WM_DESTROY), 0);
    EXPECT_EQ(state().lifecycleState, kLifecycleRunning);

    EXPECT_EQ(send(WM_CLOSE), 0);
    EXPECT_TRUE(hasArgs(findCall("KillTimer"), {arg(hwnd), 1}));
    EXPECT_LT(callIndex("KillTimer"), callIndex("DestroyWindow"));
    EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
    EXPECT_NE(fakeRegistryValue(L"Trigger"), nullptr);
    EXPECT_EQ(countCalls("PostQuitMessage"), 1);
    EXPECT_TRUE(hasArgs(findCall("PostQuitMessage"), {0}));
}

TEST_F(MainWindowTest, EndOfSessionSavesTheSettingsAndKeepsTheWindow) {
    state().windowScale = 2;
    EXPECT_EQ(send(WM_ENDSESSION, 0, 0), 0);
    EXPECT_EQ(fakeRegistryValue(L"Size"), nullptr);

    EXPECT_EQ(send(WM_ENDSESSION, 1, 0), 0);
    ASSERT_NE(fakeRegistryValue(L"Size"), nullptr);
    EXPECT_EQ(fakeRegistryValue(L"Size")->data[0], 2);
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

TEST_F(MainWindowTest, ActivationRepaintsTheFrameOnlyWhenItChanges) {
    const int cases[][3] = {{0, 1, true}, {1, 0, true}, {0, 0, false}, {1, 1, false}};
    for (const auto& [before, active, changes] : cases) {
        SetUp();
        state().windowActive = before;
        state().viewDirty = 0;
        send(WM_NCACTIVATE, active, 0);
        EXPECT_EQ(state().windowActive, active);
        EXPECT_EQ(state().viewDirty, changes);
        EXPECT_EQ(countCalls("DefWindowProcW"), 1);
        EXPECT_EQ(countCalls("UpdateWindow"), changes);
        if (changes) {
            EXPECT_TRUE(hasArgs(findCall("InvalidateRect"), {arg(hwnd), 0, TRUE}));
            EXPECT_LT(callIndex("InvalidateRect"), callIndex("UpdateWindow"));
        }
    }
}

TEST_F(MainWindowTest, WindowScaleIsClampedAndAnUnchangedScaleDoesNothing) {
    const int32_t cases[][2] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {4, 4}, {9, 4}};
    for (const auto& [requested, scale] : cases) {
        SCOPED_TRACE(requested);
        SetUp();
        state().windowScale = 2;
        setWindowScale(requested);
        EXPECT_EQ(state().windowScale, scale);
        EXPECT_EQ(countCalls("SetWindowPos") + countCalls("InvalidateRect"), scale != 2 ? 2 : 0);
        if (scale != 2) {
            EXPECT_TRUE(
                hasArgs(findCall("SetWindowPos"), {arg(hwnd), 0, 300, 200, 494 * scale, 185 * scale,
                                                   SWP_NOZORDER | SWP_NOACTIVATE}));
            EXPECT_EQ(state().viewDirty, 1);
        }
    }
}

TEST_F(MainWindowTest, RescalingPullsAWindowLeftOfOrAboveZeroToTheEdge) {
    const struct {
        RECT rect;
        LONG left, top;
    } cases[] = {{{-50, -9, 444, 176}, 0, 0},
                 {{-50, 40, 444, 225}, 0, 40},
                 {{5000, -1, 5494, 184}, 5000, 0}};
    for (const auto& c : cases) {
        SetUp();
        fakeWindow(hwnd)->rect = c.rect;
        state().windowX = 123;
        setWindowScale(3);
        EXPECT_TRUE(hasArgs(findCall("SetWindowPos"), {arg(hwnd), 0, c.left, c.top}));
        EXPECT_EQ(state().windowX, 123); // the saved position is taken at exit
    }
}
