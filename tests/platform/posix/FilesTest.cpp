#include "platform/Files.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "support/MediaPathProblemFixture.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// What only POSIX systems have: links, pipes, sockets, devices under /dev, modes and owners.
class PosixMediaPathProblemTest : public testing::MediaPathProblemFixture {};

TEST_F(PosixMediaPathProblemTest, LinkToAFileHasNone) {
    WriteBytes(folder.File("clip.mp4"), "x");
    std::filesystem::create_symlink(folder.File("clip.mp4"), folder.File("link.mp4"));
    EXPECT_EQ(Problem(folder.File("link.mp4")), std::nullopt);
}

TEST_F(PosixMediaPathProblemTest, OverlongNamesAndPathsAreTooLong) {
    EXPECT_EQ(Problem(folder.File(std::string(300, 'n') + ".mp4")), ErrorKind::NameTooLong);
    EXPECT_EQ(Problem("/" + std::string(5000, 'd')), ErrorKind::NameTooLong);
}

TEST_F(PosixMediaPathProblemTest, UnreadableFileIsRefusedRatherThanCalledDamaged) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    WriteBytes(folder.File("locked.mp4"), "x");
    std::filesystem::permissions(folder.File("locked.mp4"), std::filesystem::perms::none);
    EXPECT_EQ(Problem(folder.File("locked.mp4")), ErrorKind::PermissionDenied);
}

TEST_F(PosixMediaPathProblemTest, PipeIsRefusedWithoutOpeningIt) {
    ASSERT_EQ(::mkfifo(folder.File("pipe.mp4").c_str(), 0600), 0) << std::strerror(errno);
    // Opening a pipe without a writer would block this test for ever.
    EXPECT_EQ(Problem(folder.File("pipe.mp4")), ErrorKind::IsAPipe);
}

TEST_F(PosixMediaPathProblemTest, DevicesAreRefused) {
    EXPECT_EQ(Problem("/dev/zero"), ErrorKind::IsADevice);
    EXPECT_EQ(Problem("/dev/urandom"), ErrorKind::IsADevice);
}

TEST_F(PosixMediaPathProblemTest, SocketIsRefused) {
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

class PosixWriteFileAtomicallyTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    std::string Link(const std::string& name, const std::string& to) {
        std::filesystem::create_symlink(to, folder.File(name));
        return folder.File(name);
    }
    static std::string LinkText(const std::string& path) {
        return std::filesystem::read_symlink(path).string();
    }
    // What the write answered: "written", or the path and reason of its failure.
    static std::string Write(const std::string& path, const std::string& bytes) {
        const Outcome written = WriteFileAtomically(path, bytes);
        return written ? "written" : written.error().path + ": " + written.error().reason;
    }

    // `body` run by a user whom file modes bind (root is not): under root, in a child process
    // as nobody, the folder handed over first.
    std::string AsOrdinaryUser(const std::function<std::string()>& body) {
        if (::geteuid() != 0) return body();
        constexpr uid_t kNobody = 65534;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            (void)::lchown(entry.path().c_str(), kNobody, kNobody);
        (void)::chown(folder.path().c_str(), kNobody, kNobody);
        int pipe[2];
        if (::pipe(pipe) != 0) return "no pipe";
        if (::fork() == 0) {
            const bool dropped = ::setgroups(0, nullptr) == 0 &&
                                 ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                                 ::setresuid(kNobody, kNobody, kNobody) == 0;
            const std::string answer = dropped ? body() : "still root";
            (void)!::write(pipe[1], answer.data(), answer.size());
            ::_exit(0);
        }
        ::close(pipe[1]);
        std::string answer;
        char block[256];
        for (ssize_t n; (n = ::read(pipe[0], block, sizeof block)) > 0;) answer.append(block, n);
        ::close(pipe[0]);
        ::wait(nullptr);
        return answer;
    }

    TempFolder folder;
};

TEST_F(PosixWriteFileAtomicallyTest, AFolderInTheWayIsToldInTheSystemsWords) {
    const std::string path = folder.File("varariv.m3u");
    std::filesystem::create_directory(path);
    EXPECT_EQ(Write(path, "new"), path + ": " + std::strerror(EISDIR));
}

TEST_F(PosixWriteFileAtomicallyTest, LinksStayAndTheFileAtTheEndOfTheChainIsReplacedInItsFolder) {
    std::filesystem::create_directory(folder.File("lists"));
    WriteBytes(folder.File("lists/mine.m3u"), "old");
    ::chmod(folder.File("lists/mine.m3u").c_str(), 0640);
    Link("second", folder.File("lists/mine.m3u"));
    const std::string first = Link("varariv.m3u", "second");
    ASSERT_EQ(Write(first, "new"), "written");
    EXPECT_EQ(LinkText(first), "second");
    EXPECT_EQ(LinkText(folder.File("second")), folder.File("lists/mine.m3u"));
    EXPECT_EQ(ReadBytes(folder.File("lists/mine.m3u")), "new");
    EXPECT_EQ(std::filesystem::status(folder.File("lists/mine.m3u")).permissions(),
              std::filesystem::perms(0640));
    EXPECT_EQ(TempFolder::NamesIn(folder.File("lists")), std::set<std::string>{"mine.m3u"});
}

TEST_F(PosixWriteFileAtomicallyTest, ADanglingLinkGetsItsFileALoopFails) {
    ASSERT_EQ(Write(Link("varariv.m3u", "made.m3u"), "new"), "written");
    EXPECT_EQ(ReadBytes(folder.File("made.m3u")), "new");
    const std::string nowhere = Link("nowhere", "gone/made.m3u");
    EXPECT_EQ(Write(nowhere, "new"), folder.File("gone/made.m3u") + ": " + std::strerror(ENOENT));
    const std::string loop = Link("a", "b");
    Link("b", "a");
    EXPECT_EQ(Write(loop, "new"), loop + ": " + std::strerror(ELOOP));
    EXPECT_EQ(folder.Names(),
              (std::set<std::string>{"a", "b", "made.m3u", "nowhere", "varariv.m3u"}));
}

TEST_F(PosixWriteFileAtomicallyTest,
       AFileTheUserMayNotWriteIsNotReplacedThoughTheFolderIsWritable) {
    const std::string path = folder.File("varariv.m3u");
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0444);
    const std::string link = Link("link.m3u", "varariv.m3u");
    const std::string refused = path + ": " + std::strerror(EACCES);
    EXPECT_EQ(AsOrdinaryUser([&] { return Write(path, "new") + "; " + Write(link, "new"); }),
              refused + "; " + refused);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"link.m3u", "varariv.m3u"}));
}

class PosixLeftoverTemporariesTest : public PosixWriteFileAtomicallyTest {
  protected:
    void SetUp() override {
        PosixWriteFileAtomicallyTest::SetUp();
        WriteBytes(Path(), "old");
    }
    std::string Path() const { return folder.File("varariv.m3u"); }
};

TEST_F(PosixLeftoverTemporariesTest, LinksPipesAndOtherUsersFilesOfTheirNameStay) {
    WriteBytes(folder.File("precious"), "mine");
    WriteBytes(folder.File("Varariv.m3u.abcdef"), "mine");  // names differ in case here
    Link("varariv.m3u.link00", "precious");
    ASSERT_EQ(::mkfifo(folder.File("varariv.m3u.pipe00").c_str(), 0600), 0);
    std::set<std::string> expected = {"precious", "Varariv.m3u.abcdef", "varariv.m3u",
                                      "varariv.m3u.link00", "varariv.m3u.pipe00"};
    if (::geteuid() == 0) {  // only root can give a file to another user
        WriteBytes(folder.File("varariv.m3u.Their5"), "theirs");
        ASSERT_EQ(::chown(folder.File("varariv.m3u.Their5").c_str(), 65534, 65534), 0);
        expected.insert("varariv.m3u.Their5");
    }
    ASSERT_EQ(Write(Path(), "new"), "written");
    EXPECT_EQ(folder.Names(), expected);
    EXPECT_EQ(ReadBytes(folder.File("precious")), "mine");
}

TEST_F(PosixLeftoverTemporariesTest, OneThatAnotherWriteHoldsLockedStays) {
    const std::string busy = folder.File("varariv.m3u.Busy01");
    WriteBytes(busy, "another save at work");
    const int fd = ::open(busy.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(Write(Path(), "new"), "written");
    ::close(fd);
    EXPECT_EQ(ReadBytes(busy), "another save at work");
}

TEST(PosixFoldersTest, AFolderWithoutWritePermissionIsReadOnlyForAUser) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes there; the end-to-end tests mount one read-only";
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_FALSE(CanCreateFilesIn(folder.path()));
    ::chmod(folder.path().c_str(), 0755);
}

TEST(PosixFoldersTest, MadeFoldersAreTheUsersAlone) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string deep = folder.File("a/b/revuro");
    ASSERT_TRUE(MakeFolders(deep).ok());
    for (const std::string& made : {folder.File("a"), folder.File("a/b"), deep}) {
        EXPECT_EQ(std::filesystem::status(made).permissions(), std::filesystem::perms::owner_all)
            << made;
    }
}

}  // namespace
}  // namespace revuro
