// WriteRegistryValue against the registry itself, in a scratch key below
// HKEY_CURRENT_USER that every test removes again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform_registry/registry_reader.h"

namespace {

const char kTestParent[] = "Software\\BrisvaneTest";

class RealRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        scratch_ = std::string(kTestParent) + "\\" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
        ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch_));
    }
    // Runs after a failed assertion too.
    void TearDown() override {
        DeleteKeyTree(HKEY_CURRENT_USER, scratch_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestParent);  // refused while other runs use it
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch_));
    }

    std::string Path(const std::string& rest) const { return scratch_ + "\\" + rest; }
    StoredValue Read(const std::string& keyBelowScratch, const std::string& name) const {
        return ReadStoredValue(HKEY_CURRENT_USER,
                               keyBelowScratch.empty() ? scratch_ : Path(keyBelowScratch), name);
    }

    std::string scratch_;
};

TEST_F(RealRegistry, NumberIsStoredAsDword) {
    ASSERT_TRUE(WriteRegistryValue(3, Path("Number").c_str(), RegistryValue(4.9)));
    const StoredValue stored = Read("", "Number");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(DWORD{REG_DWORD}, stored.type);
    EXPECT_EQ(DwordBytes(4), stored.data);

    ASSERT_TRUE(WriteRegistryValue(3, Path("Number").c_str(), RegistryValue(-1.5)));
    EXPECT_EQ(DwordBytes(0xFFFFFFFF), Read("", "Number").data);
}

TEST_F(RealRegistry, TextIsStoredAsStringWithTerminatingZero) {
    ASSERT_TRUE(WriteRegistryValue(3, Path("Text").c_str(), RegistryValue("no")));
    StoredValue stored = Read("", "Text");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(DWORD{REG_SZ}, stored.type);
    EXPECT_EQ(TextBytes("no"), stored.data);
    EXPECT_EQ(3u, stored.data.size());

    ASSERT_TRUE(WriteRegistryValue(3, Path("Empty").c_str(), RegistryValue("")));
    stored = Read("", "Empty");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(DWORD{REG_SZ}, stored.type);
    EXPECT_EQ(std::vector<BYTE>{0}, stored.data);
}

TEST_F(RealRegistry, ByteSetIsStoredAsBinary) {
    static const unsigned char raw[] = {1, 0, 0, 0, 4, 0, 0, 0, 0x00, 0xFF, 0x00, 0x5C};
    ASSERT_TRUE(WriteRegistryValue(3, Path("Bytes").c_str(), RegistryValue(ByteSet(raw))));
    const StoredValue stored = Read("", "Bytes");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(DWORD{REG_BINARY}, stored.type);
    EXPECT_EQ((std::vector<BYTE>{0x00, 0xFF, 0x00, 0x5C}), stored.data);
}

TEST_F(RealRegistry, MissingKeysAreCreatedAndStay) {
    ASSERT_TRUE(WriteRegistryValue(3, Path("New\\Deeper\\Value").c_str(), RegistryValue(7)));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("New\\Deeper")));
    EXPECT_EQ(DwordBytes(7), Read("New\\Deeper", "Value").data);

    // A second write finds the key and replaces the value, type and all.
    ASSERT_TRUE(WriteRegistryValue(3, Path("New\\Deeper\\Value").c_str(), RegistryValue("seven")));
    const StoredValue stored = Read("New\\Deeper", "Value");
    EXPECT_EQ(DWORD{REG_SZ}, stored.type);
    EXPECT_EQ(TextBytes("seven"), stored.data);
}

TEST_F(RealRegistry, TrailingBackslashWritesTheDefaultValue) {
    ASSERT_TRUE(WriteRegistryValue(3, Path("Key\\").c_str(), RegistryValue("default")));
    const StoredValue stored = Read("Key", "");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(DWORD{REG_SZ}, stored.type);
    EXPECT_EQ(TextBytes("default"), stored.data);
}

TEST_F(RealRegistry, UnknownRootCodesWriteBelowTheCurrentUser) {
    ASSERT_TRUE(WriteRegistryValue(0, Path("Zero").c_str(), RegistryValue(10)));
    ASSERT_TRUE(WriteRegistryValue(6, Path("Six").c_str(), RegistryValue(60)));
    EXPECT_EQ(DwordBytes(10), Read("", "Zero").data);
    EXPECT_EQ(DwordBytes(60), Read("", "Six").data);
}

}  // namespace
