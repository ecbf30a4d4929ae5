#include "platform/message_box.h"

#include <windows.h>

#include "platform/gbk.h"

int ShowMessageBox(const char* text, std::uint32_t style, const char* caption) {
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    const std::wstring wideText = WideFromGbk(text);
    const std::wstring wideCaption = WideFromGbk(caption);
    // A box without owner leaves no window active when it goes: give the
    // activation back to the window that had it, so keys reach it again.
    HWND active = GetActiveWindow();
    const int pressed = MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), style);
    if (active && IsWindow(active) && IsWindowEnabled(active)) SetActiveWindow(active);
    return pressed;
}
