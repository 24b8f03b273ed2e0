#include "core/ReasonText.h"
#include "core/player/PlaylistReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/player/PlayerFakes.h"

namespace revuro {
namespace {

using Targets = std::vector<std::string>;

class PlaylistReaderTest : public ::testing::Test {
  protected:
    // What each entry of a list stands for: its target, "list " + target for a further list,
    // or "bad " + name + ": " + problem.
    static Targets Describe(const Result<std::vector<ListEntry>>& read) {
        EXPECT_TRUE(read.ok()) << read.error().Describe();
        Targets targets;
        if (!read) return targets;
        for (const ListEntry& entry : read.value()) {
            if (entry.problem) {
                targets.push_back("bad " + entry.name + ": " + ReasonText(*entry.problem));
            } else {
                targets.push_back((entry.list ? "list " : "") + entry.target);
            }
        }
        return targets;
    }
    Targets Metafile(const std::string& path, const std::string& bytes) {
        files.files[path] = bytes;
        return Describe(reader.ReadMetafile(path));
    }

    testing::FakeMediaFiles files;
    NarrowCodec codec{"UTF-8"};
    PlaylistReader reader{files, codec, PathRules('/')};
};

TEST_F(PlaylistReaderTest, OwnPlaylistByTheDialogsRuleWithCommentsAndRelativeRows) {
    files.files["/opt/revuro/varariv.m3u"] =
        "#EXTM3U\r\n#EXTINF:10,Clip\r\nclip.avi\r\nab\r\n../up.asx\r\n/m/lf\nkept.avi\r"
        "file:///m/a%20b.avi\r\nhttp://h/s?a=1&b=2\r\n\xff\xfe\xfd.avi\r\n\xff\r\n";
    EXPECT_EQ(Describe(reader.ReadPlaylist("/opt/revuro/varariv.m3u")),
              (Targets{"/opt/revuro/clip.avi", "list /opt/revuro/../up.asx", "/m/lf\nkept.avi",
                       "/m/a b.avi", "http://h/s?a=1&b=2",
                       "bad varariv.m3u 第9行: 含有系统字符集无法识别的文字"}));
}

TEST_F(PlaylistReaderTest, ForeignListsEndLinesAtLfAndAreInTheLocalesCharacterSet) {
    const NarrowCodec gbk("CP936");
    const PlaylistReader gbkReader(files, gbk, PathRules('/'));
    files.files["/l/a.m3u"] = "#EXTM3U\n  \xd6\xd0.avi \n\nhttp://h/live\r\n\xff\xff\n";
    files.files["/l/b.m3u8"] =
        "\xEF\xBB\xBF\xe4\xb8\xad.avi\n\xd6\xd0.avi\nhttp://h/a" + std::string(1, '\0') + "b\n";
    files.files["/l/c.wvx"] = "<asx><entry><ref href=\"\xd6\xd0.wmv\"/></entry></asx>";
    EXPECT_EQ(
        Describe(gbkReader.ReadMetafile("/l/a.m3u")),
        (Targets{"/l/中.avi", "http://h/live", "bad a.m3u 第5行: 含有系统字符集无法识别的文字"}));
    EXPECT_EQ(Describe(gbkReader.ReadMetafile("/l/b.m3u8")),
              (Targets{"/l/中.avi", "bad b.m3u8 第2行: 含有系统字符集无法识别的文字",
                       "bad a?b: 路径无效"}));
    EXPECT_EQ(Describe(gbkReader.ReadMetafile("/l/c.wvx")), Targets{"/l/中.wmv"});
}

TEST_F(PlaylistReaderTest, AsxIsReadLeniently) {
    EXPECT_EQ(Metafile("/l/a.asx",
                       "<ASX VERSION=\"3.0\"><!-- <ENTRY><REF HREF=\"no.avi\"/></ENTRY> -->\n"
                       "<Entry><Title>T</Title><Ref href=\"http://h/a?x=1&y=2\"/>"
                       "<REF HREF=\"alternative.avi\"/></Entry>\n"
                       "<ENTRY><REF HREF=b.avi></ENTRY>\n"
                       "<ENTRY><REF HREF='sub/c &amp; d.avi'></REF></ENTRY>\n"
                       "<ENTRYREF HREF=\"more.php\">\n"
                       "<REPEAT COUNT=\"9\"><ENTRY><REF HREF=\"/m/e.avi\" /></ENTRY></REPEAT>\n"
                       "<ENTRY></ENTRY></ASX>"),
              (Targets{"http://h/a?x=1&y=2", "/l/b.avi", "/l/sub/c & d.avi", "list /l/more.php",
                       "/m/e.avi"}));
}

TEST_F(PlaylistReaderTest, WplListsItsMediaInOrder) {
    EXPECT_EQ(Metafile("/l/a.wpl",
                       "<?wpl version=\"1.0\"?>\n<smil><head><title>x</title></head><body><seq>"
                       "<media src=\"../a.wma\"/><media src=\"b &amp; c.wma\" tid=\"{1}\"/>"
                       "<media src=\"/m/list.asx\"/></seq></body></smil>"),
              (Targets{"/l/../a.wma", "/l/b & c.wma", "list /m/list.asx"}));
}

TEST_F(PlaylistReaderTest, MetafileThatNamesNothingFails) {
    files.files["/l/text.asx"] = "http://h/a.avi";
    files.files["/l/html.asx"] = "<html><body>moved</body></html>";
    files.files["/l/empty.asx"] = "<ASX version=\"3.0\"></ASX>";
    files.files["/l/empty.m3u"] = "#EXTM3U\n";
    files.problems.emplace("/l/pipe.m3u", Error{ErrorKind::IsAPipe, "a pipe", "/l/pipe.m3u"});
    for (const auto& [path, problem] :
         std::vector<std::pair<std::string, std::string>>{{"/l/missing.wpl", "文件不存在"},
                                                          {"/l/pipe.m3u", "是管道"},
                                                          {"/l/text.asx", "不是播放列表"},
                                                          {"/l/html.asx", "不是播放列表"},
                                                          {"/l/empty.asx", "列表中没有项目"},
                                                          {"/l/empty.m3u", "列表中没有项目"}}) {
        Result<std::vector<ListEntry>> read = reader.ReadMetafile(path);
        ASSERT_FALSE(read.ok()) << path;
        EXPECT_EQ(ReasonText(read.error()), problem) << path;
        EXPECT_EQ(read.error().path, path);
    }
}

TEST_F(PlaylistReaderTest, WindowsListsCountFromTheirFolder) {
    const PlaylistReader windows(files, codec, PathRules('\\'));
    files.files["C:\\Lists\\a.asx"] =
        "<asx><entry><ref href=\"a.wmv\"/></entry><entry><ref href=\"..\\b.wmv\"/></entry>"
        "<entry><ref href=\"sub/c.wmv\"/></entry><entry><ref href=\"\\d.wmv\"/></entry>"
        "<entry><ref href=\"\\\\nas\\v\\e.wmv\"/></entry>"
        "<entry><ref href=\"file:///D:/f%20g.wmv\"/></entry></asx>";
    EXPECT_EQ(Describe(windows.ReadMetafile("C:\\Lists\\a.asx")),
              (Targets{"C:\\Lists\\a.wmv", "C:\\Lists\\..\\b.wmv", "C:\\Lists\\sub\\c.wmv",
                       "C:\\d.wmv", "\\\\nas\\v\\e.wmv", "D:\\f g.wmv"}));
}

}  // namespace
}  // namespace revuro
