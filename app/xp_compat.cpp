// Windows XP has no GetTickCount64. The C++ runtime's exception support uses
// winpthreads, whose timing code imports it, and an import that XP lacks
// keeps the whole program from starting there. This object, linked into the
// program itself, defines the import slot so the linker takes it instead of
// kernel32's: it calls the real function where Windows has one and counts
// the wrap-arounds of GetTickCount on XP.
#include <windows.h>

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI TickCount64FromTickCount() {
    // Only the GUI thread runs; winpthreads calls this for relative timing.
    static DWORD last = 0;
    static ULONGLONG wraps = 0;
    const DWORD now = GetTickCount();
    if (now < last) wraps += 0x100000000ULL;
    last = now;
    return wraps + now;
}

ULONGLONG WINAPI TickCount64() {
    static TickCount64Function system = [] {
        FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64");
        return found ? reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(found))
                     : &TickCount64FromTickCount;
    }();
    return system();
}

}  // namespace

extern "C" {
// The name the i686 import of GetTickCount64 is reached through.
TickCount64Function importedTickCount64 __asm__("__imp__GetTickCount64@0") = &TickCount64;
}
