#include "core/store/PlaylistFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/Big5Codec.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class PlaylistFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    std::string Path() const { return folder.File(kSaverPlaylistName); }

    // Reads the playlist, failing the test when the read fails.
    std::vector<std::string> ReadRows() const {
        Result<PlaylistRows> read = playlist.Read(Path());
        EXPECT_TRUE(read.ok()) << read.error().Describe();
        if (!read) return {};
        EXPECT_EQ(read.value().rowsLeftOut, 0u);
        return read.value().rows;
    }

    TempFolder folder;
    NarrowCodec codec{"CP936"};
    PlaylistFile playlist{codec};
};

using Rows = std::vector<std::string>;

TEST_F(PlaylistFileTest, ThreeRowsAreJoinedByCrLfWithNothingAfter) {
    ASSERT_TRUE(playlist.Write(Path(), {"/m/a.avi", "/m/b.mp4", "/m/c.mp3"}).ok());
    EXPECT_EQ(ReadBytes(Path()), "/m/a.avi\r\n/m/b.mp4\r\n/m/c.mp3");
}

TEST_F(PlaylistFileTest, RowsAreWrittenExactlyAsTheyStand) {
    ASSERT_TRUE(playlist.Write(Path(), {"  /m/with spaces.avi  ", "\"quoted\""}).ok());
    EXPECT_EQ(ReadBytes(Path()), "  /m/with spaces.avi  \r\n\"quoted\"");
}

TEST_F(PlaylistFileTest, EmptyListGivesAnEmptyFileThatReadsAsNoRows) {
    ASSERT_TRUE(playlist.Write(Path(), {}).ok());
    EXPECT_EQ(ReadBytes(Path()), "");
    EXPECT_EQ(ReadRows(), Rows{});
}

TEST_F(PlaylistFileTest, WritingReplacesTheWholeOldContent) {
    WriteBytes(Path(), "/old/one.avi\r\n/old/two.avi\r\n/old/three.avi\r\n");
    ASSERT_TRUE(playlist.Write(Path(), {"/new.avi"}).ok());
    EXPECT_EQ(ReadBytes(Path()), "/new.avi");
}

TEST_F(PlaylistFileTest, ChineseNamesAreWrittenAsGbkAndReadBackUnchanged) {
    const Rows rows = {"/媒体/中文电影.avi", "/媒体/音乐.mp3"};
    ASSERT_TRUE(playlist.Write(Path(), rows).ok());
    EXPECT_EQ(ReadBytes(Path()),
              "/\xC3\xBD\xCC\xE5/\xD6\xD0\xCE\xC4\xB5\xE7\xD3\xB0.avi\r\n"
              "/\xC3\xBD\xCC\xE5/\xD2\xF4\xC0\xD6.mp3");
    EXPECT_EQ(ReadRows(), rows);
}

TEST_F(PlaylistFileTest, WrittenRowsReadBackInOrder) {
    const Rows rows = {"/m/3.avi", "/m/1.avi", "/m/2.avi"};
    ASSERT_TRUE(playlist.Write(Path(), rows).ok());
    EXPECT_EQ(ReadRows(), rows);
}

TEST_F(PlaylistFileTest, FinalLineEndIsReadLikeNone) {
    WriteBytes(Path(), "/m/a.avi\r\n/m/b.avi\r\n");
    EXPECT_EQ(ReadRows(), (Rows{"/m/a.avi", "/m/b.avi"}));
}

TEST_F(PlaylistFileTest, LfOnlyFileIsOneRowKeepingTheLfs) {
    WriteBytes(Path(), "/m/a.avi\n/m/b.avi\n/m/c.avi\n");
    EXPECT_EQ(ReadRows(), Rows{"/m/a.avi\n/m/b.avi\n/m/c.avi\n"});
}

TEST_F(PlaylistFileTest, CrAloneEndsALine) {
    WriteBytes(Path(), "/m/a.avi\r/m/b.avi\r/m/c.avi");
    EXPECT_EQ(ReadRows(), (Rows{"/m/a.avi", "/m/b.avi", "/m/c.avi"}));
}

TEST_F(PlaylistFileTest, LfBeforeCrStaysInTheLine) {
    WriteBytes(Path(), "/m/a.avi\n\r\n/m/b.avi");
    EXPECT_EQ(ReadRows(), (Rows{"/m/a.avi\n", "/m/b.avi"}));
}

TEST_F(PlaylistFileTest, LinesShorterThanThreeCharactersAreSkipped) {
    WriteBytes(Path(), "a\r\nbc\r\n\r\nabc\r\n  \r\n   \r\nabcd");
    EXPECT_EQ(ReadRows(), (Rows{"abc", "   ", "abcd"}));
}

TEST_F(PlaylistFileTest, LengthCountsCharactersNotBytes) {
    // "电影院" is three characters in six bytes; "电影" is two characters in four bytes.
    WriteBytes(Path(), "\xB5\xE7\xD3\xB0\xD4\xBA\r\n\xB5\xE7\xD3\xB0\r\n\xD6\xD0");
    EXPECT_EQ(ReadRows(), Rows{"电影院"});
}

TEST_F(PlaylistFileTest, DuplicatesAreKept) {
    WriteBytes(Path(), "/m/a.avi\r\n/m/a.avi\r\n/m/a.avi");
    EXPECT_EQ(ReadRows(), (Rows{"/m/a.avi", "/m/a.avi", "/m/a.avi"}));
}

TEST_F(PlaylistFileTest, ReadingStopsAtTheRowLimitAndCountsTheRest) {
    std::string bytes;
    for (std::size_t i = 1; i <= kMaxPlaylistRows + 2; ++i) {
        bytes += "/m/" + std::to_string(i) + ".avi\r\n";
        if (i % 1000 == 0) bytes += "x\r\n";  // short lines count neither way
    }
    WriteBytes(Path(), bytes);

    const Result<PlaylistRows> read = playlist.Read(Path());
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    ASSERT_EQ(read.value().rows.size(), 32767u);
    EXPECT_EQ(read.value().rows.front(), "/m/1.avi");
    EXPECT_EQ(read.value().rows.back(), "/m/32767.avi");
    EXPECT_EQ(read.value().rowsLeftOut, 2u);
}

TEST_F(PlaylistFileTest, ExactlyTheRowLimitLeavesNothingOut) {
    std::string bytes;
    for (std::size_t i = 1; i <= kMaxPlaylistRows; ++i) bytes += "/m/" + std::to_string(i) + "\r\n";
    WriteBytes(Path(), bytes);
    EXPECT_EQ(ReadRows().size(), 32767u);
}

TEST_F(PlaylistFileTest, RowThatCannotBeEncodedFailsAndKeepsTheOldFile) {
    const std::string old = "/m/old.avi\r\n/m/\xD6\xD0\xCE\xC4.avi";
    WriteBytes(Path(), old);

    const Outcome written =
        playlist.Write(Path(), {"/m/fine.avi", "/m/\xF0\x9F\x8E\xAC.mp4", "/m/also fine.avi"});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().path, Path());
    EXPECT_EQ(written.error().line, 2u);
    EXPECT_EQ(written.error().reason,
              "row 2 \"/m/\xF0\x9F\x8E\xAC.mp4\": text cannot be written in CP936 (at byte 3)");
    EXPECT_EQ(ReadBytes(Path()), old);
    EXPECT_EQ(folder.Names(), std::set<std::string>{kSaverPlaylistName});
}

TEST_F(PlaylistFileTest, RowHoldingACrFailsRatherThanComingBackAsTwoRows) {
    WriteBytes(Path(), "/m/old.avi");
    const Outcome written = playlist.Write(Path(), {"/m/a.avi", "/m/b\r.avi"});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().reason, "row 2 contains a line break");
    EXPECT_EQ(ReadBytes(Path()), "/m/old.avi");
}

TEST_F(PlaylistFileTest, UndecodableLinesAreKeptWithTheirBytesAndNamed) {
    // The short-line rule counts the characters shown: \xFF\xFF is two.
    WriteBytes(Path(),
               "/m/a.avi\r\n\xFF\xFF\r\n/m/b\xFF\xFF.avi\r\n/m/c.avi\r\n\xD6\xD0\x81\x20\xFE");
    const Result<PlaylistRows> read = playlist.Read(Path());
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    EXPECT_EQ(read.value().rows,
              (Rows{"/m/a.avi", "/m/b\uFFFD\uFFFD.avi", "/m/c.avi", "中\uFFFD \uFFFD"}));
    EXPECT_EQ(read.value().rawLines, (Rows{"", "/m/b\xFF\xFF.avi", "", "\xD6\xD0\x81\x20\xFE"}));
    EXPECT_EQ(read.value().undecodableLines, (std::vector<std::size_t>{3, 5}));
    EXPECT_EQ(read.value().linesSkipped, 0u);
}

TEST_F(PlaylistFileTest, UndecodableLinesAreWrittenBackByteForByte) {
    // A GBK list read where the character set is UTF-8: only the ASCII lines decode.
    const NarrowCodec utf8("UTF-8");
    const PlaylistFile utf8Playlist(utf8);
    const std::string bytes = "/m/a.avi\r\n/\xC3\xBD\xCC\xE5/\xD6\xD0\xCE\xC4.avi\r\n/m/c.avi";
    WriteBytes(Path(), bytes);
    const Result<PlaylistRows> read = utf8Playlist.Read(Path());
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    ASSERT_EQ(read.value().rows.size(), 3u);
    // C3 BD happens to be UTF-8 for "ý"; every other byte of the GBK text is shown as U+FFFD.
    EXPECT_EQ(read.value().rows[1], "/ý\uFFFD\uFFFD/\uFFFD\uFFFD\uFFFD\uFFFD.avi");

    const std::string again = folder.File(kTrialPlaylistName);
    ASSERT_TRUE(utf8Playlist.Write(again, read.value().rows, read.value().rawLines).ok());
    EXPECT_EQ(ReadBytes(again), bytes);
}

TEST_F(PlaylistFileTest, UndecodableLinesPastTheRowLimitAreLeftOutUnnamed) {
    std::string bytes;
    for (std::size_t i = 0; i < kMaxPlaylistRows; ++i) bytes += "/m/" + std::to_string(i) + "\r\n";
    WriteBytes(Path(), bytes + "/m/\xFF\xFF\xFF");
    const Result<PlaylistRows> read = playlist.Read(Path());
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    EXPECT_EQ(read.value().rawLines.size(), kMaxPlaylistRows);
    EXPECT_EQ(read.value().rowsLeftOut, 1u);
    EXPECT_TRUE(read.value().undecodableLines.empty());
}

TEST_F(PlaylistFileTest, UndecodableLinesCanBeSkippedKeepingTheOthers) {
    WriteBytes(Path(), "/m/a.avi\r\n/m/b\xFF\xFF.avi\r\nx\r\n\xFF\xFE\xFD\r\n/m/c.avi");
    const Result<PlaylistRows> read = playlist.Read(Path(), UndecodableLines::Skip);
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    EXPECT_EQ(read.value().rows, (Rows{"/m/a.avi", "/m/c.avi"}));
    EXPECT_EQ(read.value().linesSkipped, 2u);
    EXPECT_EQ(read.value().rowsLeftOut, 0u);
}

TEST_F(PlaylistFileTest, SkippedLinesDoNotCountTowardsTheRowLimit) {
    std::string bytes = "\xFF\xFF\xFF";
    for (std::size_t i = 0; i < kMaxPlaylistRows; ++i) bytes += "\r\n/m/" + std::to_string(i);
    WriteBytes(Path(), bytes);
    const Result<PlaylistRows> read = playlist.Read(Path(), UndecodableLines::Skip);
    ASSERT_TRUE(read.ok()) << read.error().Describe();
    EXPECT_EQ(read.value().rows.size(), kMaxPlaylistRows);
    EXPECT_EQ(read.value().rowsLeftOut, 0u);
    EXPECT_EQ(read.value().linesSkipped, 1u);
}

TEST_F(PlaylistFileTest, LineThatWouldBeRewrittenAsOtherBytesKeepsItsOwnBytes) {
    // In Big5 both F9F9 and A2A4 read as one character, written back as one of them (which one
    // depends on the system): saving the other from its text would name another file.
    const NarrowCodec big5 = testing::Big5Codec();
    const PlaylistFile big5Playlist(big5);
    int kept = 0;
    for (const std::string pair : {"\xF9\xF9", "\xA2\xA4"}) {
        const std::string bytes = "/m/a.avi\r\n/m/" + pair + ".avi";
        WriteBytes(Path(), bytes);
        const Result<PlaylistRows> read = big5Playlist.Read(Path());
        ASSERT_TRUE(read.ok()) << read.error().Describe();
        if (read.value().undecodableLines.empty()) continue;
        ++kept;
        EXPECT_EQ(read.value().rawLines, (Rows{"", "/m/" + pair + ".avi"}));
        EXPECT_EQ(read.value().undecodableLines, std::vector<std::size_t>{2});
        ASSERT_TRUE(big5Playlist.Write(Path(), read.value().rows, read.value().rawLines).ok());
        EXPECT_EQ(ReadBytes(Path()), bytes);
    }
    EXPECT_EQ(kept, 1);
}

TEST_F(PlaylistFileTest, MissingFileIsAnError) {
    const Result<PlaylistRows> read = playlist.Read(Path());
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().path, Path());
    EXPECT_EQ(read.error().kind, ErrorKind::NotFound);
}

TEST_F(PlaylistFileTest, WriteIntoAMissingFolderFailsWithoutCreatingIt) {
    const std::string path = folder.File("gone/varariv.m3u");
    const Outcome written = playlist.Write(path, {"/m/a.avi"});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().path, path);
    EXPECT_EQ(written.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST_F(PlaylistFileTest, WriteLeavesNoTemporaryFileBehind) {
    ASSERT_TRUE(playlist.Write(Path(), {"/m/a.avi"}).ok());
    ASSERT_TRUE(playlist.Write(Path(), {"/m/b.avi"}).ok());
    EXPECT_EQ(folder.Names(), std::set<std::string>{kSaverPlaylistName});
}

TEST_F(PlaylistFileTest, RemoveDeletesTheFile) {
    const std::string trial = folder.File(kTrialPlaylistName);
    WriteBytes(trial, "/m/a.avi");
    PlaylistFile::Remove(trial);
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST_F(PlaylistFileTest, RemoveOfAMissingFileIsSilent) {
    PlaylistFile::Remove(folder.File(kTrialPlaylistName));
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST(PlaylistFileNamesTest, AreTheSystemsOwn) {
    EXPECT_STREQ(kSaverPlaylistName, "varariv.m3u");
    EXPECT_STREQ(kTrialPlaylistName, "temp.m3u");
}

}  // namespace
}  // namespace revuro
