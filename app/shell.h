#pragma once
#include <cstdint>

#include "ui/window_definition.h"

class ProgramWindow;
class ZipComponent;

// The operations that event handlers call. All run on the GUI thread only.

// Creates a window from its definition and shows it. With modal set, every
// other top-level program window is disabled and a modal loop runs until the
// window is gone (or a quit is pending). A window of the definition that is
// open already is brought forward instead. True when the window exists on
// return.
bool OpenWindow(const WindowDefinition& definition, ProgramWindow* owner, bool modal);

// Asks the window to destroy itself once the loop that runs it next
// dispatches the request; it still exists when this returns.
void RequestWindowDestroy(ProgramWindow* window);

// Waits a little more than the given time while dispatching every message as
// the main loop does (a WM_QUIT stays queued). Blocks between messages.
void WaitPumpingMessages(std::int32_t milliseconds);

// The live window of a definition, or null.
ProgramWindow* LiveWindow(const WindowDefinition& definition);

// A component of the live window of a definition, by control name; null when
// that window is not open.
ZipComponent* LiveZipComponent(const WindowDefinition& definition, const char* controlName);
