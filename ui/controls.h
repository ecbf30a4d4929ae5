#pragma once
#include <windows.h>

#include <string>

#include "ui/window_definition.h"

// Window classes of the program's own controls, registered once per process.
extern const wchar_t kPictureBoxClass[];
extern const wchar_t kTransparentLabelClass[];
bool RegisterControlClasses(HINSTANCE instance);

// What a label needs at paint time, set with SetWindowLongPtr(GWLP_USERDATA)
// right after the label is created.
struct LabelLook {
    const ControlDefinition* definition;
    HFONT font;
};

// Draws a label's text the way ShadowEffect and plain labels do: transparent
// background mode; with the shadow, first in black 2 px right and down.
void DrawLabelText(HDC dc, const RECT& rect, const wchar_t* text, const LabelLook& look);

// The text of a window of this thread.
std::wstring WindowText(HWND hwnd);
