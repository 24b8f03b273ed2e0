#include "core/config/MovieList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/PlaylistFile.h"

namespace revuro {
namespace {

TEST(FoldCaseTest, AsciiCapitalsBecomeSmall) {
    EXPECT_EQ(FoldCase("D:\\Movies\\A.AVI"), "d:\\movies\\a.avi");
    EXPECT_EQ(FoldCase("[@Z`z{]"), "[@z`z{]");
}

TEST(FoldCaseTest, LatinOneWithoutTheMultiplicationSign) {
    EXPECT_EQ(FoldCase("ÉÀÖØÞ"), "éàöøþ");
    EXPECT_EQ(FoldCase("×ß÷"), "×ß÷");
}

TEST(FoldCaseTest, LatinExtendedA) {
    EXPECT_EQ(FoldCase("ĀČĹŁŇŊŒŸŹŽ"), "āčĺłňŋœÿźž");
    EXPECT_EQ(FoldCase("İ"), "i");
    EXPECT_EQ(FoldCase("āčĺłňŋœÿźžıĸ"), "āčĺłňŋœÿźžıĸ");
}

TEST(FoldCaseTest, Greek) {
    EXPECT_EQ(FoldCase("ΑΒΓΣΩΆΈΌΏ"), "αβγσωάέόώ");
    EXPECT_EQ(FoldCase("ς"), "σ");
}

TEST(FoldCaseTest, Cyrillic) {
    EXPECT_EQ(FoldCase("ЖЁЂЯ"), "жёђя");
    EXPECT_EQ(FoldCase("ѠҐӁӐԀ"), "ѡґӂӑԁ");
    EXPECT_EQ(FoldCase("Ӏ"), "ӏ");
}

TEST(FoldCaseTest, FullWidthLatin) { EXPECT_EQ(FoldCase("ＡＢＺａ"), "ａｂｚａ"); }

TEST(FoldCaseTest, ChineseAndBrokenBytesStayAsTheyAre) {
    EXPECT_EQ(FoldCase("电影😀"), "电影😀");
    EXPECT_EQ(FoldCase("A\xff\xc3"), "a\xff\xc3");
}

TEST(FoldCaseTest, ShorterLowerCasesLeaveNothingBehind) {
    // İ takes two bytes and i one: the folded text is shorter than the row.
    EXPECT_EQ(FoldCase("İİİ/Movie İ.AVI"), "iii/movie i.avi");
    EXPECT_EQ(FoldCase("İ\xe7\x94"), std::string("i\xe7\x94"));
    EXPECT_EQ(FoldCase(""), "");
}

class MovieListTest : public ::testing::Test {
  protected:
    MovieList list;
};

TEST_F(MovieListTest, EmptyListHoldsNothing) {
    EXPECT_FALSE(list.HasRowBeginningWith("D:\\m\\a.avi"));
    EXPECT_FALSE(list.HasRowBeginningWith(""));
}

TEST_F(MovieListTest, ARowIsFoundIgnoringCase) {
    list.Append("D:\\Movies\\Été.AVI");
    EXPECT_TRUE(list.HasRowBeginningWith("d:\\movies\\été.avi"));
    EXPECT_TRUE(list.HasRowBeginningWith("D:\\MOVIES\\ÉTÉ.AVI"));
    EXPECT_FALSE(list.HasRowBeginningWith("D:\\Movies\\Ete.avi"));
}

TEST_F(MovieListTest, NonLatinScriptsIgnoreCaseToo) {
    list.Append("/фильмы/Ёлка.mp4");
    list.Append("/ταινίες/ΣΟΦΊΑ.avi");
    list.Append("/ｍｏｖｉｅ/ＡＢＣ.mp4");
    EXPECT_TRUE(list.HasRowBeginningWith("/ФИЛЬМЫ/ёлка.MP4"));
    EXPECT_TRUE(list.HasRowBeginningWith("/ΤΑΙΝΊΕΣ/σοφία.avi"));
    EXPECT_TRUE(list.HasRowBeginningWith("/ＭＯＶＩＥ/ａｂｃ.mp4"));
}

TEST_F(MovieListTest, ATextThatBeginsARowCountsAsPresent) {
    list.Append("D:\\m\\a.avi.mp4");
    EXPECT_TRUE(list.HasRowBeginningWith("D:\\m\\a.avi"));
    EXPECT_TRUE(list.HasRowBeginningWith("d:\\M\\A.AVI"));
}

TEST_F(MovieListTest, ARowThatBeginsTheTextIsNoMatch) {
    list.Append("D:\\m\\a.avi");
    EXPECT_FALSE(list.HasRowBeginningWith("D:\\m\\a.avi.mp4"));
}

TEST_F(MovieListTest, EveryRowIsExamined) {
    for (const char* row : {"/z/last.avi", "/a/first.avi", "/m/middle.avi"}) list.Append(row);
    EXPECT_TRUE(list.HasRowBeginningWith("/A/FIRST"));
    EXPECT_TRUE(list.HasRowBeginningWith("/M/MIDDLE"));
    EXPECT_TRUE(list.HasRowBeginningWith("/Z/LAST"));
    EXPECT_FALSE(list.HasRowBeginningWith("/b"));
}

TEST_F(MovieListTest, RowsKeepTheirOrderAndText) {
    list.Append("/b.avi");
    list.Append("/A.avi");
    list.Append("/b.avi");
    EXPECT_EQ(list.rows(), (std::vector<std::string>{"/b.avi", "/A.avi", "/b.avi"}));
}

TEST_F(MovieListTest, ClearForgetsTheIndexToo) {
    list.Append("/a.avi");
    list.Clear();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.HasRowBeginningWith("/a"));
}

TEST_F(MovieListTest, AssignReplacesRowsAndIndex) {
    list.Append("/old.avi");
    list.Assign({"/new.avi", "/new.avi"});
    EXPECT_EQ(list.size(), 2u);
    EXPECT_FALSE(list.HasRowBeginningWith("/old"));
    EXPECT_TRUE(list.HasRowBeginningWith("/NEW"));
}

TEST_F(MovieListTest, AFullListTakesNoMoreRows) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < kMaxPlaylistRows; ++i) rows.push_back("/m/" + std::to_string(i));
    list.Assign(rows);
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.Append("/other.avi"));
    EXPECT_EQ(list.size(), kMaxPlaylistRows);
    EXPECT_FALSE(list.HasRowBeginningWith("/other"));
}

TEST_F(MovieListTest, AssignKeepsOnlyWhatFits) {
    std::vector<std::string> rows(kMaxPlaylistRows + 3, "/same.avi");
    rows.back() = "/last.avi";
    list.Assign(rows);
    EXPECT_EQ(list.size(), kMaxPlaylistRows);
    EXPECT_FALSE(list.HasRowBeginningWith("/last"));
}

TEST_F(MovieListTest, AppendUnlessListedRefusesRowsThatBeginAListedRowInAnyCase) {
    EXPECT_EQ(list.AppendUnlessListed("D:\\Movies\\Été.avi.mp4"), MovieList::AddResult::Added);
    EXPECT_EQ(list.AppendUnlessListed("d:\\movies\\ÉTÉ.AVI"), MovieList::AddResult::Listed);
    EXPECT_EQ(list.AppendUnlessListed("D:\\Movies\\Été.avi.mkv"), MovieList::AddResult::Added);
    EXPECT_EQ(list.rows(),
              (std::vector<std::string>{"D:\\Movies\\Été.avi.mp4", "D:\\Movies\\Été.avi.mkv"}));
    // Both rows are found afterwards, wherever in the index they went.
    EXPECT_TRUE(list.HasRowBeginningWith("D:\\MOVIES\\été.avi.m"));
    EXPECT_TRUE(list.HasRowBeginningWith("d:\\movies\\été.avi.mkv"));
}

TEST_F(MovieListTest, AppendUnlessListedOnAFullListReportsListedBeforeFull) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < kMaxPlaylistRows; ++i) rows.push_back("/m/" + std::to_string(i));
    list.Assign(rows);
    EXPECT_EQ(list.AppendUnlessListed("/M/1"), MovieList::AddResult::Listed);
    EXPECT_EQ(list.AppendUnlessListed("/m/new"), MovieList::AddResult::Full);
    EXPECT_EQ(list.size(), kMaxPlaylistRows);
    EXPECT_FALSE(list.HasRowBeginningWith("/m/new"));
}

TEST_F(MovieListTest, ReorderMovesRowsAndKeepsEveryRowFindable) {
    list.Assign({"/m/a.avi", "/m/b.avi", "/m/a.avi", "/m/c.avi"});
    list.Reorder({3, 0, 2, 1});
    EXPECT_EQ(list.rows(),
              (std::vector<std::string>{"/m/c.avi", "/m/a.avi", "/m/a.avi", "/m/b.avi"}));
    EXPECT_TRUE(list.HasRowBeginningWith("/M/C.AVI"));
    EXPECT_TRUE(list.HasRowBeginningWith("/m/b"));
    EXPECT_FALSE(list.HasRowBeginningWith("/m/d"));
}

TEST_F(MovieListTest, RemovingOneOfTwoEqualRowsKeepsTheOtherFindable) {
    list.Assign({"/m/A.avi", "/m/b.avi", "/m/a.avi"});
    list.Remove(0);
    EXPECT_EQ(list.rows(), (std::vector<std::string>{"/m/b.avi", "/m/a.avi"}));
    EXPECT_TRUE(list.HasRowBeginningWith("/M/A"));
    list.Remove(1);
    EXPECT_FALSE(list.HasRowBeginningWith("/m/a"));
    EXPECT_TRUE(list.HasRowBeginningWith("/m/b"));
    EXPECT_EQ(list.AppendUnlessListed("/m/a.avi"), MovieList::AddResult::Added);
}

TEST_F(MovieListTest, FileBytesGoWhereTheirRowGoes) {
    list.Assign({"/m/a.avi", "/m/\uFFFD\uFFFD.avi", "/m/c.avi"}, {"", "/m/\xB5\xE7.avi", ""});
    list.Append("/m/d.avi");
    list.Reorder({1, 3, 2, 0});
    EXPECT_EQ(list.rawLines(), (std::vector<std::string>{"/m/\xB5\xE7.avi", "", "", ""}));
    list.Remove(0);
    EXPECT_EQ(list.rawLines(), (std::vector<std::string>{"", "", ""}));
}

}  // namespace
}  // namespace revuro
