#include "platform/folders.h"

#include <windows.h>

#include "platform/gbk_path.h"

std::vector<std::string> FolderLevels(const char* path) {
    std::string full = path ? path : "";
    // Decided by characters: a path whose last byte is the trail byte 0x5C
    // of a GBK character still needs its closing backslash.
    if (!EndsWithGbkBackslash(full.c_str())) full += '\\';
    std::vector<std::string> levels;
    for (std::size_t at = 0; at < full.size();) {
        const std::size_t length = GbkCharLength(full.c_str() + at);
        if (length == 1 && full[at] == '\\') levels.push_back(full.substr(0, at + 1));
        at += length;
    }
    return levels;
}

bool FolderPresent(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolderLevels(const char* path) {
    for (const std::string& level : FolderLevels(path)) {
        const DWORD attributes = GetFileAttributesA(level.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
            continue;
        }
        // Another program may create the level in between: what counts is
        // that a folder stands there afterwards.
        if (!CreateDirectoryA(level.c_str(), nullptr) && !FolderPresent(level.c_str())) return false;
    }
    return true;
}
