// The two configuration archives the program carries: their layout byte by
// byte, and what extracting them gives.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "install/config_archives.h"
#include "platform/archive.h"
#include "platform/files.h"
#include "platform_archive/extract_fixture.h"
#include "platform_archive/mutation.h"
#include "platform_files/scratch_folder.h"

namespace {

struct Carried {
    const char* label;
    const ByteSet* archive;
    std::size_t textSize;
};

std::ostream& operator<<(std::ostream& out, const Carried& c) { return out << c.label; }

std::uint32_t Get16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}
std::uint32_t Get32(const std::string& bytes, std::size_t at) { return Get16(bytes, at) | (Get16(bytes, at + 2) << 16); }
std::uint64_t Get64(const std::string& bytes, std::size_t at) {
    return Get32(bytes, at) | (static_cast<std::uint64_t>(Get32(bytes, at + 4)) << 32);
}

std::string ArchiveBytes(const ByteSet& set) { return std::string(reinterpret_cast<const char*>(set.Data()), set.Size()); }

std::string InflateRaw(const std::string& packed, std::size_t expected) {
    std::string out(expected + 1, '\0');  // one more: a longer stream shows
    z_stream stream{};
    inflateInit2(&stream, -15);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    const bool consumedAll = stream.avail_in == 0;
    inflateEnd(&stream);
    return status == Z_STREAM_END && consumedAll ? out : "<bad stream>";
}

// Where the parts of a one-member archive lie, read from its end record.
struct Layout {
    std::size_t nameLength = 0;
    std::size_t dataAt = 0;
    std::size_t packedSize = 0;
    std::size_t centralAt = 0;
    std::size_t endAt = 0;
};

Layout Locate(const std::string& zip) {
    Layout layout;
    layout.endAt = zip.size() - 22;
    layout.centralAt = Get32(zip, layout.endAt + 16);
    layout.nameLength = Get16(zip, 26);
    layout.dataAt = 30 + layout.nameLength;
    layout.packedSize = Get32(zip, 18);
    return layout;
}

class CarriedArchive : public test::ExtractFixture, public ::testing::WithParamInterface<Carried> {
protected:
    const ByteSet& Archive() const { return *GetParam().archive; }
    std::string Zip() const { return ArchiveBytes(Archive()); }
    std::string Text() const {
        const std::string zip = Zip();
        const Layout layout = Locate(zip);
        return InflateRaw(zip.substr(layout.dataAt, layout.packedSize), GetParam().textSize);
    }
};

TEST_P(CarriedArchive, HasTheByteSetHead) {
    const unsigned char* raw = Archive().Raw();
    EXPECT_EQ(0, std::memcmp(raw, "\x01\x00\x00\x00", 4));
    EXPECT_EQ(Archive().Size(), raw[4] | (raw[5] << 8u) | (raw[6] << 16u) | (static_cast<std::uint32_t>(raw[7]) << 24u));
}

TEST_P(CarriedArchive, LocalHeaderDataCentralRecordAndEndRecordInThatOrder) {
    const std::string zip = Zip();
    const Layout layout = Locate(zip);
    ASSERT_GE(zip.size(), 30u + 10u + 92u + 22u);

    // Local header at 0, without an extra field.
    EXPECT_EQ(0x04034B50u, Get32(zip, 0));
    EXPECT_EQ(20u, Get16(zip, 4));
    EXPECT_EQ(0u, Get16(zip, 6));
    EXPECT_EQ(8u, Get16(zip, 8));
    EXPECT_EQ(10u, Get16(zip, 26));
    EXPECT_EQ(0u, Get16(zip, 28));
    EXPECT_EQ("config.cfg", zip.substr(30, 10));
    // The data runs up to the central directory; no data descriptor.
    EXPECT_EQ(layout.dataAt + layout.packedSize, layout.centralAt);

    // One central record that repeats the local header's fields.
    const std::size_t c = layout.centralAt;
    EXPECT_EQ(0x02014B50u, Get32(zip, c));
    EXPECT_EQ(63u, Get16(zip, c + 4));
    EXPECT_EQ(20u, Get16(zip, c + 6));
    EXPECT_EQ(0u, Get16(zip, c + 8));
    EXPECT_EQ(8u, Get16(zip, c + 10));
    EXPECT_EQ(zip.substr(10, 16), zip.substr(c + 12, 16));  // time, date, CRC-32, sizes
    EXPECT_EQ(10u, Get16(zip, c + 28));
    EXPECT_EQ(36u, Get16(zip, c + 30));
    EXPECT_EQ(0u, Get16(zip, c + 32));  // comment
    EXPECT_EQ(0u, Get16(zip, c + 34));  // disk
    EXPECT_EQ(0u, Get16(zip, c + 36));  // internal attributes
    EXPECT_EQ(0x20u, Get32(zip, c + 38));
    EXPECT_EQ(0u, Get32(zip, c + 42));
    EXPECT_EQ("config.cfg", zip.substr(c + 46, 10));

    // The NTFS extra field: tag 1 with three times, access and creation equal.
    const std::size_t x = c + 56;
    EXPECT_EQ(0x000Au, Get16(zip, x));
    EXPECT_EQ(32u, Get16(zip, x + 2));
    EXPECT_EQ(0u, Get32(zip, x + 4));
    EXPECT_EQ(1u, Get16(zip, x + 8));
    EXPECT_EQ(24u, Get16(zip, x + 10));
    EXPECT_EQ(Get64(zip, x + 20), Get64(zip, x + 28));
    EXPECT_GT(Get64(zip, x + 12), Get64(zip, x + 20));  // modified after made

    // The end record closes the file, with no comment.
    EXPECT_EQ(c + 92, layout.endAt);
    const std::size_t e = layout.endAt;
    EXPECT_EQ(0x06054B50u, Get32(zip, e));
    EXPECT_EQ(0u, Get16(zip, e + 4));
    EXPECT_EQ(0u, Get16(zip, e + 6));
    EXPECT_EQ(1u, Get16(zip, e + 8));
    EXPECT_EQ(1u, Get16(zip, e + 10));
    EXPECT_EQ(92u, Get32(zip, e + 12));
    EXPECT_EQ(0u, Get16(zip, e + 20));
}

TEST_P(CarriedArchive, MemberIsTheConfigurationText) {
    const std::string zip = Zip();
    const std::string text = Text();
    ASSERT_EQ(GetParam().textSize, text.size());
    EXPECT_EQ(text.size(), Get32(zip, 22));
    EXPECT_EQ(crc32(0L, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())), Get32(zip, 14));
    EXPECT_EQ("\r\n\r\n", text.substr(text.size() - 4));
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(202u, lines);
}

TEST_P(CarriedArchive, WrittenAndExtractedGivesExactlyConfigCfg) {
    const std::string zip = Zip();
    const test::WorkingDirectory inScratch(scratch_.Path());
    ASSERT_TRUE(WriteByteSetFile("1.zip", Archive()));
    EXPECT_TRUE(test::SameBytes(zip, test::ReadBytes(scratch_ / "1.zip")));

    ASSERT_TRUE(SetFileAttributesA(config_.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(1, ExtractArchive(&component_, "1.zip", "target/"));
    EXPECT_EQ(2, progress_);

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(config_.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(0u, data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    FILETIME dos;
    ASSERT_TRUE(DosDateTimeToFileTime(static_cast<WORD>(Get16(zip, 12)), static_cast<WORD>(Get16(zip, 10)), &dos));
    EXPECT_EQ(0, CompareFileTime(&dos, &data.ftCreationTime));
    EXPECT_EQ(0, CompareFileTime(&dos, &data.ftLastAccessTime));
    EXPECT_EQ(0, CompareFileTime(&dos, &data.ftLastWriteTime));

    EXPECT_TRUE(test::SameBytes(Text(), test::ReadBytes(config_)));
    EXPECT_EQ(std::vector<std::string>{"config.cfg"}, test::ListNames(target_));
}

TEST_P(CarriedArchive, MutantsLeaveEitherTheNewOrTheOldConfiguration) {
    const std::string zip = Zip();
    const Layout layout = Locate(zip);
    test::Mutator mutator(zip, test::HeaderFields(layout.centralAt, layout.endAt), 5039u);
    const auto start = std::chrono::steady_clock::now();
    const test::MutationTally tally = test::RunMutants(
        mutator, 800, Text(), [this](const std::string& bytes) { return Extract(bytes); }, scratch_.Path(), target_,
        kOldConfig);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "800 mutants of " << GetParam().label << " in " << seconds << " s: " << tally.extracted
              << " extracted, " << tally.failed << " failed\n";
    EXPECT_GT(tally.failed, tally.extracted);
}

INSTANTIATE_TEST_SUITE_P(Both, CarriedArchive,
                         ::testing::Values(Carried{"brawl", &BrawlArchive, 4116}, Carried{"match", &MatchArchive, 4113}));

}  // namespace
