#pragma once
// Seeded mutation of a valid archive: every mutant must leave config.cfg
// either the complete new text (result 1) or the old text (result 0 or -1),
// and no temporary file behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform_archive/extract_fixture.h"

namespace test {

// Where a header field lies in the archive, for overwriting it whole.
struct Field {
    std::size_t at;
    int width;  // 2 or 4 bytes
};

// Every field of the local header, the central record and the end record
// of a one-member archive whose local header is at 0.
inline std::vector<Field> HeaderFields(std::size_t centralAt, std::size_t endAt) {
    std::vector<Field> fields;
    for (const Field f : {Field{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 4}, {18, 4}, {22, 4}, {26, 2}, {28, 2}}) {
        fields.push_back(f);
    }
    for (const Field f : {Field{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 2}, {16, 4}, {20, 4}, {24, 4},
                          {28, 2}, {30, 2}, {32, 2}, {34, 2}, {36, 2}, {38, 4}, {42, 4}}) {
        fields.push_back({centralAt + f.at, f.width});
    }
    for (const Field f : {Field{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}, {16, 4}, {20, 2}}) {
        fields.push_back({endAt + f.at, f.width});
    }
    return fields;
}

class Mutator {
public:
    Mutator(std::string valid, std::vector<Field> fields, std::uint32_t seed)
        : valid_(std::move(valid)), fields_(std::move(fields)), random_(seed) {}

    // The next mutant; describe says what was done to it.
    std::string Next(std::string& describe) {
        std::string bytes = valid_;
        const std::size_t size = bytes.size();
        switch (Below(6)) {
            case 0: {
                const std::size_t at = Below(size);
                const int bit = static_cast<int>(Below(8));
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
                describe = "flip bit " + std::to_string(bit) + " at " + std::to_string(at);
                break;
            }
            case 1: {
                const std::size_t at = Below(size);
                bytes[at] = static_cast<char>(Below(256));
                describe = "byte at " + std::to_string(at);
                break;
            }
            case 2: {
                const std::size_t length = Below(size);
                bytes.resize(length);
                describe = "cut to " + std::to_string(length);
                break;
            }
            case 3: {
                const std::size_t at = Below(size + 1);
                const std::size_t count = 1 + Below(8);
                std::string inserted;
                for (std::size_t i = 0; i < count; ++i) inserted += static_cast<char>(Below(256));
                bytes.insert(at, inserted);
                describe = "insert " + std::to_string(count) + " at " + std::to_string(at);
                break;
            }
            case 4: {
                const std::size_t at = Below(size);
                const std::size_t count = 1 + Below(8);
                bytes.erase(at, count);
                describe = "delete " + std::to_string(count) + " at " + std::to_string(at);
                break;
            }
            default: {
                const Field field = fields_[Below(fields_.size())];
                const std::uint32_t value = FieldValue(bytes, field);
                for (int i = 0; i < field.width; ++i) bytes[field.at + i] = static_cast<char>(value >> (8 * i));
                describe = "field at " + std::to_string(field.at) + " = " + std::to_string(value);
                break;
            }
        }
        return bytes;
    }

private:
    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

    // Values that parsers trip over most, or any value at all.
    std::uint32_t FieldValue(const std::string& bytes, const Field& field) {
        std::uint32_t old = 0;
        for (int i = 0; i < field.width; ++i) old |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[field.at + i])) << (8 * i);
        const std::uint32_t all = field.width == 2 ? 0xFFFFu : 0xFFFFFFFFu;
        switch (Below(6)) {
            case 0: return 0;
            case 1: return all;
            case 2: return (old + 1) & all;
            case 3: return (old - 1) & all;
            case 4: return all / 2;
            default: return static_cast<std::uint32_t>(random_()) & all;
        }
    }

    std::string valid_;
    std::vector<Field> fields_;
    std::mt19937 random_;
};

struct MutationTally {
    int extracted = 0;
    int failed = 0;
    int noArchive = 0;
    int faults = 0;
};

// Runs count mutants through the fixture's extraction, checking each.
inline MutationTally RunMutants(Mutator& mutator, int count, const std::string& newText,
                                const std::function<std::int32_t(const std::string&)>& extract,
                                const std::string& scratch, const std::string& target, const std::string& oldText) {
    MutationTally tally;
    const std::string config = target + "config.cfg";
    for (int i = 0; i < count && tally.faults < 10; ++i) {
        std::string describe;
        const std::string mutant = mutator.Next(describe);
        const std::int32_t result = extract(mutant);
        const std::string content = ReadBytes(config);
        const std::vector<std::string> inTarget = ListNames(target);
        const std::vector<std::string> inScratch = ListNames(scratch);
        const bool contentRight = result == 1 ? content == newText : content == oldText;
        const bool resultKnown = result == 1 || result == 0 || result == -1;
        const bool foldersClean = inTarget == std::vector<std::string>{"config.cfg"} &&
                                  inScratch == (std::vector<std::string>{"in.zip", "target"});
        if (!contentRight || !resultKnown || !foldersClean) {
            ++tally.faults;
            ADD_FAILURE() << "mutant " << i << " (" << describe << "): result " << result << ", config.cfg of "
                          << content.size() << " bytes, " << inTarget.size() << " entries in the target folder";
        }
        if (result == 1) ++tally.extracted;
        if (result == 0) ++tally.failed;
        if (result == -1) ++tally.noArchive;
        // The next mutant starts from the old configuration again.
        if (content != oldText) {
            SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_NORMAL);
            WriteBytes(config, oldText);
        }
    }
    return tally;
}

}  // namespace test
