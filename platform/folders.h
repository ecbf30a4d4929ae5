#pragma once
#include <string>
#include <vector>

// The prefixes of path that end at a separating backslash, shortest first,
// with a backslash appended to path unless it ends with one. Only backslashes
// separate levels ("a/" gives the one level "a/\"), and a backslash that is
// the trail byte of a GBK character separates nothing.
std::vector<std::string> FolderLevels(const char* path);

// True when path names an existing folder (trailing separators are fine).
bool FolderPresent(const char* path);

// Creates the folder path level by level: every level that does not exist
// yet is created with CreateDirectoryA. False when a level cannot be created
// or exists as a file.
bool CreateFolderLevels(const char* path);
