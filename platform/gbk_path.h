#pragma once
#include <cstddef>

// Paths are GBK (code page 936) bytes. The trail byte of a double-byte
// character may have the value of a backslash (0x5C) or '|' (0x7C), so a
// path is walked by characters, never byte by byte, whatever the system's
// ANSI code page.

// True for a byte that starts a double-byte GBK character.
bool IsGbkLeadByte(char byte);

// True for a byte that can end a double-byte GBK character (0x40-0x7E,
// 0x80-0xFE).
bool IsGbkTrailByte(char byte);

// Bytes in the character that starts at text: 2 for a lead byte followed by
// a trail byte, else 1 (so a lead byte before a slash or the terminating zero
// stands alone and never swallows the next character).
std::size_t GbkCharLength(const char* text);

// True when the last character of text is a backslash standing on its own,
// not the trail byte of a double-byte character.
bool EndsWithGbkBackslash(const char* text);
