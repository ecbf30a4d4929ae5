#include "app/program_entry.h"

#include <windows.h>

#include <cstring>

#include "app/message_loop.h"
#include "app/shell.h"
#include "app/shell_state.h"
#include "platform/fatal.h"
#include "ui/windows.h"

namespace {

// Every relative path of the program resolves against the folder of its own
// file, whatever directory it was started from.
void WorkInProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* lastBackslash = nullptr;
    for (char* p = path; *p; p = CharNextA(p)) {  // the system code page: the path is ANSI
        if (*p == '\\') lastBackslash = p;
    }
    if (!lastBackslash) return;
    *lastBackslash = '\0';
    SetCurrentDirectoryA(path);
}

}  // namespace

std::int32_t ProgramEntry() {
    WorkInProgramFolder();
    if (!OpenWindow(MainWindow, nullptr, false)) FatalError("无法创建主窗口。");
    Shell().mainLoopStarted = true;
    if (Shell().AnyWindow()) RunMainLoop();
    return 0;
}
