#include "test_support.h"

#include <cwchar>

#include "app/startup.h"

namespace {

HINSTANCE instance() { return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)); }
HWND firstWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1000)); }

class StartupTest : public TavlorTest {
protected:
    // Runs start-up with a WM_CLOSE already waiting, so the loop ends at once.
    int runUntilClosed() {
        fakePost(firstWindow(), WM_CLOSE, 0, 0);
        return runTavlor(instance());
    }
};

struct StartupFailure {
    const char* name;
    bool FakeWin32::*flag;
};

} // namespace

TEST_F(StartupTest, EveryStartupFailureExitsWithZeroAndNoMessage) {
    const StartupFailure failures[] = {
        {"picture not found", &FakeWin32::findResourceFails},
        {"picture not loaded", &FakeWin32::loadResourceFails},
        {"picture not locked", &FakeWin32::lockResourceFails},
        {"common controls", &FakeWin32::initCommonControlsFails},
        {"window class", &FakeWin32::registerClassFails},
        {"main window", &FakeWin32::createWindowFails},
    };
    for (const StartupFailure& failure : failures) {
        SCOPED_TRACE(failure.name);
        SetUp();
        fake().*failure.flag = true;
        EXPECT_EQ(runTavlor(instance()), 0);
        EXPECT_EQ(countCalls("MessageBoxW"), 0);
        EXPECT_EQ(countCalls("ShowWindow"), 0);
        EXPECT_EQ(state().hwndMain, nullptr);
    }
}

TEST_F(StartupTest, MissingPictureLeavesNoPointerBehind) {
    fake().loadResourceFails = true;
    runTavlor(instance());
    EXPECT_EQ(state().pictureData, nullptr);
}

TEST_F(StartupTest, CreatesTheBorderlessWindowAtTheDefaultPlaceAndSize) {
    EXPECT_EQ(runUntilClosed(), 0);
    const FakeCall* create = findCall("CreateWindowExW");
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->args[0], 0);           // extended style
    EXPECT_EQ(create->args[1], 0x80CA0000);  // popup, caption, system menu, minimise box
    EXPECT_EQ(create->args[2], 150);
    EXPECT_EQ(create->args[3], 100);
    EXPECT_EQ(create->args[4], 494);
    EXPECT_EQ(create->args[5], 185);
    EXPECT_EQ(create->args[6], 0); // no parent, menu or parameter
    EXPECT_EQ(findCall("ShowWindow")->args[1], SW_SHOWNORMAL);
    EXPECT_EQ(state().pictureData, fake().picture);
}

TEST_F(StartupTest, ScalesTheWindowToALargeScreen) {
    fake().screenWidth = 3840;
    fake().screenHeight = 2160;
    runUntilClosed();
    EXPECT_EQ(findCall("CreateWindowExW")->args[4], 988);
    EXPECT_EQ(findCall("CreateWindowExW")->args[5], 370);
}

TEST_F(StartupTest, RegistersAClassThatRedrawsAndTakesDoubleClicks) {
    runUntilClosed();
    const FakeCall* wc = findCall("RegisterClassW");
    ASSERT_NE(wc, nullptr);
    EXPECT_EQ(wc->args[0], CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
    EXPECT_NE(wc->args[1], 0); // icon
    EXPECT_NE(wc->args[2], 0); // cursor
    EXPECT_EQ(wc->args[3], 0); // no background brush
    EXPECT_EQ(wc->args[4], 0); // no menu
    EXPECT_EQ(findCall("InitCommonControlsEx")->args[1], ICC_WIN95_CLASSES);
}

TEST_F(StartupTest, CreationDiscoversThenStartsTheTwentyMillisecondTimer) {
    fakeJoystickPlug(0, true);
    runUntilClosed();
    EXPECT_EQ(state().controllerCount, 1);
    const FakeCall* timer = findCall("SetTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->args[1], 1);
    EXPECT_EQ(timer->args[2], 20);
    EXPECT_EQ(timer->args[3], 0); // no timer procedure: ticks arrive as WM_TIMER
    EXPECT_LT(callIndex("LoadLibraryW"), callIndex("SetTimer"));
    EXPECT_EQ(state().pictureBuffer.channels, 4);
    EXPECT_EQ(state().canvasBuffer.width, 494u);
}

TEST_F(StartupTest, FailedSetUpShowsTheOneMessageAndClosesInOrder) {
    fake().setTimerResult = 0;
    EXPECT_EQ(runTavlor(instance()), 0);
    const FakeCall* box = findCall("MessageBoxW");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->args[0], reinterpret_cast<intptr_t>(firstWindow()));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(box->args[1]), L"Memory allocation failed.");
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(box->args[2]), L"Error");
    EXPECT_EQ(box->args[3], MB_ICONERROR);
    EXPECT_EQ(countCalls("ShowWindow"), 1);
    EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
}

TEST_F(StartupTest, AMenuThatCannotBeCreatedFailsSetUp) {
    fakeMenus().failCreateAt = 0;
    runTavlor(instance());
    EXPECT_EQ(countCalls("MessageBoxW"), 1);
}

TEST_F(StartupTest, AForeignQuitBecomesAnOrderlyClose) {
    fakePost(nullptr, WM_QUIT, 7, 0);
    EXPECT_EQ(runTavlor(instance()), 0);
    const FakeCall* close = findCall("PostMessageW");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->args[1], WM_CLOSE);
    EXPECT_EQ(close->args[0], reinterpret_cast<intptr_t>(firstWindow()));
    EXPECT_EQ(countCalls("KillTimer"), 1);
    EXPECT_EQ(countCalls("PostQuitMessage"), 1);
    EXPECT_EQ(state().lifecycleState, kLifecycleDestroyed);
}

TEST_F(StartupTest, TheLoopTranslatesAndDispatchesEveryMessage) {
    fakePost(firstWindow(), WM_TIMER, 1, 0);
    fakePost(firstWindow(), WM_TIMER, 1, 0);
    runUntilClosed();
    EXPECT_EQ(countCalls("TranslateMessage"), countCalls("DispatchMessageW"));
    EXPECT_EQ(countCalls("DispatchMessageW"), 3);
}

struct FrameCase {
    const char* name;
    bool libraryMissing;
    bool functionMissing;
    HRESULT result;
    int32_t frameless;
};

TEST_F(StartupTest, WithoutCompositionTheWindowDropsItsCaption) {
    const FrameCase cases[] = {
        {"frame extended", false, false, S_OK, 0},
        {"no composition library", true, false, S_OK, 1},
        {"no extension function", false, true, S_OK, 1},
        {"extension refused", false, false, E_FAIL, 1},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        fake().dwmLibraryMissing = c.libraryMissing;
        fake().dwmFunctionMissing = c.functionMissing;
        fake().dwmResult = c.result;
        runUntilClosed();
        EXPECT_EQ(state().styleFrameless, c.frameless);
        EXPECT_EQ(fakeWindow(firstWindow())->style,
                  static_cast<LONG>(c.frameless ? 0x800A0000u : 0x80CA0000u));
        EXPECT_EQ(findCall("SetWindowPos")->args[6], 0x227);
        EXPECT_EQ(countCalls("FreeLibrary"), c.libraryMissing ? 0 : 1);
        if (!c.libraryMissing && !c.functionMissing) {
            const FakeCall* extend = findCall("DwmExtendFrameIntoClientArea");
            ASSERT_NE(extend, nullptr);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_EQ(extend->args[i], -1);
            }
        }
    }
}
