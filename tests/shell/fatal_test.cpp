// A fatal condition ends the process with exit code -1 after an error box.
// The test runs itself again as a child that hits one, reads the box from
// outside, closes it and checks the exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/shell.h"
#include "platform/fatal.h"
#include "ui/program_window.h"
#include "test_support.h"

namespace {

const char kChildVariable[] = "BRISVANE_FATAL_CHILD";

struct Found {
    DWORD pid;
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (pid == found->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        found->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Starts this test program for one child test; returns its exit code after
// closing the error box it shows.
DWORD RunChild(const char* childTest, bool* sawBox) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=FatalChild." + childTest;
    SetEnvironmentVariableA(kChildVariable, "1");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!started) return 0xDEAD;
    Found found{pi.dwProcessId};
    *sawBox = false;
    for (int i = 0; i < 300 && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; ++i) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&found));
        if (found.box) {
            *sawBox = true;
            PostMessageW(found.box, WM_COMMAND, IDOK, 0);
            break;
        }
        Sleep(100);
    }
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool IsChild() { return GetEnvironmentVariableA(kChildVariable, nullptr, 0) > 0; }

TEST(FatalChild, AddressesAGoneWindow) {
    if (!IsChild()) GTEST_SKIP() << "runs as a child of Fatal.*";
    ASSERT_TRUE(OpenWindow(TestDialogA, nullptr, false));
    DestroyWindow(LiveWindow(TestDialogA)->Handle());
    RequestWindowDestroy(LiveWindow(TestDialogA));  // the window is gone: null
}

TEST(FatalChild, RunsOutOfMemory) {
    if (!IsChild()) GTEST_SKIP() << "runs as a child of Fatal.*";
    FatalOutOfMemory();
}

TEST(Fatal, EndsTheProcessWithMinusOneAfterAnErrorBox) {
    if (IsChild()) GTEST_SKIP();
    for (const char* child : {"AddressesAGoneWindow", "RunsOutOfMemory"}) {
        bool sawBox = false;
        EXPECT_EQ(0xFFFFFFFFu, RunChild(child, &sawBox)) << child;
        EXPECT_TRUE(sawBox) << child;
    }
}

}  // namespace
