#include "app/message_loop.h"

#include "app/shell_state.h"

void DispatchAsMainLoop(const MSG& msg) {
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        for (HWND hwnd = msg.hwnd; hwnd; hwnd = GetParent(hwnd)) {
            ProgramWindow* window = Shell().ForHandle(hwnd);
            if (window && window->PreTranslateKey(msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool DispatchPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return true;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
        if (msg.message == WM_QUIT) {
            // Another message was peeked first; put the quit back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return true;
        }
        DispatchAsMainLoop(msg);
    }
    return false;
}

int RunMainLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        DispatchAsMainLoop(msg);
    }
}

void RunModalLoop(unsigned long windowSerial) {
    while (Shell().IsLive(windowSerial)) {
        if (DispatchPendingMessages()) return;
        if (!Shell().IsLive(windowSerial)) return;
        WaitMessage();
    }
}
