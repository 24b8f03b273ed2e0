#include "platform/win32/SystemError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/ReasonText.h"

namespace revuro {
namespace {

struct SystemCase {
    unsigned long code;
    const char* text;
};

class SystemErrorTest : public ::testing::TestWithParam<SystemCase> {};

// What saving and reading meet: each in the program's words, whatever the system's language.
TEST_P(SystemErrorTest, IsToldInChinese) {
    const Error error = SystemError("C:\\p\\varariv.m3u", GetParam().code);
    EXPECT_EQ(error.reason, SystemMessage(GetParam().code));
    EXPECT_EQ(ReasonText(error), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    SavingAndReading, SystemErrorTest,
    ::testing::Values(SystemCase{ERROR_ACCESS_DENIED, "没有访问权限"},
                      SystemCase{ERROR_SHARING_VIOLATION, "没有访问权限"},
                      SystemCase{ERROR_WRITE_PROTECT, "所在的磁盘是只读的"},
                      SystemCase{ERROR_DISK_FULL, "磁盘空间不足"},
                      SystemCase{ERROR_HANDLE_DISK_FULL, "磁盘空间不足"},
                      SystemCase{1295, "超出了磁盘配额"},  // ERROR_DISK_QUOTA_EXCEEDED
                      SystemCase{ERROR_FILE_TOO_LARGE, "文件太大"},
                      SystemCase{ERROR_FILENAME_EXCED_RANGE, "文件名太长"},
                      SystemCase{ERROR_DIRECTORY, "路径中有一部分不是文件夹"},
                      SystemCase{ERROR_CRC, "磁盘读写错误"},
                      SystemCase{ERROR_FILE_NOT_FOUND, "文件不存在"},
                      SystemCase{ERROR_PATH_NOT_FOUND, "文件不存在"}));

TEST(SystemErrorTest, OtherCodesKeepTheSystemsText) {
    for (unsigned long code : {ERROR_BUSY, ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_READY}) {
        const Error error = SystemError("C:\\p\\varariv.m3u", code);
        EXPECT_EQ(error.kind, ErrorKind::Other) << code;
        EXPECT_EQ(ReasonText(error), SystemMessage(code)) << code;
        EXPECT_FALSE(error.reason.empty()) << code;
        EXPECT_NE(error.reason.back(), '\n') << code;
    }
}

}  // namespace
}  // namespace revuro
