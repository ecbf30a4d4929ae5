#include <gtest/gtest.h>

#include "platform/text.h"

TEST(Text, ConcatJoinsInOrderAndTreatsNullAsEmpty) {
    const Text joined = ConcatText({"C:\\temp\\", nullptr, "", "1.zip"});
    EXPECT_STREQ("C:\\temp\\1.zip", joined.CStr());
    EXPECT_EQ(13, TextLength(joined.CStr()));
    EXPECT_EQ(0, TextLength(nullptr));
    EXPECT_STREQ("", ConcatText({nullptr}).CStr());
}

TEST(Text, LengthCountsGbkBytes) {
    EXPECT_EQ(4, TextLength("中文"));
}
