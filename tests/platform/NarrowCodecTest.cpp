#include "platform/NarrowCodec.h"

#include <gtest/gtest.h>

#include <clocale>
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

TEST(NarrowCodecTest, OutputMuchLongerThanInputIsWhole) {
    // Four bytes per character outgrow any first guess at the output size.
    const NarrowCodec codec("UTF-32LE");
    const std::string text(5000, 'x');
    const Result<std::string> wide = codec.Encode(text);
    ASSERT_TRUE(wide.ok()) << wide.error().Describe();
    ASSERT_EQ(wide.value().size(), 20000u);
    EXPECT_EQ(wide.value().substr(19996), std::string("x\0\0\0", 4));
    EXPECT_EQ(codec.Decode(wide.value()).value(), text);
}

class Big5CodecTest : public ::testing::Test {
  protected:
    NarrowCodec codec{"BIG5"};
};

TEST_F(Big5CodecTest, BytesThatWouldBeWrittenBackAsOtherBytesDoNotDecode) {
    // F9F9 and A2A4 both read as U+2550, which is written as A2A4.
    const Result<std::string> text = codec.Decode("/m/\xF9\xF9.avi");
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().reason, "text would not be written back the same in BIG5 (at byte 3)");
}

TEST_F(Big5CodecTest, TheSequenceThatIsWrittenBackDecodes) {
    const Result<std::string> text = codec.Decode("/m/\xA2\xA4.avi");
    ASSERT_TRUE(text.ok()) << text.error().Describe();
    EXPECT_EQ(text.value(), "/m/\u2550.avi");
    EXPECT_EQ(codec.Encode(text.value()).value(), "/m/\xA2\xA4.avi");
}

TEST(NarrowCodecTest, PlainCLocaleFallsBackToUtf8) {
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "C");
    const NarrowCodec codec = NarrowCodec::ForLocale();
    std::setlocale(LC_CTYPE, previous.c_str());
    EXPECT_EQ(codec.codeset(), "UTF-8");
    EXPECT_EQ(codec.Encode("电影").value(), "电影");
}

// UTF-8 text passes without iconv; the answers must be iconv's own, which "UTF8" still uses.
class Utf8CodecTest : public ::testing::TestWithParam<std::string> {
  protected:
    NarrowCodec direct{"UTF-8"};
    NarrowCodec throughIconv{"UTF8"};
};

TEST(NarrowCodecTest, BytesBeyondTheLastCodePointDoNotDecodeEvenWhereIconvPassesThem) {
    for (const char* codeset : {"UTF-8", "UTF8"}) {
        const Result<std::string> text = NarrowCodec(codeset).Decode("/m/q.\xF5\x97\x90\x92.avi");
        ASSERT_FALSE(text.ok()) << codeset;
        EXPECT_EQ(text.error().reason, std::string("text is not valid text in ") + codeset);
    }
}

TEST(NarrowCodecTest, DecodeReplacingGivesUtf8ThroughEveryPath) {
    // Bytes beyond U+10FFFF, which glibc's UTF-8 reader ("UTF8") passes.
    for (const char* codeset : {"UTF-8", "UTF8", "NO-SUCH-CHARSET"}) {
        EXPECT_EQ(NarrowCodec(codeset).DecodeReplacing("q\xF5\x97\x90\x92"),
                  "q\uFFFD\uFFFD\uFFFD\uFFFD")
            << codeset;
    }
}

TEST_P(Utf8CodecTest, AnswersAsIconvDoes) {
    const std::string& text = GetParam();
    for (const bool encode : {true, false}) {
        const Result<std::string> got = encode ? direct.Encode(text) : direct.Decode(text);
        const Result<std::string> want =
            encode ? throughIconv.Encode(text) : throughIconv.Decode(text);
        ASSERT_EQ(got.ok(), want.ok()) << (encode ? "encode" : "decode");
        if (got.ok()) {
            EXPECT_EQ(got.value(), want.value());
        } else {
            // The same message, naming the same byte, each codec under its own name.
            std::string reason = want.error().reason;
            reason.replace(reason.find("UTF8"), 4, "UTF-8");
            EXPECT_EQ(got.error().reason, reason);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Utf8CodecTest,
    ::testing::Values(std::string(), std::string("/home/user/Movie 电影 Été.rmvb"),
                      std::string("a\0b", 3), std::string("\xF0\x9F\x8E\xAC clip.mp4"),
                      std::string("\xEF\xBF\xBE\xEF\xBF\xBF"),  // noncharacters are characters
                      std::string("\xF4\x8F\xBF\xBF"),          // the last code point
                      std::string("ok \xC3"),                   // cut short
                      std::string("ok \xC0\xAF"),               // overlong slash
                      std::string("ok \xE0\x80\xAF"),           // overlong, three bytes
                      std::string("ok \xED\xA0\x80"),           // a surrogate
                      std::string("ok \xF4\x90\x80\x80"),       // past U+10FFFF
                      std::string("ok \xF5\x97\x90\x92"),       // past it, let through by iconv
                      std::string("ok \xF8\x88\x80\x80\x80"),   // five bytes
                      std::string("ok \xFF"), std::string("\x80 lone continuation")));

}  // namespace
}  // namespace revuro
