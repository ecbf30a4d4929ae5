#pragma once
// Builds ZIP archives byte by byte for the tests, well-formed by default and
// bent where a test says so.
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace test {

inline std::string DeflateRaw(const std::string& data, int level = 9) {
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&packed[0]);
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

inline std::uint32_t Crc32(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

struct ZipEntry {
    std::string name = "config.cfg";
    std::string data;
    std::uint16_t method = 8;
    std::uint16_t flags = 0;
    std::uint16_t dosTime = 0x005C;  // 00:02:56
    std::uint16_t dosDate = 0x5039;  // 2020-01-25
    std::uint32_t externalAttributes = 0x20;
    // Bends, applied to both headers unless named central or local.
    std::optional<std::string> packed;          // member data as stored
    std::optional<std::uint32_t> crc;
    std::optional<std::uint32_t> declaredSize;  // uncompressed size
    std::optional<std::uint32_t> packedSize;    // compressed size
    std::optional<std::string> centralName;
    std::optional<std::uint16_t> centralMethod;
};

struct BuiltZip {
    std::string bytes;
    std::vector<std::size_t> localAt;  // each member's local header
    std::vector<std::size_t> dataAt;   // each member's data
    std::size_t centralAt = 0;
    std::size_t endAt = 0;
};

inline void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
inline void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
inline void Put64(std::string& out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
}

// The NTFS time stamp extra field that the carried archives put in their
// central record.
inline std::string NtfsExtra() {
    std::string extra;
    Put16(extra, 0x000A);
    Put16(extra, 32);
    Put32(extra, 0);
    Put16(extra, 1);
    Put16(extra, 24);
    Put64(extra, 132243793743134766ull);
    Put64(extra, 132243781160019531ull);
    Put64(extra, 132243781160019531ull);
    return extra;
}

inline BuiltZip BuildZip(const std::vector<ZipEntry>& entries) {
    BuiltZip zip;
    std::string central;
    for (const ZipEntry& entry : entries) {
        const std::string packed = entry.packed ? *entry.packed : entry.method == 0 ? entry.data : DeflateRaw(entry.data);
        const std::uint32_t crc = entry.crc ? *entry.crc : Crc32(entry.data);
        const std::uint32_t size = entry.declaredSize ? *entry.declaredSize : static_cast<std::uint32_t>(entry.data.size());
        const std::uint32_t packedSize = entry.packedSize ? *entry.packedSize : static_cast<std::uint32_t>(packed.size());
        const std::size_t localAt = zip.bytes.size();
        zip.localAt.push_back(localAt);

        std::string& out = zip.bytes;
        Put32(out, 0x04034B50);
        Put16(out, 20);
        Put16(out, entry.flags);
        Put16(out, entry.method);
        Put16(out, entry.dosTime);
        Put16(out, entry.dosDate);
        Put32(out, crc);
        Put32(out, packedSize);
        Put32(out, size);
        Put16(out, static_cast<std::uint32_t>(entry.name.size()));
        Put16(out, 0);
        out += entry.name;
        zip.dataAt.push_back(out.size());
        out += packed;

        const std::string name = entry.centralName ? *entry.centralName : entry.name;
        const std::string extra = NtfsExtra();
        Put32(central, 0x02014B50);
        Put16(central, 63);
        Put16(central, 20);
        Put16(central, entry.flags);
        Put16(central, entry.centralMethod ? *entry.centralMethod : entry.method);
        Put16(central, entry.dosTime);
        Put16(central, entry.dosDate);
        Put32(central, crc);
        Put32(central, packedSize);
        Put32(central, size);
        Put16(central, static_cast<std::uint32_t>(name.size()));
        Put16(central, static_cast<std::uint32_t>(extra.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, entry.externalAttributes);
        Put32(central, static_cast<std::uint32_t>(localAt));
        central += name;
        central += extra;
    }
    zip.centralAt = zip.bytes.size();
    zip.bytes += central;
    zip.endAt = zip.bytes.size();
    Put32(zip.bytes, 0x06054B50);
    Put16(zip.bytes, 0);
    Put16(zip.bytes, 0);
    Put16(zip.bytes, static_cast<std::uint32_t>(entries.size()));
    Put16(zip.bytes, static_cast<std::uint32_t>(entries.size()));
    Put32(zip.bytes, static_cast<std::uint32_t>(central.size()));
    Put32(zip.bytes, static_cast<std::uint32_t>(zip.centralAt));
    Put16(zip.bytes, 0);
    return zip;
}

// A game configuration text of the carried size: 202 CR LF lines, the last
// one empty.
inline std::string ConfigText() {
    std::string text = "// This file is overwritten whenever you change your user settings in the game.\r\n"
                       "// Add custom configurations to the file \"userconfig.cfg\".\r\n\r\nunbindall\r\n";
    for (int line = 5; line <= 201; ++line) {
        text += "cl_setting_" + std::to_string(line) + " \"" + std::to_string(line * 37 % 1000) + "\"\r\n";
    }
    return text + "\r\n";
}

}  // namespace test
