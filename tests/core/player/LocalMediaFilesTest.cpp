#include "core/ReasonText.h"
#include "core/player/LocalMediaFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace revuro {
namespace {

TEST(LocalMediaFilesTest, ReadsAListButNoFileTooLargeToBeOne) {
    testing::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const LocalMediaFiles files;
    testing::WriteBytes(folder.File("a.m3u8"), "a.avi\n");
    EXPECT_EQ(files.ReadList(folder.File("a.m3u8")).value(), "a.avi\n");

    testing::WriteBytes(folder.File("huge.asx"), "<asx>");
    std::filesystem::resize_file(folder.File("huge.asx"), LocalMediaFiles::kMaxListBytes + 1);
    EXPECT_EQ(ReasonText(files.ReadList(folder.File("huge.asx")).error()),
              "文件太大，不是播放列表");
    EXPECT_EQ(ReasonText(files.ReadList(folder.path()).error()), "是文件夹");
}

}  // namespace
}  // namespace revuro
