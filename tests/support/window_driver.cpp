// Starts like the program, then opens one result window modally over the
// main window, so that the end-to-end tests can look at the result windows
// without running an action first.
//
//   window_driver.exe BrawlIntro|MatchIntro|TweakDone [times]
// With times > 1 the window is opened again each time it has been closed.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "app/message_loop.h"
#include "app/shell.h"
#include "app/shell_state.h"
#include "ui/windows.h"

namespace {

const WindowDefinition* target = nullptr;
int timesLeft = 1;

void CALLBACK OpenTarget(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    while (timesLeft-- > 0 && LiveWindow(MainWindow)) OpenWindow(*target, nullptr, true);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (std::strcmp(argv[1], "BrawlIntro") == 0) target = &BrawlIntroWindow;
    if (std::strcmp(argv[1], "MatchIntro") == 0) target = &MatchIntroWindow;
    if (std::strcmp(argv[1], "TweakDone") == 0) target = &TweakDoneWindow;
    if (!target) return 2;
    if (argc > 2) timesLeft = std::atoi(argv[2]);
    if (!OpenWindow(MainWindow, nullptr, false)) return 3;
    Shell().mainLoopStarted = true;
    SetTimer(nullptr, 0, 300, OpenTarget);
    return RunMainLoop();
}
