#pragma once
#include "platform/byte_set.h"
#include "platform/text.h"

// True when a file or folder matches the path. Forward slashes are fine, and
// so a folder of that name counts as present.
bool PathPresent(const char* path);

// The user's temporary directory, always ending with a backslash; null when
// Windows cannot tell it.
Text TempDirectory();

// Makes the bytes of the set the whole content of the file at path (created
// or truncated, opened without sharing). False when the path is empty, the
// file cannot be opened, fewer bytes were written or closing it failed.
bool WriteByteSetFile(const char* path, const ByteSet& bytes);
