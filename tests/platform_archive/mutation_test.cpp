#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "platform_archive/mutation.h"

namespace {

class MutatedArchive : public test::ExtractFixture {};

TEST_F(MutatedArchive, LeavesEitherTheNewOrTheOldConfiguration) {
    test::ZipEntry entry;
    entry.data = test::ConfigText();
    const test::BuiltZip valid = test::BuildZip({entry});
    ASSERT_EQ(1, Extract(valid.bytes));
    ASSERT_TRUE(test::WriteBytes(config_, kOldConfig));

    test::Mutator mutator(valid.bytes, test::HeaderFields(valid.centralAt, valid.endAt), 20200125u);
    const auto start = std::chrono::steady_clock::now();
    constexpr int kMutants = 2000;  // some 15 s under Wine
    const test::MutationTally tally =
        test::RunMutants(mutator, kMutants, entry.data, [this](const std::string& bytes) { return Extract(bytes); },
                         scratch_.Path(), target_, kOldConfig);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << kMutants << " mutants in " << seconds << " s: " << tally.extracted << " extracted, " << tally.failed
              << " failed, " << tally.noArchive << " not archives\n";
    // Some mutants touch nothing that matters (a time stamp, the NTFS
    // field); most must be refused.
    EXPECT_GT(tally.extracted, 0);
    EXPECT_GT(tally.failed, tally.extracted);
}

}  // namespace
