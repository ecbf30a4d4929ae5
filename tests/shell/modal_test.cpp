// Modal openings, destroy requests and quits, recorded the way the messages
// arrive and compared with the expected sequence.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "app/shell_state.h"
#include "test_support.h"

namespace {

class Modal : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenWindow(TestMain, nullptr, false)); }
    void TearDown() override { CleanUpWindows(); }

    static HWND Hwnd(const WindowDefinition& def) {
        ProgramWindow* window = LiveWindow(def);
        return window ? window->Handle() : nullptr;
    }
};

TEST_F(Modal, NestedOpeningsDisableAndGiveBackInOrder) {
    MessageLog log;
    onACreated = [&] {
        Later([&] {
            log.Note("A opens B");
            onBCreated = [&] {
                Later([&] {
                    log.Note(IsWindowEnabled(Hwnd(TestDialogA)) ? "A enabled under B" : "A disabled under B");
                    RequestWindowDestroy(LiveWindow(TestDialogB));
                    log.Note(IsWindow(Hwnd(TestDialogB)) ? "B still there after request" : "B gone at request");
                });
            };
            OpenWindow(TestDialogB, nullptr, true);
            log.Note("B closed");
            log.Note(Shell().currentModalWindow == LiveWindow(TestDialogA)->Serial() ? "A is current" : "A not current");
            RequestWindowDestroy(LiveWindow(TestDialogA));
        });
    };
    OpenWindow(TestDialogA, nullptr, true);
    log.Note("A closed");

    static const char* const expected[] = {
        "A activated",
        "main disabled",
        "A opens B",
        "B activated",
        "A disabled",
        "A disabled under B",
        "B still there after request",
        // Given back before the destruction, so A becomes active again.
        "A enabled",
        "A activated",
        "B destroyed",
        "B closed",
        "A is current",
        "main enabled",
        "main activated",
        "A destroyed",
        "A closed",
    };
    EXPECT_EQ(std::vector<std::string>(std::begin(expected), std::end(expected)), log.events);
    EXPECT_EQ(0u, Shell().currentModalWindow);
    EXPECT_TRUE(IsWindowEnabled(Hwnd(TestMain)));
    EXPECT_EQ(Hwnd(TestMain), GetActiveWindow());
}

TEST_F(Modal, ClosedBySystemGivesBackBeforeDestroying) {
    MessageLog log;
    onACreated = [] { Later([] { PostMessageW(LiveWindow(TestDialogA)->Handle(), WM_CLOSE, 0, 0); }); };
    OpenWindow(TestDialogA, nullptr, true);
    static const char* const expected[] = {
        "A activated", "main disabled", "main enabled", "main activated", "A destroyed",
    };
    EXPECT_EQ(std::vector<std::string>(std::begin(expected), std::end(expected)), log.events);
}

TEST_F(Modal, AWindowDisabledBeforeStaysDisabledAfterwards) {
    EnableWindow(Hwnd(TestMain), FALSE);
    onACreated = [] { Later([] { RequestWindowDestroy(LiveWindow(TestDialogA)); }); };
    OpenWindow(TestDialogA, nullptr, true);
    EXPECT_FALSE(IsWindowEnabled(Hwnd(TestMain)));
}

TEST_F(Modal, OpeningAnOpenWindowActivatesItAndRunsNoLoop) {
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    HWND first = Hwnd(TestDialogA);
    SetActiveWindow(Hwnd(TestMain));
    EXPECT_TRUE(OpenWindow(TestDialogA, nullptr, true));  // returns at once despite the modal flag
    EXPECT_EQ(first, Hwnd(TestDialogA));
    EXPECT_EQ(first, GetActiveWindow());
    EXPECT_EQ(2u, Shell().Windows().size());
    EXPECT_TRUE(IsWindowEnabled(Hwnd(TestMain)));

    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));
    EXPECT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    EXPECT_FALSE(IsIconic(first));
}

TEST_F(Modal, OpeningAgainCarriesOutAPendingRequestAndBuildsAFreshWindow) {
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    ProgramWindow* first = LiveWindow(TestDialogA);
    const unsigned long firstSerial = first->Serial();
    SetWindowPos(first->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RequestWindowDestroy(first);
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    ProgramWindow* second = LiveWindow(TestDialogA);
    EXPECT_NE(firstSerial, second->Serial());
    RECT rect;
    GetWindowRect(second->Handle(), &rect);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 240) / 2, rect.left);  // centred again
}

TEST_F(Modal, ADestroyRequestTakesEffectWhenTheLoopDispatchesIt) {
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    HWND hwnd = Hwnd(TestDialogA);
    RequestWindowDestroy(LiveWindow(TestDialogA));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(LiveWindow(TestDialogA)->pendingDestroy);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, LiveWindow(TestDialogA));
}

TEST_F(Modal, AQuitEndsEveryModalLoopAndStaysQueued) {
    std::vector<std::string> order;
    onACreated = [&] {
        Later([&] {
            onBCreated = [] { Later([] { PostQuitMessage(7); }); };
            OpenWindow(TestDialogB, nullptr, true);
            order.push_back("B returned");
        });
    };
    OpenWindow(TestDialogA, nullptr, true);
    order.push_back("A returned");
    EXPECT_EQ((std::vector<std::string>{"B returned", "A returned"}), order);
    EXPECT_NE(nullptr, LiveWindow(TestDialogA));  // the windows are still there
    EXPECT_NE(nullptr, LiveWindow(TestDialogB));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(Modal, TheLastWindowGonePostsQuitOnlyOnceTheMainLoopRuns) {
    MSG msg;
    DestroyWindow(Hwnd(TestMain));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    ASSERT_TRUE(OpenWindow(TestMain, nullptr, false));
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    Shell().mainLoopStarted = true;
    DestroyWindow(Hwnd(TestDialogA));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    DestroyWindow(Hwnd(TestMain));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

}  // namespace
