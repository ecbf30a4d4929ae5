#include "platform/message_box.h"

#include <windows.h>

#include "platform/gbk.h"

int ShowMessageBox(const char* text, std::uint32_t style, const char* caption) {
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    const std::wstring wideText = WideFromGbk(text);
    const std::wstring wideCaption = WideFromGbk(caption);
    return MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), style);
}
