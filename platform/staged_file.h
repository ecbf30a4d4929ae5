#pragma once
#include <windows.h>

#include <string>

#include "platform/scoped_win.h"

// A new file's content gathered under a temporary name in the folder of its
// destination, so that the destination is only ever the old file or the
// complete new one: Commit renames it over the destination in one step. A
// staged file that was not committed is deleted when the object goes.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    // Creates an empty temporary file in folder (a path ending with a
    // separator) and opens it for writing. False when that fails.
    bool Create(const std::string& folder);

    HANDLE Handle() const { return handle_.Get(); }
    const std::string& Path() const { return path_; }

    // Sets creation, last-access and last-write time, then closes the file.
    // Setting the times on the open handle, before the rename, is what makes
    // them stick: a rename keeps them, and nothing writes to the file later.
    bool Finish(const FILETIME* time);

    // Replaces destination with the finished file: read-only, hidden and
    // system are cleared on an existing destination first (Windows refuses to
    // replace a read-only file), and put back should the rename fail. The
    // result carries normal attributes.
    bool Commit(const std::string& destination);

private:
    void Discard();

    std::string path_;
    ScopedFile handle_;
};
