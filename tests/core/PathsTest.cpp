#include "core/Paths.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(PathBeside("revuro", "varariv.m3u"),
              std::string("revuro") + NativePathSeparator() + "varariv.m3u");
}

}  // namespace
}  // namespace revuro
