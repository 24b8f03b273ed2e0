#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace revuro {
namespace {

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(std::filesystem::path(folder),
              std::filesystem::read_symlink("/proc/self/exe").parent_path());
    EXPECT_EQ(NativePathSeparator(), '/');
}

}  // namespace
}  // namespace revuro
