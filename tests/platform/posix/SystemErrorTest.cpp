#include "platform/posix/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "core/ReasonText.h"

namespace revuro {
namespace {

struct SystemCase {
    int code;
    const char* text;
};

class SystemErrorTest : public ::testing::TestWithParam<SystemCase> {};

// What saving and reading meet: each in the program's words, whatever the system's language.
TEST_P(SystemErrorTest, IsToldInChinese) {
    const Error error = SystemError("/p/varariv.m3u", GetParam().code);
    EXPECT_EQ(error.reason, std::strerror(GetParam().code));
    EXPECT_EQ(ReasonText(error), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    SavingAndReading, SystemErrorTest,
    ::testing::Values(SystemCase{EACCES, "没有访问权限"}, SystemCase{EPERM, "没有访问权限"},
                      SystemCase{EROFS, "所在的磁盘是只读的"}, SystemCase{ENOSPC, "磁盘空间不足"},
                      SystemCase{EDQUOT, "超出了磁盘配额"}, SystemCase{EFBIG, "文件太大"},
                      SystemCase{ENAMETOOLONG, "文件名太长"},
                      SystemCase{ENOTDIR, "路径中有一部分不是文件夹"},
                      SystemCase{EISDIR, "是文件夹"}, SystemCase{EIO, "磁盘读写错误"},
                      SystemCase{ENOENT, "文件不存在"}));

TEST(SystemErrorTest, OtherCodesKeepTheSystemsText) {
    for (int code : {EBUSY, EMFILE, ETXTBSY, ELOOP}) {
        const Error error = SystemError("/p/varariv.m3u", code);
        EXPECT_EQ(error.kind, ErrorKind::Other) << code;
        EXPECT_EQ(ReasonText(error), std::strerror(code)) << code;
    }
}

}  // namespace
}  // namespace revuro
