#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/program_window.h"

// The shell's state: one per process, used on the GUI thread only.
class ShellState : public ProgramWindow::Observer {
public:
    // Set just before the main loop starts; a quit is posted only while set.
    bool mainLoopStarted = false;
    // Serial number of the window whose modal loop is the innermost one
    // running, 0 for none. A serial, not a pointer, so that a window destroyed
    // under a nested loop is never addressed again.
    unsigned long currentModalWindow = 0;

    ProgramWindow* Live(const WindowDefinition& definition) const;
    ProgramWindow* ForHandle(HWND hwnd) const;
    bool IsLive(unsigned long serial) const;
    bool AnyWindow() const { return !windows_.empty(); }
    const std::vector<std::unique_ptr<ProgramWindow>>& Windows() const { return windows_; }

    void Adopt(ProgramWindow* window) { windows_.emplace_back(window); }
    void OnWindowDestroyed(ProgramWindow* window) override;

private:
    std::vector<std::unique_ptr<ProgramWindow>> windows_;
};

ShellState& Shell();
