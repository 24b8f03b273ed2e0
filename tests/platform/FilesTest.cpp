#include "platform/Files.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class MediaPathProblemTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // The kind of the problem with `path`, checking that it names the path; nothing if none.
    static std::optional<ErrorKind> Problem(const std::string& path) {
        const std::optional<Error> problem = MediaPathProblem(path);
        if (!problem) return std::nullopt;
        EXPECT_EQ(problem->path, path);
        return problem->kind;
    }

    TempFolder folder;
};

TEST_F(MediaPathProblemTest, RegularFileHasNone) {
    WriteBytes(folder.File("clip.mp4"), "not really a clip");
    EXPECT_EQ(Problem(folder.File("clip.mp4")), std::nullopt);
}

TEST_F(MediaPathProblemTest, EmptyFileIsStillAFileForThePlayerToJudge) {
    WriteBytes(folder.File("empty.mp4"), "");
    EXPECT_EQ(Problem(folder.File("empty.mp4")), std::nullopt);
}

TEST_F(MediaPathProblemTest, LinkToAFileHasNone) {
    WriteBytes(folder.File("clip.mp4"), "x");
    std::filesystem::create_symlink(folder.File("clip.mp4"), folder.File("link.mp4"));
    EXPECT_EQ(Problem(folder.File("link.mp4")), std::nullopt);
}

TEST_F(MediaPathProblemTest, MissingFileNameUnderAFileAndOverlongPathAreMissing) {
    WriteBytes(folder.File("clip.mp4"), "x");
    EXPECT_EQ(Problem(folder.File("gone.mp4")), ErrorKind::NotFound);
    EXPECT_EQ(Problem(folder.File("clip.mp4") + "/inside.mp4"), ErrorKind::NotFound);
    EXPECT_EQ(Problem(folder.File(std::string(300, 'n') + ".mp4")), ErrorKind::NameTooLong);
    EXPECT_EQ(Problem("/" + std::string(5000, 'd')), ErrorKind::NameTooLong);
}

TEST_F(MediaPathProblemTest, UnreadableFileIsRefusedRatherThanCalledDamaged) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    WriteBytes(folder.File("locked.mp4"), "x");
    std::filesystem::permissions(folder.File("locked.mp4"), std::filesystem::perms::none);
    EXPECT_EQ(Problem(folder.File("locked.mp4")), ErrorKind::PermissionDenied);
}

TEST_F(MediaPathProblemTest, FolderIsRefused) {
    std::filesystem::create_directory(folder.File("folder.mp4"));
    EXPECT_EQ(Problem(folder.File("folder.mp4")), ErrorKind::IsAFolder);
}

TEST_F(MediaPathProblemTest, PipeIsRefusedWithoutOpeningIt) {
    ASSERT_EQ(::mkfifo(folder.File("pipe.mp4").c_str(), 0600), 0) << std::strerror(errno);
    // Opening a pipe without a writer would block this test for ever.
    EXPECT_EQ(Problem(folder.File("pipe.mp4")), ErrorKind::IsAPipe);
}

TEST_F(MediaPathProblemTest, DevicesAreRefused) {
    EXPECT_EQ(Problem("/dev/zero"), ErrorKind::IsADevice);
    EXPECT_EQ(Problem("/dev/urandom"), ErrorKind::IsADevice);
}

TEST_F(MediaPathProblemTest, SocketIsRefused) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = folder.File("sock.mp4");
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(Problem(path), ErrorKind::NotAFile);
    ::close(fd);
}

class WriteFileAtomicallyTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }
    TempFolder folder;
};

TEST_F(WriteFileAtomicallyTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = folder.File("varariv.m3u");
    WriteBytes(path, "old");
    // A folder in the way of the rename: the new bytes are written, the rename fails.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    WriteBytes(path + "/keep", "old");
    const Outcome written = WriteFileAtomically(path, "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().path, path);
    EXPECT_EQ(written.error().reason, std::strerror(EISDIR));
    EXPECT_EQ(written.error().kind, ErrorKind::IsAFolder);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"varariv.m3u"}));
    EXPECT_EQ(ReadBytes(path + "/keep"), "old");
}

}  // namespace
}  // namespace revuro
