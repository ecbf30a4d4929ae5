#pragma once
#include <windows.h>

#include <cstdint>

// The control skin, drawn by the program itself (no visual-styles machinery).
// Schemes 1, 2 and 3 install it: every window of the GUI thread that is of a
// skinned kind is attached now, and a thread hook attaches each one created
// later. Any other number removes it; false when none was installed.
bool ApplyVisualStyle(std::int32_t scheme);

// For tests: whether a window carries the skin, and the window procedure the
// skin passes its other messages to.
bool IsSkinned(HWND hwnd);
WNDPROC SkinPreviousProc(HWND hwnd);
