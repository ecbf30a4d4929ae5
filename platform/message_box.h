#pragma once
#include <cstdint>

// A message box with no owner window. MB_TASKMODAL is added unless the style
// asks for MB_SYSTEMMODAL, so every top-level window of the thread is disabled
// while it is open. Returns the button pressed.
int ShowMessageBox(const char* text, std::uint32_t style, const char* caption);
