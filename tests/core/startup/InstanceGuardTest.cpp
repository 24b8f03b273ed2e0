#include "core/startup/InstanceGuard.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace revuro {
namespace {

// The desktop as the guard sees it: whether another instance runs, and the titles it has.
class FakeInstanceQuery : public InstanceQuery {
  public:
    bool AnotherInstanceRunning() const override { return anotherInstance; }
    bool TopLevelWindowExists(const std::string& title) const override {
        asked.push_back(title);
        return titles.count(title) > 0;
    }

    bool anotherInstance = false;
    std::set<std::string> titles;
    mutable std::vector<std::string> asked;
};

class CheckPrevInstanceTest : public ::testing::Test {
  protected:
    FakeInstanceQuery desktop;
};

TEST_F(CheckPrevInstanceTest, NoOtherInstanceContinuesWithoutSearchingWindows) {
    desktop.titles = {kSaverTitle};  // even a stray window of that title does not count
    EXPECT_FALSE(CheckPrevInstance(desktop));
    EXPECT_TRUE(desktop.asked.empty());
}

TEST_F(CheckPrevInstanceTest, OtherInstanceWithoutSaverWindowContinues) {
    desktop.anotherInstance = true;
    desktop.titles = {"DavodoR2.03设置"};
    EXPECT_FALSE(CheckPrevInstance(desktop));
    EXPECT_EQ(desktop.asked, std::vector<std::string>{"DavodoR2.0"});
}

TEST_F(CheckPrevInstanceTest, RunningSaverEndsTheNewOne) {
    desktop.anotherInstance = true;
    desktop.titles = {"DavodoR2.0"};
    EXPECT_TRUE(CheckPrevInstance(desktop));
}

TEST_F(CheckPrevInstanceTest, RunningPreviewDoesNotCount) {
    desktop.anotherInstance = true;
    desktop.titles = {kPreviewTitle};
    EXPECT_FALSE(CheckPrevInstance(desktop));
    EXPECT_EQ(desktop.asked, std::vector<std::string>{"DavodoR2.0"});
}

TEST(InstanceGuardTitlesTest, AreTheSystemsOwn) {
    EXPECT_STREQ(kSaverTitle, "DavodoR2.0");
    EXPECT_STREQ(kPreviewTitle, "DavodoR2.0 预览");
}

}  // namespace
}  // namespace revuro
