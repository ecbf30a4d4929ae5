// Extraction of well-formed archives.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/archive.h"
#include "platform_archive/extract_fixture.h"

namespace {

using test::BuildZip;
using test::ExtractFixture;
using test::ListNames;
using test::ReadBytes;
using test::ZipEntry;

ZipEntry Config(const std::string& text = test::ConfigText()) {
    ZipEntry entry;
    entry.data = text;
    return entry;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// 2020-01-25 00:02:56 as UTC, worked out without the DOS conversion.
std::uint64_t ConfigTimeAsUtc() {
    SYSTEMTIME utc{};
    utc.wYear = 2020;
    utc.wMonth = 1;
    utc.wDay = 25;
    utc.wHour = 0;
    utc.wMinute = 2;
    utc.wSecond = 56;
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    return Ticks(time);
}

class Extraction : public ExtractFixture {};

TEST_F(Extraction, ReplacesConfigWithTheMemberText) {
    const std::string text = test::ConfigText();
    EXPECT_EQ(1, Extract(BuildZip({Config(text)}).bytes));
    EXPECT_TRUE(test::SameBytes(text, ReadBytes(config_)));
    EXPECT_EQ(std::vector<std::string>{"config.cfg"}, ListNames(target_));
    EXPECT_EQ((std::vector<std::string>{"in.zip", "target"}), ListNames(scratch_.Path()));
}

TEST_F(Extraction, GivesTheFileNormalAttributesAndTheDosTimeAsUtc) {
    ASSERT_TRUE(SetFileAttributesA(config_.c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_EQ(1, Extract(BuildZip({Config()}).bytes));

    // Read before the content: reading may move the last-access time.
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(config_.c_str(), GetFileExInfoStandard, &data));
    // Windows reports a file with no other attribute as NORMAL, Wine as ARCHIVE.
    EXPECT_TRUE(data.dwFileAttributes == FILE_ATTRIBUTE_NORMAL || data.dwFileAttributes == FILE_ATTRIBUTE_ARCHIVE)
        << std::hex << data.dwFileAttributes;
    EXPECT_EQ(ConfigTimeAsUtc(), Ticks(data.ftCreationTime));
    EXPECT_EQ(ConfigTimeAsUtc(), Ticks(data.ftLastAccessTime));
    EXPECT_EQ(ConfigTimeAsUtc(), Ticks(data.ftLastWriteTime));
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(config_)));
}

TEST_F(Extraction, StoredMembersAndEmptyMembersWork) {
    ZipEntry stored = Config("stored text\r\n\r\n");
    stored.method = 0;
    ZipEntry empty = Config("");
    empty.name = "empty.cfg";
    EXPECT_EQ(1, Extract(BuildZip({stored, empty}).bytes));
    EXPECT_TRUE(test::SameBytes("stored text\r\n\r\n", ReadBytes(config_)));
    EXPECT_EQ("", ReadBytes(target_ + "empty.cfg"));
}

TEST_F(Extraction, RaisesProgressAfterEachMemberAndOnceAtTheEnd) {
    ZipEntry folder = Config("");
    folder.name = "sub/";
    folder.externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    ZipEntry inFolder = Config("inside\r\n");
    inFolder.name = "sub/deeper/inside.cfg";
    ZipEntry attributeFolder = Config("");
    attributeFolder.name = "marked";
    attributeFolder.externalAttributes = 0x40000000;
    EXPECT_EQ(1, Extract(BuildZip({folder, inFolder, attributeFolder, Config()}).bytes));
    EXPECT_EQ(5, progress_);
    EXPECT_TRUE(test::IsFolder(target_ + "sub"));
    EXPECT_TRUE(test::IsFolder(target_ + "marked"));
    EXPECT_TRUE(test::SameBytes("inside\r\n", ReadBytes(target_ + "sub\\deeper\\inside.cfg")));
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(config_)));
    EXPECT_EQ((std::vector<std::string>{"config.cfg", "marked", "sub"}), ListNames(target_));
}

TEST_F(Extraction, RefusesAnArchiveOfOnlyAnEndRecord) {
    // Empty as a ZIP file, but it does not begin with a local header.
    EXPECT_EQ(0, Extract(BuildZip({}).bytes + std::string(10, '\0')));
    EXPECT_EQ(0, progress_);
    ExpectNothingChanged();
}

TEST_F(Extraction, WorksWithoutAComponent) {
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    EXPECT_EQ(1, ExtractArchive(nullptr, archive_.c_str(), target_.c_str()));
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(config_)));
}

TEST_F(Extraction, CreatesAMissingTargetFolderLevelByLevel) {
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    for (const std::string folder : {"new", "a\\b\\", "c\\d/", "e\\f\\g\\h"}) {
        const std::string target = scratch_ / folder;
        EXPECT_EQ(1, ExtractArchive(&component_, archive_.c_str(), target.c_str())) << folder;
        EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(target + "\\config.cfg"))) << folder;
    }
    EXPECT_EQ((std::vector<std::string>{"a", "c", "e", "in.zip", "new", "target"}), ListNames(scratch_.Path()));
    EXPECT_EQ(std::vector<std::string>{"config.cfg"}, ListNames(scratch_ / "e\\f\\g\\h\\"));
}

// Only backslashes separate levels: "x/y" is one level, which Windows can
// create only where "x" is there already.
TEST_F(Extraction, AForwardSlashInsideTheTargetSeparatesNoLevel) {
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    const std::string target = scratch_ / "x/y";
    EXPECT_EQ(0, ExtractArchive(&component_, archive_.c_str(), target.c_str()));
    ASSERT_TRUE(CreateDirectoryA((scratch_ / "x").c_str(), nullptr));
    EXPECT_EQ(1, ExtractArchive(&component_, archive_.c_str(), target.c_str()));
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(scratch_ / "x\\y\\config.cfg")));
}

TEST_F(Extraction, InstallsIntoTheGameFolderRelativeToTheWorkingDirectory) {
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    const test::WorkingDirectory inScratch(scratch_.Path());
    EXPECT_EQ(1, ExtractArchive(&component_, "in.zip", "cstrike_schinese/"));
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(scratch_ / "cstrike_schinese\\config.cfg")));
    EXPECT_EQ(std::vector<std::string>{"config.cfg"}, ListNames(scratch_ / "cstrike_schinese\\"));
}

// "乗" is 81 5C in GBK. With the ANSI code page 936 of the Chinese systems the
// program is made for, a byte-by-byte walk would create a stray folder "乗"
// before "乗b".
TEST_F(Extraction, AGbkCharacterWithTrailByte5CIsPartOfOneFolderLevel) {
    if (GetACP() != 936) GTEST_SKIP() << "needs the ANSI code page 936 (run with LANG=zh_CN.UTF-8)";
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    const std::string target = scratch_ / "\x81\x5C" "b\\";
    EXPECT_EQ(1, ExtractArchive(&component_, archive_.c_str(), target.c_str()));

    std::vector<std::wstring> wide;
    WIN32_FIND_DATAW found;
    const std::string pattern = scratch_ / "*";
    std::wstring widePattern(pattern.begin(), pattern.end());
    const HANDLE search = FindFirstFileW(widePattern.c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") wide.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(wide.begin(), wide.end());
    EXPECT_EQ((std::vector<std::wstring>{L"in.zip", L"target", L"\u4E57b"}), wide);
    EXPECT_TRUE(test::SameBytes(test::ConfigText(), ReadBytes(target + "config.cfg")));
}

TEST_F(Extraction, FailsWhereAFileStandsInPlaceOfTheTargetFolder) {
    ASSERT_TRUE(test::WriteBytes(archive_, BuildZip({Config()}).bytes));
    const test::WorkingDirectory inScratch(scratch_.Path());
    ASSERT_TRUE(test::WriteBytes("cstrike_schinese", "a file"));
    EXPECT_EQ(0, ExtractArchive(&component_, "in.zip", "cstrike_schinese/"));
    EXPECT_EQ(0, ExtractArchive(&component_, "in.zip", "cstrike_schinese"));
    EXPECT_EQ(0, ExtractArchive(&component_, "in.zip", "cstrike_schinese\\sub\\"));
    EXPECT_EQ("a file", ReadBytes(scratch_ / "cstrike_schinese"));
    EXPECT_EQ((std::vector<std::string>{"cstrike_schinese", "in.zip", "target"}), ListNames(scratch_.Path()));
}

TEST_F(Extraction, ReportsAMissingArchiveOrPathWithMinusOne) {
    const std::string bytes = BuildZip({Config()}).bytes;
    ASSERT_TRUE(test::WriteBytes(archive_, bytes));
    const std::string missing = scratch_ / "missing.zip";
    const std::string newTarget = scratch_ / "never\\";
    EXPECT_EQ(-1, ExtractArchive(&component_, nullptr, target_.c_str()));
    EXPECT_EQ(-1, ExtractArchive(&component_, archive_.c_str(), nullptr));
    EXPECT_EQ(-1, ExtractArchive(&component_, "", target_.c_str()));
    EXPECT_EQ(-1, ExtractArchive(&component_, archive_.c_str(), ""));
    EXPECT_EQ(-1, ExtractArchive(&component_, missing.c_str(), newTarget.c_str()));
    EXPECT_EQ(-1, ExtractArchive(&component_, target_.c_str(), newTarget.c_str()));  // a folder
    EXPECT_EQ(0, progress_);
    ExpectNothingChanged();
}

TEST_F(Extraction, KeepsTheOldFileWhenItIsOpenWithoutSharing) {
    const HANDLE lock = CreateFileA(config_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(0, Extract(BuildZip({Config()}).bytes));
    CloseHandle(lock);
    ExpectNothingChanged();
}

TEST_F(Extraction, KeepsTheOldFileAndItsAttributesWhenAFolderCannotBeReplaced) {
    ASSERT_TRUE(CreateDirectoryA((target_ + "folder.cfg").c_str(), nullptr));
    ZipEntry entry = Config();
    entry.name = "folder.cfg";
    EXPECT_EQ(0, Extract(BuildZip({entry}).bytes));
    EXPECT_TRUE(test::IsFolder(target_ + "folder.cfg"));
    EXPECT_EQ((std::vector<std::string>{"config.cfg", "folder.cfg"}), ListNames(target_));
}

}  // namespace
