#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/NarrowCodec.h"

namespace revuro {
namespace {

// What the locale and iconv decide on POSIX systems.
TEST(PosixNarrowCodecTest, OutputMuchLongerThanInputIsWhole) {
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

TEST(PosixNarrowCodecTest, PlainCLocaleFallsBackToUtf8) {
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

TEST(PosixNarrowCodecTest, BytesBeyondTheLastCodePointDoNotDecodeEvenWhereIconvPassesThem) {
    for (const char* codeset : {"UTF-8", "UTF8"}) {
        const Result<std::string> text = NarrowCodec(codeset).Decode("/m/q.\xF5\x97\x90\x92.avi");
        ASSERT_FALSE(text.ok()) << codeset;
        EXPECT_EQ(text.error().reason, std::string("text is not valid text in ") + codeset);
    }
}

TEST(PosixNarrowCodecTest, DecodeReplacingGivesUtf8ThroughEveryPath) {
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
