#include "platform/NarrowCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace revuro {
namespace {

class Cp936CodecTest : public ::testing::Test {
  protected:
    NarrowCodec codec{"CP936"};
};

TEST_F(Cp936CodecTest, EncodesChineseAsGbkBytes) {
    const Result<std::string> narrow = codec.Encode("/媒体/中文电影.avi");
    ASSERT_TRUE(narrow.ok()) << narrow.error().Describe();
    EXPECT_EQ(narrow.value(), "/\xC3\xBD\xCC\xE5/\xD6\xD0\xCE\xC4\xB5\xE7\xD3\xB0.avi");
}

TEST_F(Cp936CodecTest, DecodesGbkBytesBackUnchanged) {
    const std::string text = "C:\\电影\\我的视频 (1).mp4";
    const Result<std::string> narrow = codec.Encode(text);
    ASSERT_TRUE(narrow.ok()) << narrow.error().Describe();
    const Result<std::string> back = codec.Decode(narrow.value());
    ASSERT_TRUE(back.ok()) << back.error().Describe();
    EXPECT_EQ(back.value(), text);
}

TEST_F(Cp936CodecTest, LeavesAsciiAsItIs) {
    const std::string ascii = "/home/user/Movies/clip 01.mkv";
    EXPECT_EQ(codec.Encode(ascii).value(), ascii);
    EXPECT_EQ(codec.Decode(ascii).value(), ascii);
}

TEST_F(Cp936CodecTest, EmptyTextIsEmpty) {
    EXPECT_EQ(codec.Encode("").value(), "");
    EXPECT_EQ(codec.Decode("").value(), "");
}

TEST_F(Cp936CodecTest, EmojiCannotBeEncoded) {
    const Result<std::string> narrow = codec.Encode("/media/\xF0\x9F\x98\x80.mp4");
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "text cannot be written in CP936 (at byte 7)");
}

TEST_F(Cp936CodecTest, HindiCannotBeEncodedAndNoQuestionMarkIsMade) {
    const Result<std::string> narrow = codec.Encode("a\xE0\xA4\x85");  // DEVANAGARI LETTER A
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "text cannot be written in CP936 (at byte 1)");
}

TEST_F(Cp936CodecTest, InvalidUtf8CannotBeEncoded) {
    const Result<std::string> narrow = codec.Encode("ab\xFF");
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "text cannot be written in CP936 (at byte 2)");
}

TEST_F(Cp936CodecTest, InvalidBytesDoNotDecode) {
    const Result<std::string> text = codec.Decode("ab\xFF\xFF");
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().reason, "text is not valid text in CP936 (at byte 2)");
}

TEST_F(Cp936CodecTest, TruncatedDoubleByteDoesNotDecode) {
    const Result<std::string> text = codec.Decode("\xD6\xD0\xCE");  // "中" and half of "文"
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().reason, "text is not valid text in CP936 (at byte 2)");
}

TEST_F(Cp936CodecTest, CanBeUsedAgainAfterAFailure) {
    ASSERT_FALSE(codec.Decode("\xD6").ok());
    EXPECT_EQ(codec.Decode("\xD6\xD0").value(), "中");
}

TEST_F(Cp936CodecTest, DecodeReplacingShowsEachByteThatStartsNoCharacter) {
    // 81 cannot start a character before a space; FE is half of one at the end.
    EXPECT_EQ(codec.DecodeReplacing("/\xD6\xD0\xFF/\x81 x\xFE"), "/中\uFFFD/\uFFFD x\uFFFD");
}

TEST(NarrowCodecTest, UnknownCharacterSetFailsEveryConversion) {
    const NarrowCodec codec("NO-SUCH-CHARSET");
    const Result<std::string> narrow = codec.Encode("abc");
    ASSERT_FALSE(narrow.ok());
    EXPECT_EQ(narrow.error().reason, "the character set NO-SUCH-CHARSET is not supported");
    EXPECT_FALSE(codec.Decode("abc").ok());
}

}  // namespace
}  // namespace revuro
