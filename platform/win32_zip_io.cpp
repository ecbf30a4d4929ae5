#include "platform/win32_zip_io.h"

#include <cstring>

namespace {

Win32ZipIo* Self(voidpf opaque) { return static_cast<Win32ZipIo*>(opaque); }

// One positioned read: a synchronous handle reads at the offset given in the
// OVERLAPPED structure.
bool ReadAtOffset(HANDLE file, ZPOS64_T offset, void* buffer, DWORD size, DWORD* read) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    *read = 0;
    if (ReadFile(file, buffer, size, read, &at)) return true;
    return GetLastError() == ERROR_HANDLE_EOF;  // reading at or past the end
}

}  // namespace

Win32ZipIo::Win32ZipIo() {
    functions_.zopen64_file = &Win32ZipIo::Open;
    functions_.zread_file = &Win32ZipIo::Read;
    functions_.zwrite_file = &Win32ZipIo::Write;
    functions_.ztell64_file = &Win32ZipIo::Tell;
    functions_.zseek64_file = &Win32ZipIo::Seek;
    functions_.zclose_file = &Win32ZipIo::Close;
    functions_.zerror_file = &Win32ZipIo::Error;
    functions_.opaque = this;
}

bool Win32ZipIo::ReadAt(ZPOS64_T offset, void* buffer, DWORD size) const {
    DWORD read = 0;
    return file_ != INVALID_HANDLE_VALUE && ReadAtOffset(file_, offset, buffer, size, &read) && read == size;
}

bool Win32ZipIo::Fill() {
    bufferStart_ = position_;
    bufferLength_ = 0;
    return ReadAtOffset(file_, position_, buffer_, kBufferSize, &bufferLength_);
}

uLong Win32ZipIo::ReadHere(void* buffer, uLong size) {
    uLong done = 0;
    if (size >= kBufferSize) {
        DWORD read = 0;
        if (!ReadAtOffset(file_, position_, buffer, size, &read)) return 0;
        done = read;
    } else {
        const bool buffered = position_ >= bufferStart_ && position_ + size <= bufferStart_ + bufferLength_;
        if (!buffered && !Fill()) return 0;
        const ZPOS64_T there = bufferStart_ + bufferLength_ > position_ ? bufferStart_ + bufferLength_ - position_ : 0;
        done = there < size ? static_cast<uLong>(there) : size;
        if (done > 0) std::memcpy(buffer, buffer_ + (position_ - bufferStart_), done);
    }
    position_ += done;
    return done;
}

voidpf Win32ZipIo::Open(voidpf opaque, const void* path, int mode) {
    Win32ZipIo* self = Self(opaque);
    // Only reading is ever asked for, and one archive at a time.
    if (path == nullptr || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ ||
        self->file_ != INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const HANDLE file = CreateFileA(static_cast<const char*>(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return nullptr;
    }
    self->file_ = file;
    self->size_ = static_cast<ZPOS64_T>(size.QuadPart);
    self->position_ = 0;
    self->bufferStart_ = 0;
    self->bufferLength_ = 0;
    self->failed_ = false;
    return file;
}

uLong Win32ZipIo::Read(voidpf opaque, voidpf, void* buffer, uLong size) {
    Win32ZipIo* self = Self(opaque);
    const uLong read = self->ReadHere(buffer, size);
    // minizip takes a header byte that is not there for a success (UNZ_EOF
    // equals UNZ_OK) unless the error function says otherwise, so a record
    // cut off by the end of the file would read as zeros. It only ever asks
    // for bytes it needs: a short read is an error.
    if (read != size) self->failed_ = true;
    return read;
}

uLong Win32ZipIo::Write(voidpf opaque, voidpf, const void*, uLong) {
    Self(opaque)->failed_ = true;
    return 0;
}

ZPOS64_T Win32ZipIo::Tell(voidpf opaque, voidpf) { return Self(opaque)->position_; }

long Win32ZipIo::Seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    Win32ZipIo* self = Self(opaque);
    // minizip hands backward moves over as the two's complement in the
    // unsigned type.
    const auto distance = static_cast<long long>(offset);
    long long from = 0;
    switch (origin) {
        case ZLIB_FILEFUNC_SEEK_SET: from = 0; break;
        case ZLIB_FILEFUNC_SEEK_CUR: from = static_cast<long long>(self->position_); break;
        case ZLIB_FILEFUNC_SEEK_END: from = static_cast<long long>(self->size_); break;
        default: return -1;
    }
    if (origin == ZLIB_FILEFUNC_SEEK_SET && offset > 0x7FFFFFFFFFFFFFFFull) return -1;
    if ((distance < 0 && from < -distance) || (distance > 0 && from > 0x7FFFFFFFFFFFFFFFll - distance)) return -1;
    self->position_ = static_cast<ZPOS64_T>(from + distance);
    return 0;
}

int Win32ZipIo::Close(voidpf opaque, voidpf stream) {
    Win32ZipIo* self = Self(opaque);
    if (static_cast<HANDLE>(stream) == self->file_) self->file_ = INVALID_HANDLE_VALUE;
    return CloseHandle(static_cast<HANDLE>(stream)) ? 0 : -1;
}

int Win32ZipIo::Error(voidpf opaque, voidpf) { return Self(opaque)->failed_ ? 1 : 0; }
