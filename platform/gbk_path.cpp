#include "platform/gbk_path.h"

#include <windows.h>

namespace {
constexpr UINT kGbkCodePage = 936;
}

bool IsGbkLeadByte(char byte) {
    return byte != '\0' && IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(byte)) != FALSE;
}

bool IsGbkTrailByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x40 && value <= 0xFE && value != 0x7F;
}

std::size_t GbkCharLength(const char* text) {
    return IsGbkLeadByte(text[0]) && IsGbkTrailByte(text[1]) ? 2 : 1;
}

bool EndsWithGbkBackslash(const char* text) {
    bool backslash = false;
    for (const char* at = text; *at != '\0'; at += GbkCharLength(at)) {
        backslash = at[0] == '\\' && GbkCharLength(at) == 1;
    }
    return backslash;
}
