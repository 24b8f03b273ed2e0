#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/MediaPathProblemFixture.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::Utf8Path;
using testing::WriteBytes;

class MediaPathProblemTest : public testing::MediaPathProblemFixture {};

TEST_F(MediaPathProblemTest, RegularFileHasNone) {
    WriteBytes(folder.File("clip.mp4"), "not really a clip");
    EXPECT_EQ(Problem(folder.File("clip.mp4")), std::nullopt);
}

TEST_F(MediaPathProblemTest, EmptyFileIsStillAFileForThePlayerToJudge) {
    WriteBytes(folder.File("empty.mp4"), "");
    EXPECT_EQ(Problem(folder.File("empty.mp4")), std::nullopt);
}

TEST_F(MediaPathProblemTest, MissingFileAndNameUnderAFileAreMissing) {
    WriteBytes(folder.File("clip.mp4"), "x");
    EXPECT_EQ(Problem(folder.File("gone.mp4")), ErrorKind::NotFound);
    EXPECT_EQ(Problem(folder.File("不在.mp4")), ErrorKind::NotFound);
    EXPECT_EQ(Problem(folder.File("clip.mp4") + "/inside.mp4"), ErrorKind::NotFound);
}

TEST_F(MediaPathProblemTest, FolderIsRefused) {
    std::filesystem::create_directory(folder.File("folder.mp4"));
    EXPECT_EQ(Problem(folder.File("folder.mp4")), ErrorKind::IsAFolder);
}

class WriteFileAtomicallyTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // What the write answered: "written", or the path and reason of its failure.
    static std::string Write(const std::string& path, const std::string& bytes) {
        const Outcome written = WriteFileAtomically(path, bytes);
        return written ? "written" : written.error().path + ": " + written.error().reason;
    }

    TempFolder folder;
};

TEST_F(WriteFileAtomicallyTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = folder.File("varariv.m3u");
    WriteBytes(path, "old");
    // A folder in the way of the rename: the new bytes are written, the rename fails.
    std::filesystem::remove(Utf8Path(path));
    std::filesystem::create_directory(Utf8Path(path));
    WriteBytes(path + "/keep", "old");
    const Outcome written = WriteFileAtomically(path, "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().path, path);
    EXPECT_EQ(written.error().kind, ErrorKind::IsAFolder);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"varariv.m3u"}));
    EXPECT_EQ(ReadBytes(path + "/keep"), "old");
}

TEST_F(WriteFileAtomicallyTest, ReplacesAnExistingFileAgainAndAgain) {
    // Names in the system's own script: the path reaches the system unchanged.
    const std::string path = folder.File("我的 电影.m3u");
    WriteBytes(path, std::string(10000, 'o'));
    for (const std::string bytes : {"/m/电影.avi\r\n", "", "/m/b.avi"}) {
        ASSERT_EQ(Write(path, bytes), "written");
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"我的 电影.m3u"}));
}

TEST_F(WriteFileAtomicallyTest, MissingFolderFailsByNameAndCreatesNothing) {
    const std::string path = folder.File("不在/varariv.m3u");
    const Outcome written = WriteFileAtomically(path, "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().path, path);
    EXPECT_EQ(written.error().kind, ErrorKind::NotFound);
    EXPECT_TRUE(folder.Names().empty());
}

using FileAccessTest = WriteFileAtomicallyTest;

TEST_F(FileAccessTest, ReadsOpensAndRemovesFilesWithChineseNames) {
    const std::string path = folder.File("节目单.m3u");
    WriteBytes(path, std::string("a\0\r\n\xFF", 5));
    EXPECT_TRUE(CanOpenForReading(path));
    const Result<std::string> bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.ok()) << bytes.error().Describe();
    EXPECT_EQ(bytes.value(), std::string("a\0\r\n\xFF", 5));
    ASSERT_TRUE(RemoveFile(path).ok());
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(RemoveFile(path).ok());  // already gone counts as done
}

TEST_F(FileAccessTest, MissingFileCannotBeOpenedOrRead) {
    const std::string path = folder.File("无.m3u");
    EXPECT_FALSE(CanOpenForReading(path));
    const Result<std::string> bytes = ReadWholeFile(path);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().path, path);
    EXPECT_EQ(bytes.error().kind, ErrorKind::NotFound);
}

class LeftoverTemporariesTest : public WriteFileAtomicallyTest {
  protected:
    void SetUp() override {
        WriteFileAtomicallyTest::SetUp();
        WriteBytes(Path(), "old");
    }
    std::string Path() const { return folder.File("varariv.m3u"); }
};

TEST_F(LeftoverTemporariesTest, TheNextWriteRemovesThemAndNothingElse) {
    for (const char* name : {"varariv.m3u.a1B2c3", "varariv.m3u.XXXXXX"})
        WriteBytes(folder.File(name), "half a list");
    const std::set<std::string> others = {"varariv.m3u.abcde", "varariv.m3u.abcdefg",
                                          "varariv.m3u.ab-def", "temp.m3u.abcdef", "precious"};
    for (const std::string& name : others) WriteBytes(folder.File(name), "mine");
    // The pattern's name, but a folder.
    std::filesystem::create_directory(Utf8Path(folder.File("varariv.m3u.folder")));

    ASSERT_EQ(Write(Path(), "new"), "written");
    std::set<std::string> expected = others;
    expected.insert({"varariv.m3u", "varariv.m3u.folder"});
    EXPECT_EQ(folder.Names(), expected);
    EXPECT_EQ(ReadBytes(folder.File("precious")), "mine");
}

TEST_F(LeftoverTemporariesTest, TwoWritesAtOnceNeverTakeEachOthersTemporary) {
    // Each write's cleanup sees the other's temporary; none may be removed while it is written.
    const std::string big(256 * 1024, 'x');
    std::vector<std::string> failures;
    std::mutex guard;
    const auto writer = [&] {
        for (int i = 0; i < 150; ++i) {
            if (std::string answer = Write(Path(), big); answer != "written") {
                const std::lock_guard lock(guard);
                failures.push_back(answer);
            }
        }
    };
    std::thread first(writer), second(writer);
    first.join();
    second.join();
    EXPECT_EQ(failures, std::vector<std::string>{});
    EXPECT_EQ(folder.Names(), std::set<std::string>{"varariv.m3u"});
}

// ---- Folders: may files be made there, making them ----

TEST(CanCreateFilesInTest, TheUsersOwnFolderYesAMissingOneOrAFileNoAndNothingIsLeft) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    EXPECT_TRUE(CanCreateFilesIn(folder.path()));
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_FALSE(CanCreateFilesIn(folder.File("missing")));
    WriteBytes(folder.File("file"), "x");
    EXPECT_FALSE(CanCreateFilesIn(folder.File("file")));
}

TEST(MakeFoldersTest, MakesEveryMissingFolderAndTakesOnesThatAreThere) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string deep = folder.File("a/b/revuro");
    ASSERT_TRUE(MakeFolders(deep).ok());
    for (const std::string& made : {folder.File("a"), folder.File("a/b"), deep})
        EXPECT_TRUE(std::filesystem::is_directory(testing::Utf8Path(made))) << made;
    EXPECT_TRUE(MakeFolders(deep).ok());
    EXPECT_TRUE(PathExists(deep));
}

TEST(MakeFoldersTest, AFileInTheWayIsAnErrorNamingIt) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WriteBytes(folder.File("a"), "x");
    for (const std::string& wanted : {folder.File("a"), folder.File("a/revuro")}) {
        const Outcome made = MakeFolders(wanted);
        ASSERT_FALSE(made.ok()) << wanted;
        EXPECT_EQ(made.error().kind, ErrorKind::NotAFolder) << wanted;
    }
    EXPECT_FALSE(PathExists(folder.File("a/revuro")));
}

}  // namespace
}  // namespace revuro
