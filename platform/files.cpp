#include "platform/files.h"

#include <windows.h>

#include "platform/scoped_win.h"

bool PathPresent(const char* path) {
    WIN32_FIND_DATAA found;
    const ScopedFind search(FindFirstFileA(path ? path : "", &found));
    return search.IsValid();
}

Text TempDirectory() {
    // Room for the path, one appended backslash and the terminating zero.
    char buffer[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    // 0 is a failure; a value of MAX_PATH or more is the size the path would
    // need, and the buffer then holds nothing usable.
    if (length == 0 || length >= MAX_PATH) return Text();
    if (buffer[length - 1] != '\\') {
        buffer[length] = '\\';
        buffer[length + 1] = '\0';
    }
    return ConcatText({buffer});
}

bool WriteByteSetFile(const char* path, const ByteSet& bytes) {
    if (TextLength(path) == 0) return false;
    ScopedFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const DWORD size = bytes.Size();
    if (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.Data(), size, &written, nullptr) || written != size) {
            return false;
        }
    }
    return file.Reset();
}
