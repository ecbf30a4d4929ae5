#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/registry.h"

namespace {

struct SplitCase {
    const char* what;
    const char* path;
    const char* keyPath;
    const char* valueName;
};

// Hex escapes are split off from the next character with "" "" so that they
// stay one byte each.
const SplitCase kSplitCases[] = {
    {"no backslash: the value sits in the root", "AlwaysUnloadDLL", "", "AlwaysUnloadDLL"},
    {"last backslash separates", "SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade\\AskMeAgain",
     "SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade", "AskMeAgain"},
    {"trailing backslash: default value", "Software\\Key\\", "Software\\Key", ""},
    {"only a backslash", "\\", "", ""},
    {"leading backslash: the root key", "\\Name", "", "Name"},
    {"two backslashes in a row", "A\\\\B", "A\\", "B"},
    {"empty path", "", "", ""},
    {"null path", nullptr, "", ""},
    {"second byte 0x5C at the end is no separator", "A\\B\x95\x5C", "A", "B\x95\x5C"},
    {"second byte 0x5C inside the last component", "Soft\\Key\\N\x95\x5C" "ame", "Soft\\Key",
     "N\x95\x5C" "ame"},
    {"second byte 0x5C in a key, real one after", "A\\\x95\x5C\\C", "A\\\x95\x5C", "C"},
    {"only a character with second byte 0x5C", "\x95\x5C", "", "\x95\x5C"},
    {"second byte 0x5C right after a separator", "A\\\x81\x5C", "A", "\x81\x5C"},
    {"GBK text around the separator", "Software\\中文键\\值", "Software\\中文键", "值"},
    {"lone lead byte before the terminating zero", "A\\B\x95", "A", "B\x95"},
    {"lone lead byte only", "\x95", "", "\x95"},
    // Bytes after the terminating zero must never be read: a scan that steps
    // over the zero after a lone lead byte would find the backslash behind it.
    {"nothing read after a lone lead byte's zero", "A\\B\x95" "\0\\C", "A", "B\x95"},
    {"nothing read after the zero", "AB" "\0\\C", "", "AB"},
};

TEST(SplitRegistryPath, SplitsAtTheLastRealBackslash) {
    for (const SplitCase& c : kSplitCases) {
        SCOPED_TRACE(c.what);
        const RegistryPathParts parts = SplitRegistryPath(c.path);
        EXPECT_EQ(std::string(c.keyPath), parts.keyPath);
        EXPECT_EQ(std::string(c.valueName), parts.valueName);
    }
}

struct RootCase {
    std::int32_t code;
    HKEY key;
    const char* name;
};

const RootCase kRootCases[] = {
    {1, HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {2, HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
    {3, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {4, HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {5, HKEY_USERS, "HKEY_USERS"},
    {0, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {6, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {-1, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {INT32_MIN, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {INT32_MAX, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
};

TEST(RegistryRoot, CodesOneToFiveNameTheRootsAndEveryOtherMeansCurrentUser) {
    for (const RootCase& c : kRootCases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.key, RegistryRootKey(c.code));
        EXPECT_STREQ(c.name, RegistryRootName(c.code));
    }
}

}  // namespace
