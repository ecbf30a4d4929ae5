#pragma once
#include <windows.h>

#include <ioapi.h>

// minizip's file functions over a Win32 file handle, read-only: the archive is
// opened with CreateFileA (GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), so
// paths are ANSI and nothing of the C runtime's file layer is involved.
// unzOpen2_64 takes the path as it is.
//
// minizip reads every header field byte by byte; small reads are served from
// a buffer so that each does not become a system call.
class Win32ZipIo {
public:
    Win32ZipIo();
    Win32ZipIo(const Win32ZipIo&) = delete;
    Win32ZipIo& operator=(const Win32ZipIo&) = delete;

    zlib_filefunc64_def* Functions() { return &functions_; }

    // Reads exactly size bytes at offset of the archive minizip has open;
    // false when fewer are there or none is open.
    bool ReadAt(ZPOS64_T offset, void* buffer, DWORD size) const;

private:
    static constexpr DWORD kBufferSize = 4096;

    static voidpf Open(voidpf opaque, const void* path, int mode);
    static uLong Read(voidpf opaque, voidpf stream, void* buffer, uLong size);
    static uLong Write(voidpf opaque, voidpf stream, const void* buffer, uLong size);
    static ZPOS64_T Tell(voidpf opaque, voidpf stream);
    static long Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin);
    static int Close(voidpf opaque, voidpf stream);
    static int Error(voidpf opaque, voidpf stream);

    uLong ReadHere(void* buffer, uLong size);
    bool Fill();

    zlib_filefunc64_def functions_{};
    HANDLE file_ = INVALID_HANDLE_VALUE;
    ZPOS64_T size_ = 0;
    ZPOS64_T position_ = 0;
    // The bytes of the file from bufferStart_ on, bufferLength_ of them.
    unsigned char buffer_[kBufferSize];
    ZPOS64_T bufferStart_ = 0;
    DWORD bufferLength_ = 0;
    bool failed_ = false;
};
