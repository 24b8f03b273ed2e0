#include "core/startup/XScreenSaverSetup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/Paths.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kProgram = "/usr/lib/revuro/revuro";
const std::string kFile = "timeout: 0:10:00\nprograms: \\\n  maze --root \\n\\\n\n";

class XScreenSaverSetupTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(home.ok()); }
    std::string File() const { return PathBeside(home.path(), ".xscreensaver"); }
    std::string Copy() const { return home.File(".xscreensaver.before-revuro"); }

    TempFolder home;
};

TEST_F(XScreenSaverSetupTest, AddsTheLineOnceAndKeepsTheFileAsItWas) {
    WriteBytes(File(), kFile);
    const SetupReport first = SetUpXScreenSaver(home.path(), kProgram);
    EXPECT_EQ(first.status, 0);
    EXPECT_NE(first.text.find("line 3"), std::string::npos) << first.text;
    EXPECT_EQ(ReadBytes(File()),
              "timeout: 0:10:00\nprograms: \\\n  \"Revuro\"  /usr/lib/revuro/revuro  \\n\\\n"
              "  maze --root \\n\\\n\n");
    EXPECT_EQ(ReadBytes(Copy()), kFile);

    const std::string added = ReadBytes(File());
    const SetupReport second = SetUpXScreenSaver(home.path(), kProgram);
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.text.find("already"), std::string::npos) << second.text;
    EXPECT_EQ(ReadBytes(File()), added);
    EXPECT_EQ(ReadBytes(Copy()), kFile);  // still the file from before the line came
}

TEST_F(XScreenSaverSetupTest, WithoutAFileItSaysHowToMakeOneAndMakesNothing) {
    const SetupReport report = SetUpXScreenSaver(home.path(), kProgram);
    EXPECT_EQ(report.status, 1);
    EXPECT_NE(report.text.find("xscreensaver-settings"), std::string::npos) << report.text;
    EXPECT_NE(report.text.find(File()), std::string::npos) << report.text;
    EXPECT_TRUE(home.Names().empty());
}

TEST_F(XScreenSaverSetupTest, AFileItCannotExtendStaysAsItWasAndTheLineIsShown) {
    for (const std::string& text :
         {std::string("timeout: 0:10:00\n"), std::string("programs: maze --root\n")}) {
        WriteBytes(File(), text);
        const SetupReport report = SetUpXScreenSaver(home.path(), "/opt/my apps/revuro");
        EXPECT_EQ(report.status, 1);
        EXPECT_NE(report.text.find("\"Revuro\"  '/opt/my apps/revuro'  \\n\\"), std::string::npos)
            << report.text;
        EXPECT_EQ(ReadBytes(File()), text);
        EXPECT_EQ(home.Names(), std::set<std::string>{".xscreensaver"});
    }
}

TEST_F(XScreenSaverSetupTest, AProgramPathTheFileCannotCarryChangesNothing) {
    WriteBytes(File(), kFile);
    const SetupReport report = SetUpXScreenSaver(home.path(), "/opt/a\nb/revuro");
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(ReadBytes(File()), kFile);
    EXPECT_EQ(home.Names(), std::set<std::string>{".xscreensaver"});
}

}  // namespace
}  // namespace revuro
