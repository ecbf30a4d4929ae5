#pragma once
#include <string>

// The program holds its texts as GBK (code page 936). Everything it shows goes
// through the wide Win32 forms, converted with code page 936 named explicitly,
// so that it reads right whatever the system's ANSI code page is.
std::wstring WideFromGbk(const char* gbk);
std::string GbkFromWide(const wchar_t* wide);
