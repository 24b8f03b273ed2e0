#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace revuro {
namespace {

TEST(PathBesideTest, AddsOneBackslashToAWindowsFolder) {
    EXPECT_EQ(PathBeside("C:\\Savers", "varariv.m3u", '\\'), "C:\\Savers\\varariv.m3u");
}

TEST(PathBesideTest, AddsNothingToADriveRoot) {
    EXPECT_EQ(PathBeside("C:\\", "varariv.m3u", '\\'), "C:\\varariv.m3u");
}

TEST(PathBesideTest, AddsOneSlashToAPosixFolder) {
    EXPECT_EQ(PathBeside("/opt/revuro", "first.bmp", '/'), "/opt/revuro/first.bmp");
}

TEST(PathBesideTest, AddsNothingToThePosixRoot) {
    EXPECT_EQ(PathBeside("/", "temp.m3u", '/'), "/temp.m3u");
}

TEST(PathBesideTest, UsesThePlatformSeparatorByDefault) {
    EXPECT_EQ(PathBeside("/opt/revuro", "varariv.m3u"), "/opt/revuro/varariv.m3u");
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(std::filesystem::path(PathBeside(folder, "x")).parent_path(),
              std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace revuro
