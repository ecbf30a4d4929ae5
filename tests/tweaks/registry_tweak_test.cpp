// The eight rows of the tweak action, what they write, and what the user is
// told afterwards. The registry is the fake one unless a test says otherwise.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform_registry/fake_registry_api.h"
#include "platform_registry/registry_reader.h"
#include "tweaks/registry_tweak_table.h"
#include "tweaks/tweak_action.h"

namespace {

using Kind = RegistryTweakRow::Kind;

// The rows as the program must hold them, and what each one writes.
struct ExpectedRow {
    std::int32_t rootCode;
    const char* path;
    Kind kind;
    const char* valueAsHeld;
    HKEY root;
    const char* keyPath;
    const char* valueName;
    DWORD type;
    std::vector<BYTE> data;
};

const std::vector<ExpectedRow>& ExpectedRows() {
    static const std::vector<ExpectedRow> rows = {
        {5, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", Kind::Number, "1",
         HKEY_USERS, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", "AlwaysUnloadDLL",
         REG_DWORD, DwordBytes(1)},
        {4, "SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade\\AskMeAgain", Kind::Text, "no",
         HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade", "AskMeAgain", REG_SZ,
         {'n', 'o', 0}},
        {4, "SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer\\DisableAutoUpdate", Kind::Number, "1",
         HKEY_LOCAL_MACHINE, "SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer", "DisableAutoUpdate",
         REG_DWORD, DwordBytes(1)},
        {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDriveTypeAutoRun",
         Kind::Number, "255", HKEY_CURRENT_USER,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoDriveTypeAutoRun",
         REG_DWORD, DwordBytes(0xFF)},
        {4, "SYSTEM\\CurrentControlSet\\Services\\stisvc\\Start", Kind::Number, "4", HKEY_LOCAL_MACHINE,
         "SYSTEM\\CurrentControlSet\\Services\\stisvc", "Start", REG_DWORD, DwordBytes(4)},
        {4, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoRemoteRecursiveEvents",
         Kind::Number, "1", HKEY_LOCAL_MACHINE,
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRemoteRecursiveEvents",
         REG_DWORD, DwordBytes(1)},
        {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoSaveSettings",
         Kind::Number, "0", HKEY_CURRENT_USER,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoSaveSettings",
         REG_DWORD, DwordBytes(0)},
        {3, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\NoNetCrawling",
         Kind::Number, "1", HKEY_CURRENT_USER,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", "NoNetCrawling", REG_DWORD,
         DwordBytes(1)},
    };
    return rows;
}

const char kFailureHeading[] = "以下设置未能写入（可能需要以管理员身份运行）：";

std::vector<const RegistryTweakRow*> WriteTable(const RegistryApi& api) {
    return WriteTweakRows(RegistryTweakTable.data(), RegistryTweakTable.size(), api);
}

TEST(RegistryTweakTable, HoldsTheEightRowsInOrder) {
    ASSERT_EQ(ExpectedRows().size(), RegistryTweakTable.size());
    for (std::size_t i = 0; i < RegistryTweakTable.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const ExpectedRow& expected = ExpectedRows()[i];
        const RegistryTweakRow& row = RegistryTweakTable[i];
        EXPECT_EQ(expected.rootCode, row.rootCode);
        EXPECT_STREQ(expected.path, row.path);  // case-sensitive: "SOFTWARE" and "Software"
        EXPECT_EQ(expected.kind, row.kind);
        EXPECT_STREQ(expected.valueAsHeld, row.value);
    }
}

TEST(WriteTweakRows, WritesEveryRowAsDescribedInOrder) {
    FakeRegistry registry;
    EXPECT_TRUE(WriteTable(FakeRegistry::Api()).empty());

    ASSERT_EQ(ExpectedRows().size(), registry.sets.size());
    for (std::size_t i = 0; i < registry.sets.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const ExpectedRow& expected = ExpectedRows()[i];
        const FakeRegistry::Set& set = registry.sets[i];
        EXPECT_EQ(expected.root, set.root);
        EXPECT_EQ(expected.keyPath, set.keyPath);
        EXPECT_EQ(expected.valueName, set.name);
        EXPECT_EQ(expected.type, set.type);
        EXPECT_EQ(expected.data, set.data);
    }
    EXPECT_TRUE(registry.creates.empty());
    EXPECT_TRUE(registry.HandlesNotClosedOnce().empty());
}

TEST(WriteTweakRows, GoesOnPastARowWhoseKeyCanBeNeitherOpenedNorCreated) {
    FakeRegistry registry;
    const auto denyUsers = [](HKEY root, const std::string&) {
        return root == HKEY_USERS ? LONG{ERROR_ACCESS_DENIED} : LONG{ERROR_SUCCESS};
    };
    registry.openResult = denyUsers;
    registry.createResult = denyUsers;

    const std::vector<const RegistryTweakRow*> failed = WriteTable(FakeRegistry::Api());

    ASSERT_EQ(1u, failed.size());
    EXPECT_EQ(&RegistryTweakTable[0], failed[0]);
    ASSERT_EQ(7u, registry.sets.size());  // rows 2 to 8, in order
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(ExpectedRows()[i + 1].valueName, registry.sets[i].name);

    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), failed);
    EXPECT_EQ(DWORD{MB_ICONWARNING}, report.boxIcon);
    EXPECT_EQ(std::string(kFailureHeading) +
                  "\r\nHKEY_USERS\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL",
              report.boxText);
    EXPECT_TRUE(report.openDoneWindow);
}

TEST(WriteTweakRows, ReportsTheLocalMachineRowsWhenThoseValuesAreRefused) {
    FakeRegistry registry;
    registry.setResult = [](HKEY root, const std::string&, const std::string&) {
        return root == HKEY_LOCAL_MACHINE ? LONG{ERROR_ACCESS_DENIED} : LONG{ERROR_SUCCESS};
    };

    const std::vector<const RegistryTweakRow*> failed = WriteTable(FakeRegistry::Api());

    const std::vector<const RegistryTweakRow*> rows2356 = {&RegistryTweakTable[1], &RegistryTweakTable[2],
                                                           &RegistryTweakTable[4], &RegistryTweakTable[5]};
    EXPECT_EQ(rows2356, failed);
    EXPECT_EQ(8u, registry.sets.size());  // every row was tried
    EXPECT_TRUE(registry.HandlesNotClosedOnce().empty());

    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), failed);
    EXPECT_EQ(DWORD{MB_ICONWARNING}, report.boxIcon);
    EXPECT_EQ(std::string(kFailureHeading) +
                  "\r\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\MediaPlayer\\PlayerUpgrade\\AskMeAgain"
                  "\r\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer\\DisableAutoUpdate"
                  "\r\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\stisvc\\Start"
                  "\r\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"
                  "\\NoRemoteRecursiveEvents",
              report.boxText);
    EXPECT_TRUE(report.openDoneWindow);
}

TEST(DecideTweakReport, EveryRowFailingShowsAStopBoxAndNoNotice) {
    FakeRegistry registry;
    registry.openResult = [](HKEY, const std::string&) { return LONG{ERROR_ACCESS_DENIED}; };
    registry.createResult = registry.openResult;

    const std::vector<const RegistryTweakRow*> failed = WriteTable(FakeRegistry::Api());
    ASSERT_EQ(8u, failed.size());
    EXPECT_EQ(8u, registry.creates.size());
    EXPECT_TRUE(registry.sets.empty());

    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), failed);
    EXPECT_EQ(DWORD{MB_ICONHAND}, report.boxIcon);
    EXPECT_FALSE(report.openDoneWindow);
    std::string expected = kFailureHeading;
    for (const RegistryTweakRow& row : RegistryTweakTable)
        expected += std::string("\r\n") + RegistryRootName(row.rootCode) + "\\" + row.path;
    EXPECT_EQ(expected, report.boxText);
}

TEST(DecideTweakReport, NothingFailingOpensOnlyTheNotice) {
    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), {});
    EXPECT_EQ(0u, report.boxIcon);
    EXPECT_TRUE(report.boxText.empty());
    EXPECT_TRUE(report.openDoneWindow);
}

TEST(DecideTweakReport, AllButOneFailingIsStillAWarning) {
    std::vector<const RegistryTweakRow*> failed;
    for (std::size_t i = 1; i < RegistryTweakTable.size(); ++i) failed.push_back(&RegistryTweakTable[i]);
    const TweakReport report = DecideTweakReport(RegistryTweakTable.size(), failed);
    EXPECT_EQ(DWORD{MB_ICONWARNING}, report.boxIcon);
    EXPECT_TRUE(report.openDoneWindow);
}

// The rows through the real registry. Wine lets the process write anywhere;
// whatever was there before is put back afterwards, and only keys that the
// writes created are removed again.
class RealTweakRows : public ::testing::Test {
protected:
    struct Before {
        HKEY root;
        std::string keyPath;
        std::string name;
        StoredValue value;
    };

    void SetUp() override {
        for (const ExpectedRow& row : ExpectedRows()) {
            before_.push_back({row.root, row.keyPath, row.valueName,
                               ReadStoredValue(row.root, row.keyPath, row.valueName)});
            // Every key on the way down that is not there yet.
            std::string prefix;
            for (const char* p = row.keyPath;; ++p) {
                if (*p == '\\' || *p == '\0') {
                    if (!KeyExists(row.root, prefix)) missingKeys_.push_back({row.root, prefix});
                }
                if (*p == '\0') break;
                prefix += *p;
            }
        }
    }

    void TearDown() override {
        // Backwards, so that a value written twice ends as it first was.
        for (auto it = before_.rbegin(); it != before_.rend(); ++it) Restore(*it);
        // Deepest first; a key is only removed when nothing is left in it.
        for (auto it = missingKeys_.rbegin(); it != missingKeys_.rend(); ++it)
            if (IsEmptyKey(it->first, it->second)) RegDeleteKeyA(it->first, it->second.c_str());
    }

    static void Restore(const Before& before) {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(before.root, before.keyPath.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS)
            return;
        const ScopedKey key(raw);
        if (before.value.found)
            RegSetValueExA(key.Get(), before.name.c_str(), 0, before.value.type, before.value.data.data(),
                           static_cast<DWORD>(before.value.data.size()));
        else
            RegDeleteValueA(key.Get(), before.name.c_str());
    }

    static bool IsEmptyKey(HKEY root, const std::string& keyPath) {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
        const ScopedKey key(raw);
        DWORD subKeys = 0, values = 0;
        if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        return subKeys == 0 && values == 0;
    }

    std::vector<Before> before_;
    std::vector<std::pair<HKEY, std::string>> missingKeys_;
};

TEST_F(RealTweakRows, WritesAllEightValues) {
    const std::vector<const RegistryTweakRow*> failed = WriteTable(SystemRegistryApi());
    EXPECT_TRUE(failed.empty());
    for (std::size_t i = 0; i < ExpectedRows().size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const ExpectedRow& expected = ExpectedRows()[i];
        const StoredValue stored = ReadStoredValue(expected.root, expected.keyPath, expected.valueName);
        ASSERT_TRUE(stored.found);
        EXPECT_EQ(expected.type, stored.type);
        EXPECT_EQ(expected.data, stored.data);
    }
}

}  // namespace
