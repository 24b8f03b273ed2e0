#include "core/ReasonText.h"
#include "core/player/PathRules.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

TEST(PathRulesTest, PosixPaths) {
    const PathRules posix('/');
    EXPECT_EQ(posix.Resolve("/lists", "a.avi"), "/lists/a.avi");
    EXPECT_EQ(posix.Resolve("/", "a.avi"), "/a.avi");
    EXPECT_EQ(posix.Resolve("/lists", "C:\\a.avi"), "/lists/C:\\a.avi");  // a name like any
    EXPECT_EQ(posix.Folder("/lists/a.avi"), "/lists");
    EXPECT_EQ(posix.Folder("/a.avi"), "/");
    EXPECT_EQ(posix.Extension("/lists/Clip.Final.AVI"), "avi");
    EXPECT_EQ(posix.Extension("/lists/.hidden"), "");
    EXPECT_EQ(posix.Key("/a/./b//../c.m3u"), "/a/c.m3u");
    EXPECT_EQ(posix.Key("/../a.m3u"), "/a.m3u");
    EXPECT_NE(posix.Key("/a/C.m3u"), posix.Key("/a/c.m3u"));
}

TEST(PathRulesTest, WindowsPaths) {
    const PathRules windows('\\');
    EXPECT_EQ(windows.Resolve("C:\\", "a.avi"), "C:\\a.avi");
    EXPECT_EQ(windows.Resolve("C:\\Lists", "D:\\m\\a.avi"), "D:\\m\\a.avi");
    EXPECT_EQ(windows.Resolve("\\\\nas\\share\\Lists", "\\a.avi"), "\\\\nas\\share\\a.avi");
    EXPECT_EQ(windows.Folder("C:\\a.avi"), "C:\\");
    EXPECT_EQ(windows.Folder("\\\\nas\\share\\a.avi"), "\\\\nas\\share\\");
    EXPECT_EQ(windows.FileName("C:/Lists\\a.avi"), "a.avi");
    EXPECT_EQ(windows.Key("C:/Lists/./Sub/../A.M3U"), windows.Key("c:\\lists\\a.m3u"));
    EXPECT_EQ(windows.Key("\\\\NAS\\share\\..\\a.m3u"), "\\\\nas\\share\\a.m3u");
}

TEST(PathRulesTest, UrlsAndFileUrls) {
    EXPECT_TRUE(PathRules::IsUrl("http://host/a.asx"));
    EXPECT_FALSE(PathRules::IsUrl("C://a.avi"));  // a drive, not a scheme
    EXPECT_FALSE(PathRules::IsUrl("/m/a://b.avi"));
    EXPECT_TRUE(PathRules::IsFileUrl("FILE:///m/a.avi"));

    const PathRules posix('/');
    EXPECT_EQ(posix.PathOfFileUrl("file:///m/a%20b%E4%B8%AD.avi").value(), "/m/a b中.avi");
    EXPECT_EQ(posix.PathOfFileUrl("file://localhost/m/100%.avi").value(), "/m/100%.avi");
    EXPECT_EQ(ReasonText(posix.PathOfFileUrl("file://server/m/a.avi").error()), "不是本机上的文件");
    EXPECT_EQ(ReasonText(posix.PathOfFileUrl("file:///m/a%00.avi").error()), "地址无效");
    EXPECT_EQ(ReasonText(posix.PathOfFileUrl("file:///m/%FF.avi").error()), "地址无效");

    const PathRules windows('\\');
    EXPECT_EQ(windows.PathOfFileUrl("file://C|/a.avi").value(), "C:\\a.avi");
    EXPECT_EQ(windows.PathOfFileUrl("file://nas/share/a.avi").value(), "\\\\nas\\share\\a.avi");
}

}  // namespace
}  // namespace revuro
