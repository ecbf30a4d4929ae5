// The member data as it reaches the temporary file.
#include <gtest/gtest.h>
#include <windows.h>
#include <unzip.h>

#include <string>

#include "platform/member_data.h"
#include "platform/win32_zip_io.h"
#include "platform_archive/zip_builder.h"
#include "platform_files/scratch_folder.h"

namespace {

class MemberData : public ::testing::Test {
protected:
    // Writes the data of the archive's one member to "out" and says whether
    // WriteMemberData accepted it.
    bool WriteOut(const test::ZipEntry& entry) {
        EXPECT_TRUE(test::WriteBytes(archive_, test::BuildZip({entry}).bytes));
        Win32ZipIo io;
        const unzFile zip = unzOpen2_64(archive_.c_str(), io.Functions());
        EXPECT_NE(nullptr, zip);
        if (!zip) return false;
        unz_file_info64 info;
        EXPECT_EQ(UNZ_OK, unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0));
        const HANDLE out = CreateFileA(out_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const bool written = WriteMemberData(zip, info, out);
        CloseHandle(out);
        unzClose(zip);
        return written;
    }

    test::ScratchFolder scratch_;
    const std::string archive_ = scratch_ / "in.zip";
    const std::string out_ = scratch_ / "out";
};

TEST_F(MemberData, WritesDeflatedAndStoredDataWhole) {
    test::ZipEntry entry;
    entry.data = test::ConfigText() + std::string(40000, 'x');  // more than two pieces
    EXPECT_TRUE(WriteOut(entry));
    EXPECT_TRUE(test::SameBytes(entry.data, test::ReadBytes(out_)));
    entry.method = 0;
    EXPECT_TRUE(WriteOut(entry));
    EXPECT_TRUE(test::SameBytes(entry.data, test::ReadBytes(out_)));
}

// The CRC-32 is that of the declared first 4116 bytes: only the length of
// the stream tells, and not one byte past the declared size is written.
TEST_F(MemberData, StopsAStreamThatGoesOnPastItsDeclaredSize) {
    const std::string zeros(10 * 1024 * 1024, '\0');
    test::ZipEntry bomb;
    bomb.packed = test::DeflateRaw(zeros);
    bomb.declaredSize = 4116;
    bomb.crc = test::Crc32(zeros.substr(0, 4116));
    EXPECT_FALSE(WriteOut(bomb));
    EXPECT_LE(test::ReadBytes(out_).size(), 4116u);
}

TEST_F(MemberData, RefusesAStreamThatEndsBeforeItsDeclaredSize) {
    test::ZipEntry entry;
    entry.data = test::ConfigText();
    entry.declaredSize = static_cast<std::uint32_t>(entry.data.size() + 1);
    EXPECT_FALSE(WriteOut(entry));
}

}  // namespace
