#include "core/flash/SwfMovie.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/flash/SwfExpand.h"
#include "support/SwfWriter.h"

namespace revuro {
namespace {

using testing::SwfPacking;
using testing::SwfRecipe;
using testing::WriteSwf;

constexpr const char* kPassUrl = "pass";

SwfRecipe Animation() {
    SwfRecipe recipe;
    recipe.width = 640;
    recipe.height = 360;
    recipe.frameRate = 12.5;
    recipe.frames = 25;
    recipe.square = true;
    return recipe;
}

// The codes of the top-level tags of an uncompressed movie, in order.
std::vector<int> TagCodes(const std::string& movie) {
    const unsigned bits = static_cast<unsigned char>(movie[8]) >> 3;
    std::size_t at = 8 + (5 + 4 * bits + 7) / 8 + 4;
    std::vector<int> codes;
    while (at + 2 <= movie.size()) {
        const unsigned word = static_cast<unsigned char>(movie[at]) |
                              (static_cast<unsigned char>(movie[at + 1]) << 8);
        std::size_t length = word & 0x3f, start = at + 2;
        if (length == 0x3f) {
            length = 0;
            for (int i = 0; i < 4; ++i)
                length |= static_cast<std::size_t>(static_cast<unsigned char>(movie[start + i]))
                          << (8 * i);
            start += 4;
        }
        codes.push_back(static_cast<int>(word >> 6));
        at = start + length;
    }
    return codes;
}

std::uint32_t LengthField(const std::string& movie) {
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(movie[4 + i])) << (8 * i);
    return length;
}

class SwfMovieTest : public ::testing::TestWithParam<SwfPacking> {};

TEST_P(SwfMovieTest, ReadsTheHeaderWhateverTheStorage) {
    const auto movie = SwfMovie::Read(WriteSwf(Animation(), GetParam()));
    ASSERT_TRUE(movie) << movie.error().reason;
    const SwfHeader& header = movie.value().header();
    EXPECT_EQ(header.compression, GetParam() == SwfPacking::Plain  ? SwfCompression::None
                                  : GetParam() == SwfPacking::Zlib ? SwfCompression::Zlib
                                                                   : SwfCompression::Lzma);
    EXPECT_EQ(header.version, 10);
    EXPECT_EQ(header.stageWidth, 640);
    EXPECT_EQ(header.stageHeight, 360);
    EXPECT_DOUBLE_EQ(header.frameRate, 12.5);
    EXPECT_EQ(header.frameCount, 25);
    EXPECT_FALSE(header.actionScript3);
    EXPECT_TRUE(movie.value().complete());
    EXPECT_DOUBLE_EQ(movie.value().PassSeconds(), 2.0);
    EXPECT_TRUE(movie.value().CanSignalPasses());
}

TEST_P(SwfMovieTest, AFileCutShortPlaysWithoutASignal) {
    const std::string whole = WriteSwf(Animation(), GetParam());
    const auto movie = SwfMovie::Read(whole.substr(0, whole.size() * 3 / 4));
    ASSERT_TRUE(movie) << movie.error().reason;
    EXPECT_EQ(movie.value().header().frameCount, 25);
    EXPECT_FALSE(movie.value().complete());
    EXPECT_FALSE(movie.value().CanSignalPasses());
}

TEST_P(SwfMovieTest, AFileCutInsideItsHeaderIsRefused) {
    const std::string whole = WriteSwf(Animation(), GetParam());
    for (const std::size_t size : {std::size_t{3}, std::size_t{9}, std::size_t{14}}) {
        const auto movie = SwfMovie::Read(whole.substr(0, size));
        ASSERT_FALSE(movie) << size;
        EXPECT_EQ(movie.error().reason, "the file ends inside its header") << size;
    }
}

TEST_P(SwfMovieTest, ThePassSignalGoesBeforeTheEndOfTheLastFrame) {
    SwfRecipe recipe = Animation();
    recipe.frames = 3;
    recipe.square = false;
    const auto movie = SwfMovie::Read(WriteSwf(recipe, GetParam()));
    ASSERT_TRUE(movie);
    const std::string signalled = movie.value().WithPassSignal(kPassUrl);
    EXPECT_EQ(signalled.substr(0, 3), "FWS");
    EXPECT_EQ(LengthField(signalled), signalled.size());
    // FileAttributes, SetBackgroundColor, three frames with the action in the last, End.
    EXPECT_EQ(TagCodes(signalled), (std::vector<int>{69, 9, 1, 1, 12, 1, 0}));
    // loadVariablesNum("pass", 0): push the URL and the level, GetURL2 loading variables.
    const std::string actions(
        "\x96\x0f\x00"
        "\0pass\0"
        "\0_level0\0"
        "\x9a\x01\x00\x80"
        "\0",
        23);
    EXPECT_NE(signalled.find(actions), std::string::npos);

    const auto again = SwfMovie::Read(signalled);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value().header().frameCount, 3);
    EXPECT_TRUE(again.value().complete());
}

INSTANTIATE_TEST_SUITE_P(Storage, SwfMovieTest,
                         ::testing::Values(SwfPacking::Plain, SwfPacking::Zlib, SwfPacking::Lzma));

TEST(SwfMovieRead, RefusesWhatIsNoFlashMovie) {
    EXPECT_EQ(SwfMovie::Read("").error().reason, "the file is empty");
    EXPECT_EQ(SwfMovie::Read("GIF89a\x01\x00\x01\x00").error().reason, "not a Flash movie");
    EXPECT_EQ(SwfMovie::Read("fws\x0a\x10\x00\x00\x00").error().reason, "not a Flash movie");
}

TEST(SwfMovieRead, WhatShowsNoFrameIsRefused) {
    SwfRecipe recipe = Animation();
    recipe.getUrls.push_back({1, "http://127.0.0.1/" + std::string(200, 'x'), "_blank"});
    const std::string movie = WriteSwf(recipe);
    const std::size_t header = 21;  // signature to frame count, for a 640 x 360 stage
    const std::string cases[] = {
        movie.substr(0, movie.find("http://") + 20),  // cut inside the first frame
        movie.substr(0, header) + std::string(6, '\xff') + std::string(100, 'x'),  // no tags
    };
    for (const std::string& bytes : cases) {
        const auto read = SwfMovie::Read(bytes);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error().reason, "the movie holds no frame");
    }
}

TEST(SwfMovieRead, ADamagedStreamGivesWhatCameBefore) {
    std::string movie = WriteSwf(Animation(), SwfPacking::Zlib);
    for (std::size_t i = movie.size() / 2; i < movie.size() / 2 + 16; ++i) movie[i] = '\xa5';
    const auto read = SwfMovie::Read(movie);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value().header().frameCount, 25);
    EXPECT_FALSE(read.value().complete());
}

TEST(SwfMovieRead, ActionScript3MoviesRunNoFrameActions) {
    SwfRecipe recipe = Animation();
    recipe.actionScript3 = true;
    const auto movie = SwfMovie::Read(WriteSwf(recipe));
    ASSERT_TRUE(movie);
    EXPECT_TRUE(movie.value().header().actionScript3);
    EXPECT_FALSE(movie.value().CanSignalPasses());
}

TEST(SwfMovieRead, NoSignalWhereTheMovieCannotCarryOne) {
    SwfRecipe flash3 = Animation();
    flash3.version = 3;
    flash3.fileAttributes = false;
    EXPECT_FALSE(SwfMovie::Read(WriteSwf(flash3)).value().CanSignalPasses());

    SwfRecipe one = Animation();
    one.frames = 1;
    EXPECT_FALSE(SwfMovie::Read(WriteSwf(one)).value().CanSignalPasses());

    SwfRecipe claimsMore = Animation();
    claimsMore.headerFrames = 30;
    EXPECT_FALSE(SwfMovie::Read(WriteSwf(claimsMore)).value().CanSignalPasses());

    SwfRecipe noEnd = Animation();
    noEnd.endTag = false;
    EXPECT_FALSE(SwfMovie::Read(WriteSwf(noEnd)).value().CanSignalPasses());
}

TEST(SwfMovieRead, TheHeaderCountDecidesWhichFrameIsLast) {
    SwfRecipe recipe = Animation();
    recipe.square = false;
    recipe.frames = 4;
    recipe.headerFrames = 2;
    // A long action tag before the signal: the reader follows long tag headers.
    recipe.getUrls.push_back({1, "http://127.0.0.1/" + std::string(100, 'x'), "_blank"});
    const auto movie = SwfMovie::Read(WriteSwf(recipe));
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie.value().CanSignalPasses());
    EXPECT_EQ(TagCodes(movie.value().WithPassSignal(kPassUrl)),
              (std::vector<int>{69, 9, 12, 1, 12, 1, 1, 1, 0}));
}

TEST(SwfMovieRead, AnOpenFrameRateHasNoPassTime) {
    SwfRecipe recipe = Animation();
    recipe.frameRate = 0;
    EXPECT_DOUBLE_EQ(SwfMovie::Read(WriteSwf(recipe)).value().PassSeconds(), 0.0);
}

TEST(SwfExpand, StopsAtTheLimit) {
    const std::string movie = WriteSwf(Animation(), SwfPacking::Zlib);
    const auto expanded = ExpandSwf(movie, 10);
    ASSERT_TRUE(expanded);
    EXPECT_EQ(expanded.value().bytes.size(), 18u);
    EXPECT_EQ(LengthField(expanded.value().bytes), 18u);
    EXPECT_FALSE(expanded.value().whole);
    EXPECT_TRUE(ExpandSwf(movie, 1 << 20).value().whole);
}

TEST(SwfExpand, BytesPastTheDeclaredLengthAreNotTheMovies) {
    const std::string movie = WriteSwf(Animation());
    const auto expanded = ExpandSwf(movie + "trailing", 1 << 20);
    ASSERT_TRUE(expanded);
    EXPECT_EQ(expanded.value().bytes, movie);
    EXPECT_TRUE(expanded.value().whole);
}

}  // namespace
}  // namespace revuro
