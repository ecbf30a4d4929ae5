#include "platform/gbk.h"

#include <windows.h>

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring WideFromGbk(const char* gbk) {
    if (!gbk || !*gbk) return std::wstring();
    const int count = MultiByteToWideChar(kGbkCodePage, 0, gbk, -1, nullptr, 0);
    if (count <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, gbk, -1, &wide[0], count);
    wide.resize(static_cast<size_t>(count - 1));
    return wide;
}

std::string GbkFromWide(const wchar_t* wide) {
    if (!wide || !*wide) return std::string();
    const int count = WideCharToMultiByte(kGbkCodePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1) return std::string();
    std::string gbk(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide, -1, &gbk[0], count, nullptr, nullptr);
    gbk.resize(static_cast<size_t>(count - 1));
    return gbk;
}
