#pragma once
#include <windows.h>

#include <unzip.h>

// Writes the data of the archive's current member (stored or deflated) to
// out in pieces of at most 16384 bytes. True only when the data is exactly
// what the central record declares: as many bytes as its uncompressed size
// (a stream that would give more is cut off at the first piece past it, so
// nothing past the declared size is ever written), a deflate stream that ends
// exactly where the compressed data does, and the declared CRC-32.
bool WriteMemberData(unzFile zip, const unz_file_info64& info, HANDLE out);
