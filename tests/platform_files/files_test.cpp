#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform_files/scratch_folder.h"

namespace {

// A ByteSet needs its 8-byte head: 1, then the byte count, little-endian.
std::vector<unsigned char> WithHead(const std::string& bytes) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    std::vector<unsigned char> raw(8 + bytes.size());
    raw[0] = 1;
    for (int i = 0; i < 4; ++i) raw[4 + i] = static_cast<unsigned char>(size >> (8 * i));
    for (std::size_t i = 0; i < bytes.size(); ++i) raw[8 + i] = static_cast<unsigned char>(bytes[i]);
    return raw;
}

TEST(PathPresent, FindsFilesAndFoldersWithEitherSlash) {
    const test::ScratchFolder scratch;
    ASSERT_TRUE(test::WriteBytes(scratch / "de_dust2.bsp", "map"));
    ASSERT_TRUE(CreateDirectoryA((scratch / "maps").c_str(), nullptr));
    ASSERT_TRUE(test::WriteBytes(scratch / "maps\\inner.bsp", "map"));

    EXPECT_TRUE(PathPresent((scratch / "de_dust2.bsp").c_str()));
    EXPECT_TRUE(PathPresent((scratch / "maps").c_str()));
    EXPECT_TRUE(PathPresent((scratch / "maps/inner.bsp").c_str()));
    EXPECT_FALSE(PathPresent((scratch / "missing.bsp").c_str()));
    EXPECT_FALSE(PathPresent((scratch / "missing/inner.bsp").c_str()));
}

TEST(PathPresent, FindsTheMarkerRelativeToTheWorkingDirectory) {
    const test::ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryA((scratch / "cstrike").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((scratch / "cstrike\\maps").c_str(), nullptr));
    const test::WorkingDirectory inScratch(scratch.Path());
    EXPECT_FALSE(PathPresent("cstrike/maps/de_dust2.bsp"));
    // A folder of the marker's name counts as the marker.
    ASSERT_TRUE(CreateDirectoryA("cstrike\\maps\\de_dust2.bsp", nullptr));
    EXPECT_TRUE(PathPresent("cstrike/maps/de_dust2.bsp"));
}

TEST(TempDirectory, IsAnExistingFolderEndingWithABackslash) {
    const Text temp = TempDirectory();
    ASSERT_FALSE(temp.IsNull());
    const std::string path = temp.CStr();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ('\\', path.back());
    EXPECT_TRUE(test::IsFolder(path));
}

TEST(TempDirectory, FollowsTmpAndGivesAFreshCopyEachTime) {
    const test::ScratchFolder scratch;
    char old[MAX_PATH] = {};
    const DWORD oldLength = GetEnvironmentVariableA("TMP", old, MAX_PATH);
    std::string folder = scratch.Path();
    folder.pop_back();  // no trailing backslash in the variable
    SetEnvironmentVariableA("TMP", folder.c_str());
    const Text first = TempDirectory();
    const Text second = TempDirectory();
    SetEnvironmentVariableA("TMP", oldLength ? old : nullptr);

    EXPECT_STREQ(scratch.Path().c_str(), first.CStr());
    EXPECT_STREQ(first.CStr(), second.CStr());
    EXPECT_NE(static_cast<const void*>(first.CStr()), static_cast<const void*>(second.CStr()));
}

TEST(WriteByteSetFile, WritesExactlyTheBytesAfterTheHead) {
    const test::ScratchFolder scratch;
    const std::string content("PK\x03\x04\0\0\xff binary \r\n", 17);
    const auto raw = WithHead(content);
    const std::string path = scratch / "1.zip";
    EXPECT_TRUE(WriteByteSetFile(path.c_str(), ByteSet(raw.data())));
    EXPECT_EQ(content, test::ReadBytes(path));
}

TEST(WriteByteSetFile, TruncatesALongerFile) {
    const test::ScratchFolder scratch;
    const std::string path = scratch / "1.zip";
    ASSERT_TRUE(test::WriteBytes(path, std::string(5000, 'x')));
    const auto raw = WithHead("short");
    EXPECT_TRUE(WriteByteSetFile(path.c_str(), ByteSet(raw.data())));
    EXPECT_EQ("short", test::ReadBytes(path));

    const auto empty = WithHead("");
    EXPECT_TRUE(WriteByteSetFile(path.c_str(), ByteSet(empty.data())));
    EXPECT_EQ("", test::ReadBytes(path));
}

TEST(WriteByteSetFile, RefusesAnEmptyPathWithoutTouchingAnything) {
    const test::ScratchFolder scratch;
    const test::WorkingDirectory inScratch(scratch.Path());
    const auto raw = WithHead("data");
    EXPECT_FALSE(WriteByteSetFile("", ByteSet(raw.data())));
    EXPECT_FALSE(WriteByteSetFile(nullptr, ByteSet(raw.data())));
    EXPECT_TRUE(test::ListNames(scratch.Path()).empty());
}

TEST(WriteByteSetFile, FailsOnAFileOpenWithoutSharingAndLeavesItAlone) {
    const test::ScratchFolder scratch;
    const std::string path = scratch / "1.zip";
    ASSERT_TRUE(test::WriteBytes(path, "old archive"));
    const HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const auto raw = WithHead("new archive, longer");
    EXPECT_FALSE(WriteByteSetFile(path.c_str(), ByteSet(raw.data())));
    CloseHandle(lock);
    EXPECT_EQ("old archive", test::ReadBytes(path));
}

TEST(WriteByteSetFile, FailsWhereTheFolderIsMissing) {
    const test::ScratchFolder scratch;
    const auto raw = WithHead("data");
    EXPECT_FALSE(WriteByteSetFile((scratch / "missing\\1.zip").c_str(), ByteSet(raw.data())));
    EXPECT_TRUE(test::ListNames(scratch.Path()).empty());
}

}  // namespace
