#include "core/ReasonText.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/NarrowCodec.h"

namespace revuro {
namespace {

TEST(ReasonTextTest, AnErrorOfNoKindKeepsItsText) {
    EXPECT_EQ(ReasonText(Error{"the quit signals are already being watched"}),
              "the quit signals are already being watched");
}

TEST(ReasonTextTest, AnUndecodableLineIsNamed) {
    const Result<std::string> text = NarrowCodec("UTF-8").Decode("/m/\xff.avi");
    ASSERT_FALSE(text.ok());
    const Error& decoded = text.error();
    EXPECT_EQ(ReasonText(Error{decoded.kind, decoded.reason, "/p/varariv.m3u", 3}),
              "第3行含有系统字符集无法识别的文字");
    EXPECT_EQ(ReasonText(decoded), "含有系统字符集无法识别的文字");
}

TEST(ReasonTextTest, AnUnwritableRowIsNamed) {
    const Result<std::string> text = NarrowCodec("CP936").Encode("/m/😀.avi");
    ASSERT_FALSE(text.ok());
    const Error& encoded = text.error();
    EXPECT_EQ(ReasonText(Error{encoded.kind, encoded.reason, "/p/varariv.m3u", 2}),
              "第2行含有系统字符集无法保存的字符");
}

TEST(ReasonTextTest, ALineGoesBeforeAnyOtherReason) {
    EXPECT_EQ(ReasonText(Error{ErrorKind::IoError, "Input/output error", "/p/a.m3u", 7}),
              "第7行：磁盘读写错误");
    EXPECT_EQ(ReasonText(Error{"row 7 contains a line break", "/p/a.m3u", 7}),
              "第7行：row 7 contains a line break");
}

TEST(ReasonTextTest, WhatPlayingMeets) {
    EXPECT_EQ(ReasonText(Error{ErrorKind::NotFound, "No such file or directory"}), "文件不存在");
    EXPECT_EQ(ReasonText(Error{ErrorKind::UnrecognizedFormat, "unrecognized file format"}),
              "无法识别的文件格式");
    EXPECT_EQ(ReasonText(Error{ErrorKind::DamagedFile, "loading failed"}), "文件已损坏或无法读取");
    EXPECT_EQ(ReasonText(Error{ErrorKind::NothingToPlay, "no audio or video data played"}),
              "没有可以解码的视频或音频");
    EXPECT_EQ(ReasonText(Error{ErrorKind::IsAFolder, "is a folder"}), "是文件夹");
    EXPECT_EQ(ReasonText(Error{ErrorKind::IsAPipe, "is a pipe"}), "是管道");
    EXPECT_EQ(ReasonText(Error{ErrorKind::IsADevice, "is a device"}), "是设备");
    EXPECT_EQ(ReasonText(Error{ErrorKind::NotAFile, "is not a regular file"}), "不是普通文件");
    EXPECT_EQ(ReasonText(Error{ErrorKind::NoMediaPlayer, "no media player"}),
              "系统中没有可用的 Windows Media Player");
    EXPECT_EQ(ReasonText(Error{ErrorKind::FlashNotSupported, "no Flash player"}),
              "不支持 Flash 动画");
    EXPECT_EQ(ReasonText(Error{ErrorKind::FlashPlayerFailed, "the helper ended"}),
              "Flash 播放程序意外结束");
    EXPECT_EQ(ReasonText(Error{ErrorKind::FlashPlayerNotResponding, "no answer"}),
              "Flash 播放程序没有响应");
    EXPECT_EQ(ReasonText(Error{"audio output initialization failed"}),
              "audio output initialization failed");
}

}  // namespace
}  // namespace revuro
