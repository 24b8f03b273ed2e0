#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/startup/CommandLine.h"

namespace revuro {
namespace {

TEST(ParseWindowIdTest, ReadsHexWithEitherPrefix) {
    EXPECT_EQ(ParseWindowId("0x1200007"), 0x1200007u);
    EXPECT_EQ(ParseWindowId("0X1200007"), 0x1200007u);
    EXPECT_EQ(ParseWindowId("0xaBcDeF"), 0xabcdefu);
    EXPECT_EQ(ParseWindowId("0x00000001"), 1u);
}

TEST(ParseWindowIdTest, ReadsDecimal) {
    EXPECT_EQ(ParseWindowId("18874375"), 18874375u);
    EXPECT_EQ(ParseWindowId("0042"), 42u);
    EXPECT_EQ(ParseWindowId("  4660 "), 4660u);
}

TEST(ParseWindowIdTest, HoldsThirtyTwoBitsAndNoMore) {
    EXPECT_EQ(ParseWindowId("0xffffffff"), 0xffffffffu);
    EXPECT_EQ(ParseWindowId("4294967295"), 0xffffffffu);
    EXPECT_EQ(ParseWindowId("0x100000000"), std::nullopt);
    EXPECT_EQ(ParseWindowId("4294967296"), std::nullopt);
    EXPECT_EQ(ParseWindowId("0x1000000000000000000000001"), std::nullopt);
}

TEST(ParseWindowIdTest, RefusesTextsThatAreNoWindow) {
    for (const char* bad : {"", "   ", "0x", "0X", "0", "0x0", "abc", "12ab", "0x12g4", "-5", "+5",
                            "0x-5", "1 2", "x12", "0b101", "1e3"}) {
        EXPECT_EQ(ParseWindowId(bad), std::nullopt) << '"' << bad << '"';
    }
}

class SaverHostWindowTest : public ::testing::Test {
  protected:
    static std::optional<std::uint32_t> HostOf(const std::vector<std::string>& args,
                                               const char* variable = nullptr) {
        Result<std::optional<std::uint32_t>> host = SaverHostWindow(args, variable);
        EXPECT_TRUE(host.ok()) << (host.ok() ? "" : host.error().reason);
        return host.ok() ? host.value() : std::nullopt;
    }
    static std::string ErrorOf(const std::vector<std::string>& args,
                               const char* variable = nullptr) {
        Result<std::optional<std::uint32_t>> host = SaverHostWindow(args, variable);
        EXPECT_FALSE(host.ok());
        return host.ok() ? std::string() : host.error().reason;
    }
};

TEST_F(SaverHostWindowTest, NoOptionAndNoVariableMeansAWindowOfItsOwn) {
    EXPECT_EQ(HostOf({}), std::nullopt);
    EXPECT_EQ(HostOf({"/s"}), std::nullopt);
    EXPECT_EQ(HostOf({"/s"}, ""), std::nullopt);
    EXPECT_EQ(HostOf({"-root"}), std::nullopt);
}

TEST_F(SaverHostWindowTest, OptionAnywhereOnTheCommandLine) {
    EXPECT_EQ(HostOf({"--window-id", "0x1a00003"}), 0x1a00003u);
    EXPECT_EQ(HostOf({"-window-id", "4660"}), 4660u);
    EXPECT_EQ(HostOf({"/s", "--window-id", "0X2C"}), 0x2cu);
    EXPECT_EQ(HostOf({"--window-id", "0x2c", "/s"}), 0x2cu);
    EXPECT_EQ(HostOf({"--WINDOW-ID", "77"}), 77u);
}

TEST_F(SaverHostWindowTest, TheAppendedOptionWinsOverAnEarlierOne) {
    EXPECT_EQ(HostOf({"--window-id", "0x10", "--window-id", "0x20"}), 0x20u);
}

TEST_F(SaverHostWindowTest, VariableNamesTheWindowWhenTheCommandLineDoesNot) {
    EXPECT_EQ(HostOf({}, "0x3e00005"), 0x3e00005u);
    EXPECT_EQ(HostOf({"/s"}, "65011717"), 65011717u);
}

TEST_F(SaverHostWindowTest, CommandLineWinsOverTheVariable) {
    EXPECT_EQ(HostOf({"--window-id", "0x99"}, "0x3e00005"), 0x99u);
}

TEST_F(SaverHostWindowTest, OptionWithoutIdIsAnError) {
    EXPECT_EQ(ErrorOf({"--window-id"}),
              "--window-id needs a window id (0x followed by hex digits, or decimal digits)");
    EXPECT_EQ(ErrorOf({"/s", "-window-id"}),
              "-window-id needs a window id (0x followed by hex digits, or decimal digits)");
}

TEST_F(SaverHostWindowTest, BadIdIsAnErrorNamingTheOptionAndText) {
    EXPECT_EQ(ErrorOf({"--window-id", "zz"}),
              "--window-id: \"zz\" is not a window id (0x followed by hex digits, or decimal "
              "digits)");
    EXPECT_EQ(ErrorOf({"--window-id", "0x"}),
              "--window-id: \"0x\" is not a window id (0x followed by hex digits, or decimal "
              "digits)");
    EXPECT_EQ(ErrorOf({"--window-id", "0"}),
              "--window-id: \"0\" is not a window id (0x followed by hex digits, or decimal "
              "digits)");
    // A good variable does not rescue a bad option: the command line was meant.
    EXPECT_EQ(ErrorOf({"--window-id", "0x1g"}, "0x20"),
              "--window-id: \"0x1g\" is not a window id (0x followed by hex digits, or decimal "
              "digits)");
}

TEST_F(SaverHostWindowTest, BadVariableIsAnErrorNamingTheVariable) {
    EXPECT_EQ(ErrorOf({}, "window"),
              "XSCREENSAVER_WINDOW: \"window\" is not a window id (0x followed by hex digits, or "
              "decimal digits)");
    EXPECT_EQ(ErrorOf({"/s"}, "0x100000000"),
              "XSCREENSAVER_WINDOW: \"0x100000000\" is not a window id (0x followed by hex "
              "digits, or decimal digits)");
}

// The mode decision does not look at the option: a hack started by xscreensaver is a saver.
TEST_F(SaverHostWindowTest, TheOptionLeavesTheModeDecisionAlone) {
    EXPECT_EQ(DecideStartup({"--window-id", "0x20"}).mode, RunMode::Saver);
    EXPECT_EQ(DecideStartup({"/c", "--window-id", "0x20"}).mode, RunMode::Configure);
    EXPECT_EQ(DecideStartup({"/p", "--window-id", "0x20"}).mode, RunMode::Preview);
}

}  // namespace
}  // namespace revuro
