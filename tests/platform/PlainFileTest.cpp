#include "platform/PlainFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace revuro {
namespace {

class PlainFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "plainfile.XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string folder;
};

TEST_F(PlainFileTest, FileIsPlain) {
    const std::string path = folder + "/系统信息.exe";
    std::ofstream(path) << "x";
    EXPECT_TRUE(IsPlainFile(path));
}

TEST_F(PlainFileTest, FolderIsNot) {
    std::filesystem::create_directory(folder + "/MSINFO32.EXE");
    EXPECT_FALSE(IsPlainFile(folder + "/MSINFO32.EXE"));
}

TEST_F(PlainFileTest, MissingFileIsNot) {
    EXPECT_FALSE(IsPlainFile(folder + "/missing"));
    EXPECT_FALSE(IsPlainFile(""));
}

}  // namespace
}  // namespace revuro
