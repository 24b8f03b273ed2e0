#include "platform/PlainFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::TempFolder;
using testing::Utf8Path;

class PlainFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    TempFolder folder;
};

TEST_F(PlainFileTest, FileIsPlain) {
    const std::string path = folder.File("系统信息.exe");
    testing::WriteBytes(path, "x");
    EXPECT_TRUE(IsPlainFile(path));
}

TEST_F(PlainFileTest, FolderIsNot) {
    std::filesystem::create_directory(Utf8Path(folder.File("MSINFO32.EXE")));
    EXPECT_FALSE(IsPlainFile(folder.File("MSINFO32.EXE")));
}

TEST_F(PlainFileTest, MissingFileIsNot) {
    EXPECT_FALSE(IsPlainFile(folder.File("missing")));
    EXPECT_FALSE(IsPlainFile(""));
}

}  // namespace
}  // namespace revuro
