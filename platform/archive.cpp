#include "platform/archive.h"

#include <windows.h>

#include <unzip.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/gbk_path.h"
#include "platform/member_data.h"
#include "platform/member_name.h"
#include "platform/scoped_win.h"
#include "platform/staged_file.h"
#include "platform/text.h"
#include "platform/win32_zip_io.h"

namespace {

constexpr std::int32_t kExtracted = 1;
constexpr std::int32_t kFailed = 0;
constexpr std::int32_t kNoArchive = -1;

// Anything shorter cannot hold a local header and an end record.
constexpr LONGLONG kShortestArchive = 32;
constexpr unsigned char kLocalSignature[4] = {0x50, 0x4B, 0x03, 0x04};
constexpr DWORD kLocalHeaderSize = 30;

// General purpose flags for encryption: traditional (bit 0), strong (bit 6)
// and an encrypted central directory (bit 13). No password is ever supplied.
constexpr uLong kEncryptionFlags = 0x0001 | 0x0040 | 0x2000;
constexpr uLong kFolderAttributes = FILE_ATTRIBUTE_DIRECTORY | 0x40000000;

struct Member {
    unz64_file_pos place{};
    unz_file_info64 info{};
    std::string name;
    std::string outputPath;
    bool folder = false;
};

// A member file waiting to replace its destination.
struct StagedMember {
    StagedFile file;
    std::string destination;
};

class OpenArchive {
public:
    OpenArchive(const char* path, Win32ZipIo& io) : zip_(unzOpen2_64(path, io.Functions())) {}
    ~OpenArchive() {
        if (zip_) unzClose(zip_);
    }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;
    unzFile Get() const { return zip_; }

private:
    unzFile zip_;
};

bool IsArchiveFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HasZipStart(const char* path) {
    const ScopedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < kShortestArchive) return false;
    unsigned char start[sizeof kLocalSignature];
    DWORD read = 0;
    return ReadFile(file.Get(), start, sizeof start, &read, nullptr) && read == sizeof start &&
           std::memcmp(start, kLocalSignature, sizeof start) == 0;
}

unsigned Little16(const unsigned char* at) { return at[0] | (at[1] << 8u); }

// minizip compares the local header with the central record in method,
// CRC-32, sizes and name length, but not in the name itself or the flags.
// Reads the local header of the member just opened and checks those too.
bool LocalHeaderAgrees(unzFile zip, const Win32ZipIo& io, const Member& member) {
    const int localExtra = unzGetLocalExtrafield(zip, nullptr, 0);
    if (localExtra < 0) return false;
    const ZPOS64_T dataAt = unzGetCurrentFileZStreamPos64(zip);
    const ZPOS64_T headerSize = kLocalHeaderSize + member.name.size() + static_cast<ZPOS64_T>(localExtra);
    if (dataAt < headerSize) return false;
    std::vector<unsigned char> header(kLocalHeaderSize + member.name.size());
    if (!io.ReadAt(dataAt - headerSize, header.data(), static_cast<DWORD>(header.size()))) return false;
    const unsigned flags = Little16(&header[6]);
    return std::memcmp(header.data(), kLocalSignature, sizeof kLocalSignature) == 0 &&
           (flags & kEncryptionFlags) == 0 && Little16(&header[8]) == member.info.compression_method &&
           std::memcmp(&header[kLocalHeaderSize], member.name.data(), member.name.size()) == 0;
}

// Reads and checks the current member's central record and local header.
bool ReadMember(unzFile zip, const Win32ZipIo& io, const char* targetFolder, Member& member) {
    if (unzGetFilePos64(zip, &member.place) != UNZ_OK) return false;
    unz_file_info64& info = member.info;
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    if (info.size_filename == 0 || info.size_filename >= MAX_PATH) return false;
    char name[MAX_PATH];
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    if (std::strlen(name) != info.size_filename) return false;  // a zero byte inside the name
    member.name = name;

    if ((info.flag & kEncryptionFlags) != 0) return false;
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return false;
    if (info.compression_method == 0 && info.compressed_size != info.uncompressed_size) return false;
    if (!IsSafeMemberName(name)) return false;
    member.folder = (info.external_fa & kFolderAttributes) != 0 || NamesFolder(name);
    member.outputPath = MemberOutputPath(targetFolder, name);
    if (member.outputPath.size() >= MAX_PATH) return false;

    // unzOpenCurrentFile2 checks the local header against the record.
    if (unzOpenCurrentFile2(zip, nullptr, nullptr, 1) != UNZ_OK) return false;
    const bool agrees = LocalHeaderAgrees(zip, io, member);
    unzCloseCurrentFile(zip);
    return agrees;
}

// The whole central directory, every member checked; false at the first
// member that cannot be extracted.
bool ReadMembers(unzFile zip, const Win32ZipIo& io, const char* targetFolder, std::vector<Member>& members) {
    unz_global_info64 global;
    if (unzGetGlobalInfo64(zip, &global) != UNZ_OK) return false;
    if (global.number_entry == 0) return true;
    for (int status = unzGoToFirstFile(zip); status != UNZ_END_OF_LIST_OF_FILE; status = unzGoToNextFile(zip)) {
        if (status != UNZ_OK) return false;
        Member member;
        if (!ReadMember(zip, io, targetFolder, member)) return false;
        members.push_back(std::move(member));
    }
    return true;
}

// The folder part of a member's output path, up to and including its last
// backslash.
std::string FolderOf(const std::string& path) {
    std::size_t end = 0;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = GbkCharLength(path.c_str() + at);
        if (length == 1 && path[at] == '\\') end = at + 1;
        at += length;
    }
    return path.substr(0, end);
}

bool StageMember(unzFile zip, const Member& member, StagedMember& staged) {
    const std::string folder = FolderOf(member.outputPath);
    if (!CreateFolderLevels(folder.c_str())) return false;
    if (unzGoToFilePos64(zip, &member.place) != UNZ_OK) return false;
    if (!staged.file.Create(folder)) return false;
    if (!WriteMemberData(zip, member.info, staged.file.Handle())) return false;
    // The DOS date and time are taken as they are, as UTC. A record without
    // a valid date leaves the file with the time of its writing.
    FILETIME time;
    const bool dated = DosDateTimeToFileTime(HIWORD(member.info.dosDate), LOWORD(member.info.dosDate), &time) != FALSE;
    if (!staged.file.Finish(dated ? &time : nullptr)) return false;
    staged.destination = member.outputPath;
    return true;
}

void RaiseProgress(const ZipComponent* component) {
    if (component != nullptr) component->RaiseProgress();
}

}  // namespace

std::int32_t ExtractArchive(ZipComponent* component, const char* archivePath, const char* targetFolder) {
    if (TextLength(archivePath) == 0 || TextLength(targetFolder) == 0) return kNoArchive;
    if (!IsArchiveFile(archivePath)) return kNoArchive;
    if (!FolderPresent(targetFolder) && !CreateFolderLevels(targetFolder)) return kFailed;
    if (!HasZipStart(archivePath)) return kFailed;

    Win32ZipIo io;
    const OpenArchive archive(archivePath, io);
    if (!archive.Get()) return kFailed;

    std::vector<Member> members;
    if (!ReadMembers(archive.Get(), io, targetFolder, members)) return kFailed;

    // Folders first come into being where the members say; file data goes
    // into temporary files. Any failure here deletes those again.
    std::vector<StagedMember> staged(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const Member& member = members[i];
        if (member.folder) {
            if (!CreateFolderLevels(member.outputPath.c_str())) return kFailed;
        } else if (!StageMember(archive.Get(), member, staged[i])) {
            return kFailed;
        }
    }

    for (std::size_t i = 0; i < members.size(); ++i) {
        if (!members[i].folder && !staged[i].file.Commit(staged[i].destination)) return kFailed;
        RaiseProgress(component);
    }
    RaiseProgress(component);
    return kExtracted;
}
