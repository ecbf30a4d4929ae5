#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/archive.h"
#include "platform/zip_component.h"
#include "platform_archive/zip_builder.h"
#include "platform_files/scratch_folder.h"

namespace test {

// A scratch folder holding the archive "in.zip" and the target folder
// "target\" with an old config.cfg in it.
class ExtractFixture : public ::testing::Test {
protected:
    static constexpr const char* kOldConfig = "// the old configuration\r\nname \"old\"\r\n";

    void SetUp() override {
        progress_ = 0;
        component_.SetProgressHandler(&CountProgress);
        ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(config_, kOldConfig));
    }

    std::int32_t Extract(const std::string& archiveBytes) {
        EXPECT_TRUE(WriteBytes(archive_, archiveBytes));
        return ExtractArchive(&component_, archive_.c_str(), target_.c_str());
    }

    // The old config.cfg byte for byte, nothing else in the target folder (no
    // temporary file either), nothing new beside it.
    void ExpectNothingChanged() const {
        EXPECT_TRUE(SameBytes(kOldConfig, ReadBytes(config_)));
        EXPECT_EQ(std::vector<std::string>{"config.cfg"}, ListNames(target_));
        EXPECT_EQ((std::vector<std::string>{"in.zip", "target"}), ListNames(scratch_.Path()));
    }

    static void CountProgress() { ++progress_; }

    ScratchFolder scratch_;
    const std::string archive_ = scratch_ / "in.zip";
    const std::string target_ = scratch_ / "target\\";
    const std::string config_ = target_ + "config.cfg";
    ZipComponent component_;
    static inline int progress_ = 0;
};

}  // namespace test
