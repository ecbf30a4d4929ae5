// Archives that must not be extracted: each leaves the old config.cfg byte
// for byte, the target folder without a temporary file, and nothing outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform_archive/extract_fixture.h"

namespace {

using test::BuildZip;
using test::BuiltZip;
using test::ZipEntry;

const std::string kNewText = test::ConfigText();

ZipEntry NewConfig() {
    ZipEntry entry;
    entry.data = kNewText;
    return entry;
}

BuiltZip Valid() { return BuildZip({NewConfig()}); }

std::string Truncated(std::size_t BuiltZip::*field, std::ptrdiff_t delta) {
    const BuiltZip zip = Valid();
    return zip.bytes.substr(0, static_cast<std::size_t>(static_cast<std::ptrdiff_t>(zip.*field) + delta));
}

std::string TruncatedInData(std::size_t into) {
    const BuiltZip zip = Valid();
    return zip.bytes.substr(0, zip.dataAt[0] + into);
}

std::string Poked(std::size_t at, char value) {
    std::string bytes = Valid().bytes;
    bytes[at] = value;
    return bytes;
}

std::string WithEntry(const std::function<void(ZipEntry&)>& bend) {
    ZipEntry entry = NewConfig();
    bend(entry);
    return BuildZip({entry}).bytes;
}

std::string Named(const std::string& name) {
    return WithEntry([&](ZipEntry& e) { e.name = name; });
}

// A valid config.cfg first, then a member that must stop everything.
std::string SecondMember(const std::function<void(ZipEntry&)>& bend) {
    ZipEntry second;
    second.name = "second.cfg";
    second.data = "second\r\n";
    bend(second);
    return BuildZip({NewConfig(), second}).bytes;
}

struct HostileCase {
    const char* label;
    std::function<std::string()> archive;
    std::int32_t expected = 0;
};

std::ostream& operator<<(std::ostream& out, const HostileCase& c) { return out << c.label; }

std::vector<HostileCase> Cases() {
    const BuiltZip valid = Valid();
    std::vector<HostileCase> cases = {
        {"empty file", [] { return std::string(); }},
        {"31 bytes", [] { return Valid().bytes.substr(0, 31); }},
        {"32 bytes of a local header", [] { return Valid().bytes.substr(0, 32); }},
        {"cut inside the local header", [] { return Valid().bytes.substr(0, 20); }},
        {"cut inside the data", [] { return TruncatedInData(100); }},
        {"cut before the central directory", [] { return Truncated(&BuiltZip::centralAt, 0); }},
        {"cut inside the central directory", [] { return Truncated(&BuiltZip::centralAt, 30); }},
        {"cut at the end record", [] { return Truncated(&BuiltZip::endAt, 0); }},
        {"cut inside the end record", [] { return Truncated(&BuiltZip::endAt, 12); }},
        {"end record one byte short", [] { return Truncated(&BuiltZip::endAt, 21); }},
        {"bad local signature", [] { return Poked(3, 0x05); }},
        {"bad central signature", [valid] { return Poked(valid.centralAt + 2, 0x03); }},
        {"bad end signature", [valid] { return Poked(valid.endAt + 3, 0x07); }},
        {"flipped data byte", [valid] { return Poked(valid.dataAt[0] + 700, static_cast<char>(valid.bytes[valid.dataAt[0] + 700] ^ 0x10)); }},
        {"wrong CRC in both headers", [] { return WithEntry([](ZipEntry& e) { e.crc = test::Crc32(e.data) ^ 1; }); }},
        {"stored member with a flipped byte",
         [] {
             ZipEntry e = NewConfig();
             e.method = 0;
             e.crc = test::Crc32(e.data);
             e.packed = e.data;
             (*e.packed)[10] ^= 0x20;
             return BuildZip({e}).bytes;
         }},
        {"method 12", [] { return WithEntry([](ZipEntry& e) { e.method = 12; e.packed = test::DeflateRaw(e.data); }); }},
        {"method 14", [] { return WithEntry([](ZipEntry& e) { e.method = 14; e.packed = test::DeflateRaw(e.data); }); }},
        {"method 99", [] { return WithEntry([](ZipEntry& e) { e.method = 99; e.packed = test::DeflateRaw(e.data); }); }},
        {"encrypted", [] { return WithEntry([](ZipEntry& e) { e.flags = 1; }); }},
        {"strongly encrypted", [] { return WithEntry([](ZipEntry& e) { e.flags = 0x41; }); }},
        {"declared size smaller", [] { return WithEntry([](ZipEntry& e) { e.declaredSize = static_cast<std::uint32_t>(e.data.size() - 1); }); }},
        {"declared size larger", [] { return WithEntry([](ZipEntry& e) { e.declaredSize = static_cast<std::uint32_t>(e.data.size() + 1); }); }},
        {"stored sizes that differ",
         [] { return WithEntry([](ZipEntry& e) { e.method = 0; e.packedSize = static_cast<std::uint32_t>(e.data.size() + 1); e.packed = e.data + "x"; }); }},
        // The CRC is that of the first 4116 bytes, so only the length can
        // tell that the stream goes on.
        {"10 MB of zeros declared as 4116 bytes",
         [] {
             return WithEntry([](ZipEntry& e) {
                 const std::string zeros(10 * 1024 * 1024, '\0');
                 e.packed = test::DeflateRaw(zeros);
                 e.declaredSize = 4116;
                 e.crc = test::Crc32(zeros.substr(0, 4116));
             });
         }},
        {"deflate stream cut short",
         [] { return WithEntry([](ZipEntry& e) { e.packed = test::DeflateRaw(e.data).substr(0, 500); }); }},
        {"bytes after the deflate stream",
         [] { return WithEntry([](ZipEntry& e) { e.packed = test::DeflateRaw(e.data) + "tail"; }); }},
        {"central name differs from the local one", [] { return WithEntry([](ZipEntry& e) { e.centralName = "config.cfh"; }); }},
        {"central method differs from the local one", [] { return WithEntry([](ZipEntry& e) { e.centralMethod = 0; }); }},
        {"folder member where config.cfg is a file",
         [] { return WithEntry([](ZipEntry& e) { e.externalAttributes = FILE_ATTRIBUTE_DIRECTORY; e.data.clear(); }); }},
        {"zero byte inside the name", [] { return Named(std::string("config.cfg\0.x", 13)); }},
        {"name of 300 bytes", [] { return Named(std::string(300, 'a')); }},
        {"bad second member name", [] { return SecondMember([](ZipEntry& e) { e.name = "../second.cfg"; }); }},
        {"bad second member method", [] { return SecondMember([](ZipEntry& e) { e.method = 99; e.packed = e.data; }); }},
        {"bad second member CRC", [] { return SecondMember([](ZipEntry& e) { e.crc = 0x12345678; }); }},
        {"second member cut off", [] { return SecondMember([](ZipEntry& e) { e.packed = std::string("\x01\x02", 2); }); }},
    };
    for (const char* name : {"/x", "\\x", "C:x", "C:\\x", "a/../b", "..", "../config.cfg", "CON", "nul.txt", "sub/aux",
                             "..\\config.cfg", "config.cfg:stream", "config.cfg.", "//server/share/config.cfg"}) {
        cases.push_back({name, [name] { return Named(name); }});
    }
    return cases;
}

class HostileArchive : public test::ExtractFixture, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchive, ChangesNothing) {
    EXPECT_EQ(GetParam().expected, Extract(GetParam().archive()));
    ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(Table, HostileArchive, ::testing::ValuesIn(Cases()));

class FolderAsArchive : public test::ExtractFixture {};

TEST_F(FolderAsArchive, IsNoArchive) {
    ASSERT_TRUE(CreateDirectoryA(archive_.c_str(), nullptr));
    EXPECT_EQ(-1, ExtractArchive(&component_, archive_.c_str(), target_.c_str()));
    ExpectNothingChanged();
}

}  // namespace
