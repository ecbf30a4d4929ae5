#include "platform/staged_file.h"

#include <utility>

namespace {
// The temporary names are "cfgXXXX.tmp", XXXX hexadecimal.
constexpr const char kTempPrefix[] = "cfg";
}  // namespace

StagedFile::StagedFile(StagedFile&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::move(other.handle_)) {
    other.path_.clear();
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Discard();
        path_ = std::move(other.path_);
        other.path_.clear();
        handle_ = std::move(other.handle_);
    }
    return *this;
}

StagedFile::~StagedFile() { Discard(); }

void StagedFile::Discard() {
    handle_.Reset();
    if (!path_.empty()) DeleteFileA(path_.c_str());
    path_.clear();
}

bool StagedFile::Create(const std::string& folder) {
    Discard();
    char name[MAX_PATH];
    // GetTempFileNameA creates the file under a name no other file has.
    if (GetTempFileNameA(folder.c_str(), kTempPrefix, 0, name) == 0) return false;
    path_ = name;
    handle_.Reset(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle_.IsValid();
}

bool StagedFile::Finish(const FILETIME* time) {
    if (!handle_.IsValid()) return false;
    if (time != nullptr && !SetFileTime(handle_.Get(), time, time, time)) return false;
    return handle_.Reset();
}

bool StagedFile::Commit(const std::string& destination) {
    if (path_.empty() || handle_.IsValid()) return false;
    const DWORD oldAttributes = GetFileAttributesA(destination.c_str());
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(path_.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        if (oldAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(destination.c_str(), oldAttributes);
        return false;
    }
    path_.clear();  // the file is the destination now: nothing to delete
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}
