#include "core/Utf8.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

TEST(ElideCodePointsTest, ShortTextStaysWhole) {
    EXPECT_EQ(ElideCodePoints("clip.mp4", 8), "clip.mp4");
    EXPECT_EQ(ElideCodePoints("", 3), "");
}

TEST(ElideCodePointsTest, LongTextKeepsItsStartAndEndsInAnEllipsis) {
    EXPECT_EQ(ElideCodePoints("clip.mp4", 5), "clip…");
    EXPECT_EQ(ElideCodePoints("abc", 1), "…");
}

TEST(ElideCodePointsTest, CountsCharactersAndNeverCutsOneInHalf) {
    // Each of these is three bytes: a byte count would cut inside one.
    EXPECT_EQ(ElideCodePoints("第一号电影.mp4", 9), "第一号电影.mp4");
    EXPECT_EQ(ElideCodePoints("第一号电影.mp4", 4), "第一号…");
    EXPECT_EQ(CountCodePoints(ElideCodePoints(std::string(4000, 'n'), 24)), 24u);
}

TEST(ReplaceInvalidUtf8Test, EachByteOfNoCharacterBecomesOneReplacementCharacter) {
    EXPECT_EQ(ReplaceInvalidUtf8("/m/第一号电影😀.mp4"), "/m/第一号电影😀.mp4");
    EXPECT_EQ(ReplaceInvalidUtf8("\xC0\x80|\xED\xA0\x80|\xE4\xB8"),  // overlong, surrogate, cut
              "\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD");
}

TEST(Utf16Test, RoundTripsEveryPlaneAndEmptyText) {
    const std::string utf8 = "C:\\电影\\Été 🎬.mp4";
    const Result<std::u16string> utf16 = Utf8ToUtf16(utf8);
    ASSERT_TRUE(utf16.ok()) << utf16.error().Describe();
    EXPECT_EQ(utf16.value(), u"C:\\电影\\Été 🎬.mp4");
    EXPECT_EQ(Utf16ToUtf8(utf16.value()).value(), utf8);
    EXPECT_EQ(Utf8ToUtf16("").value(), u"");
    EXPECT_EQ(Utf16ToUtf8(u"").value(), "");
}

TEST(Utf16Test, InvalidUtf8FailsNamingTheFirstBadByte) {
    EXPECT_EQ(FirstInvalidUtf8Byte("电影.avi"), std::string_view::npos);
    EXPECT_EQ(FirstInvalidUtf8Byte("ok \xC0\xAF"), 3u);  // an overlong slash
    for (const std::string bad :
         {"ok \xC0\xAF", "ok \xED\xA0\x80", "ok \xF4\x90\x80\x80", "ok \xE7\x94"}) {
        const Result<std::u16string> utf16 = Utf8ToUtf16(bad);
        ASSERT_FALSE(utf16.ok()) << bad;
        EXPECT_EQ(utf16.error().reason, "text is not valid UTF-8 (at byte 3)");
    }
}

TEST(Utf16Test, UnpairedSurrogatesFailNamingTheUnit) {
    const std::u16string highAlone{u'a', char16_t(0xD83C), u'b'};
    EXPECT_EQ(Utf16ToUtf8(highAlone).error().reason, "text is not valid UTF-16 (at unit 1)");
    const std::u16string lowFirst{char16_t(0xDFAC), char16_t(0xD83C)};
    EXPECT_EQ(Utf16ToUtf8(lowFirst).error().reason, "text is not valid UTF-16 (at unit 0)");
    const std::u16string highAtEnd{u'a', u'b', char16_t(0xD83C)};
    EXPECT_EQ(Utf16ToUtf8(highAtEnd).error().reason, "text is not valid UTF-16 (at unit 2)");
}

}  // namespace
}  // namespace revuro
