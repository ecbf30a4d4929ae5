#pragma once
#include <windows.h>

// Dispatches one message as the main loop does: a keyboard message is first
// offered to the program window it is aimed at and to its ancestors (where
// Esc turns into WM_CLOSE for the windows that close on it), otherwise it is
// translated and dispatched.
void DispatchAsMainLoop(const MSG& msg);

// Dispatches every message that is queued now, except a WM_QUIT, which stays
// queued and ends the pass. True when a WM_QUIT is waiting.
bool DispatchPendingMessages();

// Runs until WM_QUIT; returns its exit code.
int RunMainLoop();

// Runs until the window with this serial is gone, or a WM_QUIT is next in
// the queue; the WM_QUIT then stays queued for the enclosing loops.
void RunModalLoop(unsigned long windowSerial);
