#pragma once
#include <cstdint>

// A ByteSet is a constant byte buffer with an 8-byte head: a 32-bit
// little-endian field holding 1, then a 32-bit little-endian byte count,
// then that many bytes. Writing one to a file uses only the count and the
// bytes after the head.
class ByteSet {
public:
    constexpr explicit ByteSet(const unsigned char* raw) : raw_(raw) {}

    std::uint32_t Size() const {
        return static_cast<std::uint32_t>(raw_[4]) | (static_cast<std::uint32_t>(raw_[5]) << 8) |
               (static_cast<std::uint32_t>(raw_[6]) << 16) | (static_cast<std::uint32_t>(raw_[7]) << 24);
    }
    const unsigned char* Data() const { return raw_ + 8; }
    const unsigned char* Raw() const { return raw_; }

private:
    const unsigned char* raw_;
};
