#pragma once
#include <string>

// Member names of an archive are GBK bytes with "/" (or, from some packers,
// "\") between folder levels. A name is extracted only when it stays inside
// the target folder and means the same file to Win32 as it reads.

// True when the name may be extracted: not empty; no leading separator, no
// drive letter or other colon, no "." or ".." level, no empty level, no level
// that ends with a dot or a space (Win32 would drop them and so reach
// another file), no reserved device name as a level (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, CLOCK$, with or without an
// extension, in any case), no control character or one of <>"|?*, and no
// lead byte without its trail byte. The levels are those of GBK characters;
// no device name may show either in the levels that a system with another
// ANSI code page sees, where a trail byte 0x5C separates too. One trailing
// separator is allowed: it marks a folder member.
bool IsSafeMemberName(const char* name);

// True when the name ends with a separator, the packers' mark of a folder.
bool NamesFolder(const char* name);

// The target folder, a backslash unless the folder already ends with one,
// then the name with every "/" turned into a backslash.
std::string MemberOutputPath(const char* targetFolder, const char* name);
