// The Win32 calls WriteRegistryValue makes, seen through a fake registry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform_registry/fake_registry_api.h"
#include "platform_registry/registry_reader.h"

namespace {

class WriteCalls : public ::testing::Test {
protected:
    bool Write(std::int32_t root, const char* path, const RegistryValue& value) {
        return WriteRegistryValue(FakeRegistry::Api(), root, path, value);
    }
    static LONG Deny(HKEY, const std::string&) { return ERROR_ACCESS_DENIED; }

    FakeRegistry registry;
};

TEST_F(WriteCalls, OpensTheKeyForWritingOnlyThenSetsAndClosesIt) {
    EXPECT_TRUE(Write(4, "SOFTWARE\\A\\B\\Name", RegistryValue(1)));

    ASSERT_EQ(1u, registry.opens.size());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, registry.opens[0].root);
    EXPECT_EQ("SOFTWARE\\A\\B", registry.opens[0].keyPath);
    EXPECT_EQ(0u, registry.opens[0].options);
    EXPECT_EQ(REGSAM{0x20006}, registry.opens[0].access) << "KEY_WRITE, no view flag";
    EXPECT_TRUE(registry.creates.empty());

    ASSERT_EQ(1u, registry.sets.size());
    EXPECT_EQ("SOFTWARE\\A\\B", registry.sets[0].keyPath);
    EXPECT_EQ("Name", registry.sets[0].name);
    EXPECT_EQ(0u, registry.sets[0].reserved);
    EXPECT_EQ(DWORD{REG_DWORD}, registry.sets[0].type);
    EXPECT_EQ(DwordBytes(1), registry.sets[0].data);

    EXPECT_EQ(registry.handedOut, registry.closes);
}

TEST_F(WriteCalls, CreatesTheKeyWhenItCannotBeOpened) {
    registry.openResult = Deny;
    EXPECT_TRUE(Write(5, "SOFTWARE\\New\\Value", RegistryValue("x")));

    ASSERT_EQ(1u, registry.creates.size());
    EXPECT_EQ(HKEY_USERS, registry.creates[0].root);
    EXPECT_EQ("SOFTWARE\\New", registry.creates[0].keyPath);
    ASSERT_EQ(1u, registry.sets.size());
    EXPECT_EQ("Value", registry.sets[0].name);
    // Only the created key is closed, not what the failed open left behind.
    ASSERT_EQ(1u, registry.handedOut.size());
    EXPECT_EQ(registry.handedOut, registry.closes);
}

TEST_F(WriteCalls, FailsWithoutWritingOrClosingWhenTheKeyCanBeNeitherOpenedNorCreated) {
    registry.openResult = Deny;
    registry.createResult = Deny;
    EXPECT_FALSE(Write(4, "SOFTWARE\\Locked\\Value", RegistryValue(1)));

    EXPECT_EQ(1u, registry.opens.size());
    EXPECT_EQ(1u, registry.creates.size());
    EXPECT_TRUE(registry.sets.empty());
    EXPECT_TRUE(registry.closes.empty());
}

TEST_F(WriteCalls, FailsWhenTheValueIsRefusedAndStillClosesTheKey) {
    registry.setResult = [](HKEY, const std::string&, const std::string&) {
        return LONG{ERROR_ACCESS_DENIED};
    };
    EXPECT_FALSE(Write(3, "Software\\Key\\Value", RegistryValue("no")));
    EXPECT_EQ(1u, registry.sets.size());
    ASSERT_EQ(1u, registry.handedOut.size());
    EXPECT_EQ(registry.handedOut, registry.closes);

    registry.openResult = Deny;  // the same for a key that had to be created
    EXPECT_FALSE(Write(3, "Software\\Key\\Value", RegistryValue("no")));
    EXPECT_TRUE(registry.HandlesNotClosedOnce().empty());
}

TEST_F(WriteCalls, UnknownRootCodesWriteBelowTheCurrentUser) {
    for (std::int32_t code : {0, 6, -1, 3}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(Write(code, "Software\\Key\\Value", RegistryValue(1)));
        EXPECT_EQ(HKEY_CURRENT_USER, registry.opens.back().root);
    }
}

TEST_F(WriteCalls, PathsAreSplitIntoKeyAndValueName) {
    ASSERT_TRUE(Write(3, "JustAName", RegistryValue(1)));
    EXPECT_EQ("", registry.opens.back().keyPath);
    EXPECT_EQ("JustAName", registry.sets.back().name);

    ASSERT_TRUE(Write(3, "Software\\Key\\", RegistryValue(1)));
    EXPECT_EQ("Software\\Key", registry.opens.back().keyPath);
    EXPECT_EQ("", registry.sets.back().name);

    ASSERT_TRUE(Write(3, "Software\\N\x95\x5C" "ame", RegistryValue(1)));
    EXPECT_EQ("Software", registry.opens.back().keyPath);
    EXPECT_EQ("N\x95\x5C" "ame", registry.sets.back().name);
}

struct NumberCase {
    const char* what;
    RegistryValue value;
    DWORD stored;
};

constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoTo63 = 9223372036854775808.0;

const NumberCase kNumberCases[] = {
    {"int32 in little-endian order", RegistryValue(std::int32_t{0x12345678}), 0x12345678},
    {"negative int32", RegistryValue(std::int32_t{-2}), 0xFFFFFFFE},
    {"int64 gives its low 32 bits", RegistryValue(std::int64_t{0x100000005}), 5},
    {"negative int64", RegistryValue(std::int64_t{-1}), 0xFFFFFFFF},
    {"double truncated, not rounded", RegistryValue(4.9), 4},
    {"double just below one", RegistryValue(0.999), 0},
    {"negative double truncated toward zero", RegistryValue(-1.5), 0xFFFFFFFF},
    {"negative double just above zero", RegistryValue(-0.999), 0},
    {"2^32 wraps to 0", RegistryValue(kTwoTo32), 0},
    {"just below 2^32", RegistryValue(4294967295.9), 0xFFFFFFFF},
    {"beyond 32 bits keeps the low ones", RegistryValue(1099511627783.5), 7},  // 2^40 + 7.5
    {"negative beyond 32 bits", RegistryValue(-4294967297.5), 0xFFFFFFFF},      // -(2^32 + 1)
    {"largest double below 2^63", RegistryValue(kTwoTo63 - 1024.0), 0xFFFFFC00},
    {"-2^63 still fits", RegistryValue(-kTwoTo63), 0},
    {"-2^63 + 2048", RegistryValue(-kTwoTo63 + 2048.0), 0x00000800},
    // Out of the 64-bit range: defined as 0, what the x86 conversion gives.
    {"2^63 is out of range", RegistryValue(kTwoTo63), 0},
    {"1e19 is out of range", RegistryValue(1e19), 0},
    {"-1e19 is out of range", RegistryValue(-1e19), 0},
    {"NaN", RegistryValue(std::numeric_limits<double>::quiet_NaN()), 0},
    {"infinity", RegistryValue(std::numeric_limits<double>::infinity()), 0},
    {"minus infinity", RegistryValue(-std::numeric_limits<double>::infinity()), 0},
};

TEST_F(WriteCalls, NumbersAreStoredAsFourByteDwords) {
    for (const NumberCase& c : kNumberCases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Write(3, "Software\\Key\\Number", c.value));
        EXPECT_EQ(DWORD{REG_DWORD}, registry.sets.back().type);
        EXPECT_EQ(DwordBytes(c.stored), registry.sets.back().data);
        EXPECT_EQ(c.stored, RegistryDwordOf(c.value));
    }
}

TEST_F(WriteCalls, TextsAreStoredWithTheirTerminatingZero) {
    const struct {
        const char* text;
        std::vector<BYTE> data;
    } cases[] = {
        {"no", {'n', 'o', 0}},
        {"", {0}},
        {nullptr, {0}},  // a null text is the empty text
        {"中文", {0xD6, 0xD0, 0xCE, 0xC4, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        ASSERT_TRUE(Write(3, "Software\\Key\\Text", RegistryValue(c.text)));
        EXPECT_EQ(DWORD{REG_SZ}, registry.sets.back().type);
        EXPECT_EQ(c.data, registry.sets.back().data);
    }
}

TEST_F(WriteCalls, ByteSetsAreStoredAsTheirBytesOnly) {
    // Head: 1, count 5; then the bytes (and one beyond the count that must not go).
    static const unsigned char raw[] = {1, 0, 0, 0, 5, 0, 0, 0, 0x00, 0xFF, 0x5C, 0x00, 0x7F, 0xEE};
    ASSERT_TRUE(Write(3, "Software\\Key\\Bytes", RegistryValue(ByteSet(raw))));
    EXPECT_EQ(DWORD{REG_BINARY}, registry.sets.back().type);
    EXPECT_EQ((std::vector<BYTE>{0x00, 0xFF, 0x5C, 0x00, 0x7F}), registry.sets.back().data);

    static const unsigned char empty[] = {1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(Write(3, "Software\\Key\\Bytes", RegistryValue(ByteSet(empty))));
    EXPECT_EQ(DWORD{REG_BINARY}, registry.sets.back().type);
    EXPECT_TRUE(registry.sets.back().data.empty());
}

}  // namespace
