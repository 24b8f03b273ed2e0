#include "core/startup/XScreenSaverPrograms.h"

#include <gtest/gtest.h>

#include <string>

namespace revuro {
namespace {

// The shape of the file as xscreensaver's settings program writes it.
const std::string kWritten =
    "# XScreenSaver Preferences File\n"
    "textProgram:\tfortune\n"
    "settingsGeom:\t0,0 -1,-1\n"
    "\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\\\n"
    "\n"
    "\n"
    "pointerHysteresis:  10\n";
const std::string kEntry = "  \"Revuro\"  /usr/lib/revuro/revuro  \\n\\";

using Addition = XScreenSaverPrograms::Addition;

Addition Added(const std::string& text, const std::string& command = "/usr/lib/revuro/revuro") {
    Result<Addition> result = XScreenSaverPrograms::AddRevuro(text, command);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().reason);
    return result.ok() ? std::move(result).value() : Addition{};
}

TEST(XScreenSaverProgramsTest, AddsOneLineFirstInTheListAndLeavesEveryOtherByteAsItWas) {
    const Addition addition = Added(kWritten);
    EXPECT_TRUE(addition.added);
    EXPECT_EQ(addition.line, 6u);
    const std::size_t at = kWritten.find("\t\t\t\tmaze");
    EXPECT_EQ(addition.text, kWritten.substr(0, at) + kEntry + "\n" + kWritten.substr(at));
}

TEST(XScreenSaverProgramsTest, AddsNothingTheSecondTime) {
    const Addition second = Added(Added(kWritten).text);
    EXPECT_FALSE(second.added);
    EXPECT_EQ(second.line, 6u);
    EXPECT_EQ(second.text, Added(kWritten).text);
}

TEST(XScreenSaverProgramsTest, FindsRevuroInEveryFormOfEntryAndOnlyThere) {
    const std::string head = "programs:  \\\n  maze --root \\n\\\n";
    for (const char* entry : {"- GL: \"Revuro\" /opt/x/revuro --root \\n\\", "  revuro  \\n\\",
                              "  '/home/u/my apps/revuro' /s \\n\\",
                              "  xscreensaver-xx \\n  \"R\" /usr/bin/revuro \\n\\",
                              "-\t\t\t\t\"Revuro\"  /usr/bin/revuro\t\t\t    \\n"}) {
        const Addition addition = Added(head + entry + "\n\n");
        EXPECT_FALSE(addition.added) << entry;
        EXPECT_EQ(addition.line, 3u) << entry;
    }
    EXPECT_FALSE(Added("programs: revuro /s\n").added);
    for (const char* entry :
         {"  revurox \\n\\", "  /opt/revuro/other \\n\\", "  \"revuro\" maze \\n\\"}) {
        EXPECT_TRUE(Added(head + entry + "\n\n").added) << entry;
    }
}

TEST(XScreenSaverProgramsTest, OnlyTheSettingItselfCountsNotCommentsOrOtherValues) {
    const std::string text =
        "# programs: revuro\n"
        "textProgram: echo \\\n"
        "programs: revuro\n"
        "programs: \\\n"
        "  maze \\n\n";
    const Addition addition = Added(text);
    EXPECT_TRUE(addition.added);
    EXPECT_EQ(addition.line, 5u);
}

TEST(XScreenSaverProgramsTest, AFileWithoutAListOrWithAOneLineListIsRefusedUnchanged) {
    EXPECT_FALSE(XScreenSaverPrograms::AddRevuro("timeout: 0:10:00\n", "/usr/bin/revuro").ok());
    EXPECT_FALSE(XScreenSaverPrograms::AddRevuro("", "/usr/bin/revuro").ok());
    const Result<Addition> oneLine =
        XScreenSaverPrograms::AddRevuro("programs: maze --root\n", "/usr/bin/revuro");
    ASSERT_FALSE(oneLine.ok());
    EXPECT_NE(oneLine.error().reason.find("one line"), std::string::npos);
}

TEST(XScreenSaverProgramsTest, AListThatEndsTheFileGetsTheLineAfterIt) {
    EXPECT_EQ(Added("programs: \\").text, "programs: \\\n" + kEntry + "\n");
}

TEST(XScreenSaverProgramsTest, CommandsAreQuotedForTheShellOnlyWhenTheyNeedIt) {
    EXPECT_EQ(XScreenSaverPrograms::CommandFor("/usr/lib/revuro/revuro").value(),
              "/usr/lib/revuro/revuro");
    EXPECT_EQ(XScreenSaverPrograms::CommandFor("/home/u/my apps/屏保/revuro").value(),
              "'/home/u/my apps/屏保/revuro'");
    EXPECT_EQ(XScreenSaverPrograms::CommandFor("/home/u/it's/revuro").value(),
              "'/home/u/it'\\''s/revuro'");
    for (const char* path : {"/home/u/a\nb/revuro", "/home/u/a\\b/revuro", "/a\tb"}) {
        const Result<std::string> command = XScreenSaverPrograms::CommandFor(path);
        EXPECT_FALSE(command.ok()) << path;
    }
}

}  // namespace
}  // namespace revuro
