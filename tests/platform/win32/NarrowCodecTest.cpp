#include "platform/NarrowCodec.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace revuro {
namespace {

TEST(Win32NarrowCodecTest, TheSystemsCodePageIsTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "run under a zh_CN.UTF-8 locale (scripts/wine-run does)";
    const NarrowCodec codec = NarrowCodec::ForLocale();
    EXPECT_EQ(codec.codeset(), "CP936");
    // What the A functions of the system make of the same text, byte for byte.
    const std::wstring wide = L"C:\\电影\\我的视频 (1).mp4";
    char ansi[64] = {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_GT(length, 0);
    EXPECT_EQ(codec.Encode("C:\\电影\\我的视频 (1).mp4").value(), std::string(ansi));
    EXPECT_EQ(codec.Decode(ansi).value(), "C:\\电影\\我的视频 (1).mp4");
}

TEST(Win32NarrowCodecTest, NoBestFitCharacterStandsInForOneTheCodePageLacks) {
    // Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ("a" for "ā" in code page 1252),
    // and '?' where it has none: either names another file.
    const NarrowCodec codec("CP936");
    const Result<std::string> narrow =
        codec.Encode("/m/\xE1\x84\x80.avi");  // HANGUL CHOSEONG KIYEOK
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "text cannot be written in CP936 (at byte 3)");
    const Result<std::string> latin = NarrowCodec("CP1252").Encode("\xC4\x81");  // a with macron
    ASSERT_FALSE(latin.ok());
    EXPECT_EQ(latin.error().reason, "text cannot be written in CP1252 (at byte 0)");
}

TEST(Win32NarrowCodecTest, Utf8CodePageChecksItsBytes) {
    const NarrowCodec codec("UTF-8");
    EXPECT_EQ(codec.Encode("电影 🎬").value(), "电影 🎬");
    EXPECT_EQ(codec.Decode("电影 🎬").value(), "电影 🎬");
    const Result<std::string> text = codec.Decode("ok \xED\xA0\x80");  // a lone surrogate
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().reason, "text is not valid text in UTF-8 (at byte 3)");
}

TEST(Win32NarrowCodecTest, NamesThatAreNoCodePageAreNotSupported) {
    for (const char* name : {"CP", "CP936x", "CP-936", "CP99999", "936", "GBK"}) {
        const Result<std::string> narrow = NarrowCodec(name).Encode("a");
        ASSERT_FALSE(narrow.ok()) << name;
        EXPECT_EQ(narrow.error().reason,
                  std::string("the character set ") + name + " is not supported");
    }
}

TEST(Win32NarrowCodecTest, LongTextFailsAtTheRightByte) {
    const NarrowCodec codec("CP936");
    const std::string text = std::string(70000, 'a') + "电\xF0\x9F\x98\x80";
    const Result<std::string> narrow = codec.Encode(text);
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "text cannot be written in CP936 (at byte 70003)");
    const Result<std::string> bytes = codec.Decode(std::string(70000, 'a') + "\xD6\xD0\xFF");
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().reason, "text is not valid text in CP936 (at byte 70002)");
}

}  // namespace
}  // namespace revuro
