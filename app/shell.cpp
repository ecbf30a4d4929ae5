#include "app/shell.h"

#include <algorithm>

#include "app/message_loop.h"
#include "app/shell_state.h"
#include "platform/fatal.h"

ShellState& Shell() {
    static ShellState state;
    return state;
}

ProgramWindow* ShellState::Live(const WindowDefinition& definition) const {
    for (const auto& window : windows_) {
        if (&window->Definition() == &definition) return window.get();
    }
    return nullptr;
}

ProgramWindow* ShellState::ForHandle(HWND hwnd) const {
    for (const auto& window : windows_) {
        if (window->Handle() == hwnd) return window.get();
    }
    return nullptr;
}

bool ShellState::IsLive(unsigned long serial) const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [serial](const auto& window) { return window->Serial() == serial; });
}

void ShellState::OnWindowDestroyed(ProgramWindow* window) {
    // The definition returns to its designed state: the next opening builds
    // a fresh window.
    const unsigned long serial = window->Serial();
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [window](const auto& live) { return live.get() == window; }),
                   windows_.end());
    if (currentModalWindow == serial) currentModalWindow = 0;
    if (windows_.empty() && mainLoopStarted) PostQuitMessage(0);
}

ProgramWindow* LiveWindow(const WindowDefinition& definition) {
    return Shell().Live(definition);
}

ZipComponent* LiveZipComponent(const WindowDefinition& definition, const char* controlName) {
    ProgramWindow* window = Shell().Live(definition);
    return window ? window->Component(controlName) : nullptr;
}

bool OpenWindow(const WindowDefinition& definition, ProgramWindow* owner, bool modal) {
    ShellState& shell = Shell();
    if (ProgramWindow* existing = shell.Live(definition)) {
        if (!existing->pendingDestroy) {
            HWND hwnd = existing->Handle();
            if (IsIconic(hwnd)) {
                ShowWindow(hwnd, SW_RESTORE);
            } else {
                SetActiveWindow(hwnd);
            }
            return true;
        }
        existing->CarryOutDestroyRequest();
    }
    // A modal window never has an owner window.
    if (!modal && owner && !IsWindow(owner->Handle())) return false;

    ProgramWindow* window = ProgramWindow::Build(definition, &shell);
    if (!window) return false;
    shell.Adopt(window);
    const unsigned long serial = window->Serial();

    if (definition.onCreated) definition.onCreated();
    if (!shell.IsLive(serial)) return false;  // the created handler closed it
    ShowWindow(window->Handle(), SW_SHOW);
    UpdateWindow(window->Handle());
    if (HWND first = GetNextDlgTabItem(window->Handle(), nullptr, FALSE)) SetFocus(first);

    if (modal) {
        for (const auto& other : shell.Windows()) {
            HWND hwnd = other->Handle();
            if (other.get() == window || GetParent(hwnd)) continue;
            window->RememberDisabled(hwnd, IsWindowEnabled(hwnd) != FALSE);
            EnableWindow(hwnd, FALSE);
        }
        const unsigned long enclosing = shell.currentModalWindow;
        shell.currentModalWindow = serial;
        RunModalLoop(serial);
        shell.currentModalWindow = enclosing;
    }
    return true;
}

void RequestWindowDestroy(ProgramWindow* window) {
    if (!window || !Shell().ForHandle(window->Handle()) || !IsWindow(window->Handle())) {
        FatalError("程序内部错误：窗口已不存在。");
    }
    window->pendingDestroy = true;
    PostMessageW(window->Handle(), ProgramWindow::DestroyRequestMessage(), 0, 0);
}
