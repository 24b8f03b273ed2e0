#include "platform/Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "platform/win32/WideText.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class Win32FilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }
    std::string Path() const { return folder.File("varariv.m3u"); }

    TempFolder folder;
};

TEST_F(Win32FilesTest, ATemporaryAnotherSaveHoldsOpenIsNotRemoved) {
    WriteBytes(Path(), "old");
    // As a save at work holds its temporary until it has moved it.
    const std::string busy = folder.File("varariv.m3u.Busy01");
    const HANDLE held = CreateFileW(WideText(busy).value().c_str(), GENERIC_WRITE,
                                    FILE_SHARE_DELETE, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WriteBytes(folder.File("varariv.m3u.Left01"), "left by a killed save");
    const Outcome written = WriteFileAtomically(Path(), "new");
    CloseHandle(held);
    ASSERT_TRUE(written.ok()) << written.error().Describe();
    EXPECT_EQ(ReadBytes(Path()), "new");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"varariv.m3u", "varariv.m3u.Busy01"}));
}

TEST_F(Win32FilesTest, NamesDifferingInCaseOnlyAreTheSameTemporary) {
    WriteBytes(Path(), "old");
    WriteBytes(folder.File("VARARIV.M3U.abc123"), "left by a killed save");
    ASSERT_TRUE(WriteFileAtomically(Path(), "new").ok());
    EXPECT_EQ(folder.Names(), std::set<std::string>{"varariv.m3u"});
}

TEST_F(Win32FilesTest, AReadOnlyFileIsNotReplaced) {
    WriteBytes(Path(), "old");
    ASSERT_TRUE(SetFileAttributesW(WideText(Path()).value().c_str(), FILE_ATTRIBUTE_READONLY));
    const Outcome written = WriteFileAtomically(Path(), "new");
    SetFileAttributesW(WideText(Path()).value().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().kind, ErrorKind::PermissionDenied);
    EXPECT_EQ(ReadBytes(Path()), "old");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"varariv.m3u"});
}

TEST_F(Win32FilesTest, PipesAndDevicesAreRefused) {
    EXPECT_EQ(MediaPathProblem("\\\\.\\pipe\\revuro-none")->kind, ErrorKind::IsAPipe);
    EXPECT_EQ(MediaPathProblem("\\\\?\\PIPE\\revuro-none")->kind, ErrorKind::IsAPipe);
    const std::optional<Error> device = MediaPathProblem("NUL");
    ASSERT_TRUE(device.has_value());
    EXPECT_EQ(device->kind, ErrorKind::IsADevice);
}

}  // namespace
}  // namespace revuro
