// The wait: its bounds, what it dispatches, and a WM_QUIT that stays queued.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "ui/program_window.h"
#include "app/wait.h"
#include "test_support.h"

namespace {

class Wait : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenWindow(TestMain, nullptr, false)); }
    void TearDown() override { CleanUpWindows(); }
    HWND Main() const { return LiveWindow(TestMain)->Handle(); }
};

TEST_F(Wait, ZeroOrNegativeReturnsAtOnceAndDispatchesNothing) {
    for (const std::int32_t ms : {0, -5, INT32_MIN}) {
        PostMessageW(Main(), WM_NULL, 0, 0);
        const DWORD start = GetTickCount();
        WaitPumpingMessages(ms);
        EXPECT_LT(GetTickCount() - start, 20u) << ms;
        MSG msg;
        EXPECT_TRUE(PeekMessageW(&msg, Main(), WM_NULL, WM_NULL, PM_REMOVE)) << ms << ": still queued";
    }
}

TEST_F(Wait, LastsALittleMoreThanItsTimeAndDispatchesMeanwhile) {
    int fired = 0;
    Later([&] { ++fired; }, 50);
    Later([&] { ++fired; }, 200);
    const DWORD start = GetTickCount();
    WaitPumpingMessages(300);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GT(elapsed, 300u);
    EXPECT_LT(elapsed, 400u);
    EXPECT_EQ(2, fired);
}

TEST_F(Wait, AQuitStaysQueuedAndTheWaitRunsOutItsTime) {
    Later([] { PostQuitMessage(3); }, 50);
    const DWORD start = GetTickCount();
    WaitPumpingMessages(300);
    EXPECT_GT(GetTickCount() - start, 300u);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

// A clock that stands shortly before the wrap-around of the 32-bit counter.
DWORD clockOffset = 0;
DWORD ShiftedClock() { return GetTickCount() + clockOffset; }

TEST_F(Wait, SpansTheWrapAroundOfTheTickCounter) {
    clockOffset = 0xFFFFFFFFu - GetTickCount() - 100;  // wraps 100 ms into the wait
    const DWORD start = GetTickCount();
    WaitPumpingMessagesWithClock(300, ShiftedClock);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GT(elapsed, 300u);
    EXPECT_LT(elapsed, 400u);
}

TEST_F(Wait, EscDuringAWaitReachesTheWindowThatClosesOnIt) {
    // The wait dispatches keyboard input as the main loop does.
    PostMessageW(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitPumpingMessages(50);
    EXPECT_EQ(nullptr, LiveWindow(TestMain));
}

}  // namespace
