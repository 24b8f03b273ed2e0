#include "core/ReasonText.h"
#include "core/player/ListCursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/player/PlayerFakes.h"

namespace revuro {
namespace {

class ListCursorTest : public ::testing::Test {
  protected:
    // Every step of one walk: the item's target, or the problem of a bad row.
    std::vector<std::string> Walk(const std::string& top) {
        cursor.Begin({reader.Entry(top, {})}, {});
        std::vector<std::string> steps;
        for (cursor.Restart(); cursor.Current().kind != ListCursor::Kind::End; cursor.Next()) {
            const ListEntry& entry = cursor.Current().entry;
            steps.push_back(entry.problem ? ReasonText(*entry.problem) : entry.target);
        }
        return steps;
    }

    testing::FakeMediaFiles files;
    NarrowCodec codec{"UTF-8"};
    PlaylistReader reader{files, codec, PathRules('/')};
    ListCursor cursor{reader};
};

TEST_F(ListCursorTest, ListNamedTwiceIsWalkedTwiceButACycleOnlyOnce) {
    files.files["/l/a.m3u8"] = "1.avi\nb.m3u8\nb.m3u8\n";
    files.files["/l/b.m3u8"] = "2.avi\n./a.m3u8\n";
    EXPECT_EQ(Walk("/l/a.m3u8"), (std::vector<std::string>{"/l/1.avi", "/l/2.avi", "列表包含自身",
                                                           "/l/2.avi", "列表包含自身"}));
}

TEST_F(ListCursorTest, NestingIsBounded) {
    for (int i = 0; i < 20; ++i)
        files.files["/l/" + std::to_string(i) + ".m3u8"] = std::to_string(i + 1) + ".m3u8\n";
    EXPECT_EQ(Walk("/l/0.m3u8"), std::vector<std::string>{"列表嵌套太深"});
}

}  // namespace
}  // namespace revuro
