#pragma once
#include <windows.h>

// Which windows the control skin paints, found from the class name (compared
// without regard to case), the style, whether the window has text, and the
// class of its parent.
enum class SkinKind { None, PushButton, CheckBox, RadioButton, GroupBox, Edit, ComboBox, ComboList, UpDown };

SkinKind ClassifyForSkin(const wchar_t* className, LONG style, bool hasText, const wchar_t* parentClassName);

// Frame colour of a scheme (1 blue, 2 olive green, 3 silver); CLR_INVALID
// for any other number.
COLORREF SkinFrameColour(int scheme);
constexpr COLORREF kSkinGroupFrameColour = RGB(191, 184, 191);
