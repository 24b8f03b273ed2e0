#include "core/config/DlgSelectFileInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace revuro {
namespace {

using namespace std::string_literals;
using Names = std::vector<std::string>;

class DlgSelectFileInfoTest : public ::testing::Test {
  protected:
    tDlgSelectFileInfo Split(const std::string& text, const std::string& folder, char separator) {
        return GetDlgSelectFileInfo(
            text, folder,
            [this](const std::string& message, const std::string& title) {
                errors.push_back({message, title});
            },
            separator);
    }

    std::vector<std::pair<std::string, std::string>> errors;
};

TEST_F(DlgSelectFileInfoTest, OneFileInAFolder) {
    const tDlgSelectFileInfo info = Split("D:\\Movies\\a.avi", "D:\\Movies", '\\');
    EXPECT_EQ(info.FileCount, 1);
    EXPECT_EQ(info.FolderPath, "D:\\Movies\\");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(DlgSelectFileInfoTest, OneFileInADriveRootGetsNoDoubledBackslash) {
    const tDlgSelectFileInfo info = Split("C:\\a.avi", "C:\\", '\\');
    EXPECT_EQ(info.FileCount, 1);
    EXPECT_EQ(info.FolderPath, "C:\\");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi"}));
}

TEST_F(DlgSelectFileInfoTest, SeveralFilesKeepTheirOrder) {
    const tDlgSelectFileInfo info = Split("D:\\Movies\0a.avi\0b.rmvb"s, "D:\\Movies", '\\');
    EXPECT_EQ(info.FileCount, 2);
    EXPECT_EQ(info.FolderPath, "D:\\Movies\\");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "b.rmvb"}));
}

TEST_F(DlgSelectFileInfoTest, SeveralFilesInADriveRoot) {
    const tDlgSelectFileInfo info = Split("C:\\\0a.avi\0b.avi"s, "C:\\", '\\');
    EXPECT_EQ(info.FileCount, 2);
    EXPECT_EQ(info.FolderPath, "C:\\");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "b.avi"}));
}

TEST_F(DlgSelectFileInfoTest, TrailingNulCountsAsOneMoreEmptyName) {
    const tDlgSelectFileInfo info = Split("D:\\Movies\0a.avi\0b.rmvb\0"s, "D:\\Movies", '\\');
    EXPECT_EQ(info.FileCount, 3);
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "b.rmvb", ""}));
}

TEST_F(DlgSelectFileInfoTest, DoubledNulGivesAnEmptyNameBetween) {
    const tDlgSelectFileInfo info = Split("D:\\Movies\0a.avi\0\0b.rmvb"s, "D:\\Movies", '\\');
    EXPECT_EQ(info.FileCount, 3);
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "", "b.rmvb"}));
}

TEST_F(DlgSelectFileInfoTest, FolderLongerThanTheTextIsReportedAndGivesAnEmptyRecord) {
    const tDlgSelectFileInfo info = Split("D:\\a.avi", "D:\\Movies\\Longer", '\\');
    EXPECT_EQ(info.FileCount, 0);
    EXPECT_EQ(info.FolderPath, "");
    EXPECT_TRUE(info.FileNames.empty());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, "GetDlgSelectFileInfo函数执行错误！");
    EXPECT_EQ(errors[0].second, "自定义函数错误");
}

TEST_F(DlgSelectFileInfoTest, FolderIsTakenFromTheCurrentFolderNotFromTheText) {
    // Same length, other folder: the split trusts the current folder.
    const tDlgSelectFileInfo info = Split("E:\\Videos\\a.avi", "D:\\Movies", '\\');
    EXPECT_EQ(info.FolderPath, "D:\\Movies\\");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi"}));
}

TEST_F(DlgSelectFileInfoTest, SeveralFilesFromADeeperFolderAreReportedNotJoinedIntoOneName) {
    // The current folder is a parent of the selection's: the rest does not start with a NUL
    // but holds them, and as one name it would become a path that names no file.
    const tDlgSelectFileInfo info = Split("/home/u/m\0a.avi\0b.avi"s, "/home", '/');
    EXPECT_EQ(info.FileCount, 0);
    EXPECT_EQ(info.FolderPath, "");
    EXPECT_TRUE(info.FileNames.empty());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, kDlgSelectErrorText);
    EXPECT_EQ(errors[0].second, kDlgSelectErrorTitle);
}

TEST_F(DlgSelectFileInfoTest, OnePathFromADeeperFolderStillNamesItsFile) {
    const tDlgSelectFileInfo info = Split("/home/u/m/a.avi", "/home", '/');
    ASSERT_TRUE(errors.empty());
    EXPECT_EQ(info.FolderPath + info.FileNames[1], "/home/u/m/a.avi");
}

TEST_F(DlgSelectFileInfoTest, NamesAreCopiedExactlyWithoutCaseFolding) {
    const tDlgSelectFileInfo info = Split("D:\\Movies\0A.AVI\0Été.Mp4"s, "D:\\Movies", '\\');
    EXPECT_EQ(info.FileNames, (Names{"", "A.AVI", "Été.Mp4"}));
}

TEST_F(DlgSelectFileInfoTest, OnlyTheGivenSeparatorIsDroppedBeforeASingleName) {
    // The Windows shape read with the Linux separator: the backslash belongs to the name.
    const tDlgSelectFileInfo info = Split("/m\\a.avi", "/m", '/');
    EXPECT_EQ(info.FolderPath, "/m/");
    EXPECT_EQ(info.FileNames, (Names{"", "\\a.avi"}));
}

TEST_F(DlgSelectFileInfoTest, LengthsCountCharactersNotBytes) {
    // The folder is 5 characters but 13 bytes: as bytes it would not fit into the text.
    const tDlgSelectFileInfo info = Split("/abcd/xyz", "/电影电影", '/');
    ASSERT_TRUE(errors.empty());
    EXPECT_EQ(info.FolderPath, "/电影电影/");
    EXPECT_EQ(info.FileNames, (Names{"", "xyz"}));
}

TEST_F(DlgSelectFileInfoTest, ChineseFolderAndNames) {
    const tDlgSelectFileInfo info = Split("D:\\电影\0甲.avi\0乙.rmvb"s, "D:\\电影", '\\');
    EXPECT_EQ(info.FileCount, 2);
    EXPECT_EQ(info.FolderPath, "D:\\电影\\");
    EXPECT_EQ(info.FileNames, (Names{"", "甲.avi", "乙.rmvb"}));
}

TEST_F(DlgSelectFileInfoTest, LinuxOneFile) {
    const tDlgSelectFileInfo info = Split("/home/u/Movies/a.avi", "/home/u/Movies", '/');
    EXPECT_EQ(info.FileCount, 1);
    EXPECT_EQ(info.FolderPath, "/home/u/Movies/");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi"}));
}

TEST_F(DlgSelectFileInfoTest, LinuxOneFileInTheRoot) {
    const tDlgSelectFileInfo info = Split("/a.avi", "/", '/');
    EXPECT_EQ(info.FolderPath, "/");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi"}));
}

TEST_F(DlgSelectFileInfoTest, LinuxSeveralFiles) {
    const tDlgSelectFileInfo info = Split("/home/u/Movies\0a.avi\0b.rmvb"s, "/home/u/Movies", '/');
    EXPECT_EQ(info.FileCount, 2);
    EXPECT_EQ(info.FolderPath, "/home/u/Movies/");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "b.rmvb"}));
}

TEST_F(DlgSelectFileInfoTest, LinuxSeveralFilesInTheRoot) {
    const tDlgSelectFileInfo info = Split("/\0a.avi\0b.avi"s, "/", '/');
    EXPECT_EQ(info.FolderPath, "/");
    EXPECT_EQ(info.FileNames, (Names{"", "a.avi", "b.avi"}));
}

TEST_F(DlgSelectFileInfoTest, LinuxTrailingNulAndShortText) {
    EXPECT_EQ(Split("/m\0a.avi\0"s, "/m", '/').FileCount, 2);
    EXPECT_EQ(Split("/m", "/movies", '/').FileCount, 0);
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(DlgSelectFileInfoTest, ManyNamesAreNotCutAtSixteenBits) {
    std::string text = "/m";
    for (int i = 0; i < 40000; ++i) text += '\0' + std::to_string(i) + ".avi";
    const tDlgSelectFileInfo info = Split(text, "/m", '/');
    ASSERT_EQ(info.FileCount, 40000);
    EXPECT_EQ(info.FileNames[40000], "39999.avi");
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace revuro
