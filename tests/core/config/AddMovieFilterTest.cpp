#include "core/config/AddMovieFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace revuro {
namespace {

class AddMovieFilterTest : public ::testing::Test {
  protected:
    std::vector<FileFilterChoice> choices = AddMovieFilterChoices();
};

TEST_F(AddMovieFilterTest, SixChoicesInTheirOrder) {
    std::vector<std::string> descriptions;
    for (const FileFilterChoice& choice : choices) descriptions.push_back(choice.description);
    EXPECT_EQ(descriptions, (std::vector<std::string>{
                                "所有支持的电影", "电影文件(*.avi、*.rmvb等)", "图片文件(*.jpg等)",
                                "Flash动画(*.swf)", "音频文件(*.mp3等，不推荐)", "所有文件(*.*)"}));
}

TEST_F(AddMovieFilterTest, TheFirstChoiceIsTheMoviesThenFlashThenPictures) {
    ASSERT_EQ(choices.size(), 6u);
    ASSERT_EQ(choices[0].patterns.size(), 33u);
    ASSERT_EQ(choices[1].patterns.size(), 26u);
    std::vector<std::string> expected = choices[1].patterns;
    expected.push_back("*.swf");
    expected.insert(expected.end(), choices[2].patterns.begin(), choices[2].patterns.end());
    EXPECT_EQ(choices[0].patterns, expected);
    EXPECT_EQ(choices[0].patterns.front(), "*.wmv");
    EXPECT_EQ(choices[0].patterns.back(), "*.jpeg");
    EXPECT_EQ(choices[1].patterns.back(), "*.mp4");
}

TEST_F(AddMovieFilterTest, TheOddMpegPatternKeepsItsStar) {
    ASSERT_EQ(choices.size(), 6u);
    EXPECT_EQ(choices[1].patterns[19], "*.mp2v*");
    EXPECT_EQ(choices[0].patterns[19], "*.mp2v*");
}

TEST_F(AddMovieFilterTest, TheSmallerChoices) {
    ASSERT_EQ(choices.size(), 6u);
    EXPECT_EQ(choices[2].patterns,
              (std::vector<std::string>{"*.bmp", "*.jpg", "*.ico", "*.gif", "*.png", "*.jpeg"}));
    EXPECT_EQ(choices[3].patterns, (std::vector<std::string>{"*.swf"}));
    EXPECT_EQ(choices[4].patterns, (std::vector<std::string>{"*.mp3", "*.wma", "*.mid", "*.midi",
                                                             "*.wav", "*.ra", "*.ram"}));
    EXPECT_EQ(choices[5].patterns, (std::vector<std::string>{"*.*"}));
}

TEST_F(AddMovieFilterTest, TheTextEndsWithoutABar) {
    const std::string text = AddMovieFilterText();
    EXPECT_EQ(text.back(), '*');
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 11);
}

}  // namespace
}  // namespace revuro
