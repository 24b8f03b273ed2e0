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

}  // namespace
}  // namespace revuro
