// How paths are taken apart: folder levels by GBK characters, member names
// that may or may not be extracted, and where a member lands.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/member_name.h"

namespace {

using Levels = std::vector<std::string>;

// "乗" is 81 5C in GBK: its trail byte has the value of a backslash.
#define GBK_TRAIL_BACKSLASH "\x81\x5C"

struct LevelCase {
    const char* path;
    Levels levels;
};

std::ostream& operator<<(std::ostream& out, const LevelCase& c) { return out << '"' << c.path << '"'; }

class FolderLevelsCase : public ::testing::TestWithParam<LevelCase> {};

TEST_P(FolderLevelsCase, SplitsAtBackslashesOnly) {
    EXPECT_EQ(GetParam().levels, FolderLevels(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FolderLevelsCase,
    ::testing::Values(
        LevelCase{"cstrike_schinese", {"cstrike_schinese\\"}},
        // The slash and the appended backslash make one level.
        LevelCase{"cstrike_schinese/", {"cstrike_schinese/\\"}},
        LevelCase{"a\\b\\", {"a\\", "a\\b\\"}},
        LevelCase{"a/b", {"a/b\\"}},
        LevelCase{"C:\\games\\cs", {"C:\\", "C:\\games\\", "C:\\games\\cs\\"}},
        LevelCase{"a\\" GBK_TRAIL_BACKSLASH "b\\", {"a\\", "a\\" GBK_TRAIL_BACKSLASH "b\\"}},
        // Ending in a trail byte 0x5C: the closing backslash is still added.
        LevelCase{"a\\" GBK_TRAIL_BACKSLASH, {"a\\", "a\\" GBK_TRAIL_BACKSLASH "\\"}},
        LevelCase{GBK_TRAIL_BACKSLASH GBK_TRAIL_BACKSLASH "\\x", {GBK_TRAIL_BACKSLASH GBK_TRAIL_BACKSLASH "\\",
                                                                  GBK_TRAIL_BACKSLASH GBK_TRAIL_BACKSLASH "\\x\\"}}));

TEST(MemberName, AcceptsPlainAndNestedNames) {
    for (const char* name : {"config.cfg", "sub/config.cfg", "sub\\deeper/x.txt", "sub/", "a b.cfg", ".hidden",
                             "icon.cfg", "console.cfg", "com10", "lpt", "nul_x", "\xB1\xED.cfg",
                             GBK_TRAIL_BACKSLASH ".cfg", "\x81\x7C.cfg"}) {
        EXPECT_TRUE(IsSafeMemberName(name)) << name;
    }
}

TEST(MemberName, RefusesNamesThatLeaveTheFolderOrMeanSomethingElse) {
    for (const char* name :
         {"", "/x", "\\x", "C:x", "C:\\x", "c:/x", "a/../b", "..", "../config.cfg", "..\\config.cfg", "a/..", ".",
          "./config.cfg", "a//b", "//server/share", "CON", "con", "con.cfg.bak", "nul.txt", "NUL .txt", "sub/aux", "sub/Aux.cfg/x",
          "COM1", "com9.log", "LPT1", "lpt5.txt", "PRN", "CONIN$", "conout$", "CLOCK$", "config.cfg.", "config.cfg ",
          "sub./x", "config.cfg:stream", "a*b", "a?b", "a|b", "a<b", "a>b", "a\"b", "tab\there", "cut\x81",
          // A lead byte before a slash has no trail byte: the slash is not swallowed.
          "\x81/config.cfg", "\x81/../config.cfg",
          // Read byte by byte (another ANSI code page) the 0x5C separates.
          GBK_TRAIL_BACKSLASH "CON", "sub/" GBK_TRAIL_BACKSLASH "nul.txt", GBK_TRAIL_BACKSLASH "aux.cfg"}) {
        EXPECT_FALSE(IsSafeMemberName(name)) << name;
    }
}

TEST(MemberName, FolderMembersEndWithASeparator) {
    EXPECT_TRUE(NamesFolder("sub/"));
    EXPECT_TRUE(NamesFolder("sub\\"));
    EXPECT_FALSE(NamesFolder("sub/config.cfg"));
    EXPECT_FALSE(NamesFolder(GBK_TRAIL_BACKSLASH));
}

TEST(MemberName, OutputPathJoinsWithOneBackslashAndTurnsSlashes) {
    EXPECT_EQ("cstrike_schinese/\\config.cfg", MemberOutputPath("cstrike_schinese/", "config.cfg"));
    EXPECT_EQ("t\\config.cfg", MemberOutputPath("t\\", "config.cfg"));
    EXPECT_EQ("t\\a\\b\\c.cfg", MemberOutputPath("t", "a/b/c.cfg"));
    // A target ending in a trail byte 0x5C does not end with a backslash.
    EXPECT_EQ("t" GBK_TRAIL_BACKSLASH "\\c.cfg", MemberOutputPath("t" GBK_TRAIL_BACKSLASH, "c.cfg"));
}

}  // namespace
