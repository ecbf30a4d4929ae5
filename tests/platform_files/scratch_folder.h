#pragma once
// Test helpers: a scratch folder under the temporary directory that is
// removed with everything in it, and whole-file reads and writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace test {

inline std::vector<std::string> ListNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Deletes folder (ending with a backslash) and everything below it, whatever
// the attributes.
inline void RemoveTree(const std::string& folder) {
    for (const std::string& name : ListNames(folder)) {
        const std::string path = folder + name;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            RemoveTree(path + "\\");
        } else {
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    return CloseHandle(file) && ok;
}

// The whole content of the file, or "<unreadable>" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// Compares file contents without printing kilobytes of them on a mismatch.
inline ::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    return ::testing::AssertionFailure() << "expected " << expected.size() << " bytes, got " << actual.size()
                                         << " (\"" << actual.substr(0, 40) << "\"...), first difference at byte " << at;
}

inline bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A fresh, empty folder of its own under the temporary directory.
class ScratchFolder {
public:
    ScratchFolder() {
        static unsigned counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string base = temp;
        if (base.empty() || base.back() != '\\') base += '\\';
        path_ = base + "brisvane_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(GetTickCount()) + "_" + std::to_string(++counter) + "\\";
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Ends with a backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// The working directory, changed for the life of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& folder) {
        GetCurrentDirectoryA(MAX_PATH, old_);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~WorkingDirectory() { SetCurrentDirectoryA(old_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    char old_[MAX_PATH] = {};
};

}  // namespace test
