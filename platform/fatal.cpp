#include "platform/fatal.h"

#include <windows.h>

#include "platform/gbk.h"

void FatalError(const char* gbkMessage) {
    const std::wstring text = WideFromGbk(gbkMessage);
    MessageBoxW(nullptr, text.c_str(), L"", MB_ICONHAND | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}

void FatalOutOfMemory() {
    FatalError("内存不足，程序无法继续运行。");
}
