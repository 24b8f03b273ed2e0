#include "core/startup/CommandLine.h"

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

namespace revuro {
namespace {

struct ModeCase {
    std::string name;
    std::vector<std::string> args;
    RunMode mode;
    std::optional<std::int32_t> previewParent;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

class DecideStartupTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(DecideStartupTest, DecidesModeFromTheFirstTwoCharacters) {
    const ModeCase& c = GetParam();
    const StartupDecision decision = DecideStartup(c.args);
    EXPECT_EQ(decision.mode, c.mode);
    EXPECT_EQ(decision.previewParent, c.previewParent);
}

INSTANTIATE_TEST_SUITE_P(
    ModeTable, DecideStartupTest,
    ::testing::Values(
        ModeCase{"Empty", {}, RunMode::Saver, std::nullopt},
        ModeCase{"EmptyArgument", {""}, RunMode::Saver, std::nullopt},
        ModeCase{"SpacesOnly", {"   "}, RunMode::Saver, std::nullopt},
        ModeCase{"LowerCaseConfigure", {"/c"}, RunMode::Configure, std::nullopt},
        ModeCase{"ConfigureWithHandle", {"/C:1234"}, RunMode::Configure, std::nullopt},
        ModeCase{"ConfigureWithSpacedHandle", {"/C", "1234"}, RunMode::Configure, std::nullopt},
        ModeCase{"ConfigureInSpaces", {" /C "}, RunMode::Configure, std::nullopt},
        ModeCase{"ConfigureWord", {"/CONFIG"}, RunMode::Configure, std::nullopt},
        ModeCase{"LowerCaseSaver", {"/s"}, RunMode::Saver, std::nullopt},
        ModeCase{"SaverWord", {"/SAVE"}, RunMode::Saver, std::nullopt},
        ModeCase{"PreviewOneArgument", {"/p 1234"}, RunMode::Preview, 1234},
        ModeCase{"PreviewTwoArguments", {"/p", "1234"}, RunMode::Preview, 1234},
        ModeCase{"PreviewColon", {"/P:4660"}, RunMode::Preview, 4660},
        ModeCase{"PreviewLastRunOfDigits", {"/P", "12", "34"}, RunMode::Preview, 34},
        ModeCase{"PreviewWithoutNumber", {"/P"}, RunMode::Preview, std::nullopt},
        ModeCase{"PreviewTooLarge", {"/P", "2147483648"}, RunMode::Preview, std::nullopt},
        ModeCase{"OtherSwitch", {"/A"}, RunMode::Saver, std::nullopt},
        ModeCase{"DashSwitch", {"-S"}, RunMode::Saver, std::nullopt},
        ModeCase{"UnknownSwitch", {"/X"}, RunMode::Saver, std::nullopt},
        ModeCase{"BareLetter", {"S"}, RunMode::Saver, std::nullopt},
        ModeCase{"DashConfigure", {"-c"}, RunMode::Saver, std::nullopt},
        ModeCase{"SpaceInsideSwitch", {"/", "C"}, RunMode::Saver, std::nullopt},
        ModeCase{"XScreenSaverSetup",
                 {"--xscreensaver-setup"},
                 RunMode::XScreenSaverSetup,
                 std::nullopt},
        ModeCase{"XScreenSaverSetupAnyCase",
                 {" --XScreenSaver-Setup "},
                 RunMode::XScreenSaverSetup,
                 std::nullopt},
        ModeCase{
            "XScreenSaverSetupLonger", {"--xscreensaver-setups"}, RunMode::Saver, std::nullopt},
        ModeCase{"XScreenSaverOnly", {"--xscreensaver"}, RunMode::Saver, std::nullopt},
        ModeCase{"XScreenSaverSetupAfterSwitch",
                 {"/c", "--xscreensaver-setup"},
                 RunMode::Configure,
                 std::nullopt}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST(DecideSetupTest, TheSetupOptionTakesNothingAfterItAndSaysWhatCame) {
    EXPECT_EQ(DecideStartup({"--xscreensaver-setup"}).unexpected, "");
    const StartupDecision decision = DecideStartup({"--xscreensaver-setup", "now", "Please "});
    EXPECT_EQ(decision.mode, RunMode::XScreenSaverSetup);
    EXPECT_EQ(decision.unexpected, "now Please");
    EXPECT_EQ(DecideStartup({"/c", "now"}).unexpected, "");
}

TEST(CommandTextTest, JoinsArgumentsBySpaces) {
    EXPECT_EQ(CommandText({"/p", "1234"}), "/P 1234");
    EXPECT_EQ(CommandText({"/P", "12", "34"}), "/P 12 34");
}

TEST(CommandTextTest, TrimsOnlyOuterSpaces) {
    EXPECT_EQ(CommandText({"  /c  "}), "/C");
    EXPECT_EQ(CommandText({" /p ", " 7 "}), "/P   7");
    EXPECT_EQ(CommandText({"   "}), "");
    EXPECT_EQ(CommandText({}), "");
}

TEST(CommandTextTest, UpperCasesAsciiLettersAndLeavesOtherBytes) {
    EXPECT_EQ(CommandText({"/config"}), "/CONFIG");
    EXPECT_EQ(CommandText({"/s", "电影"}), "/S 电影");
}

TEST(GetTrailingNumberTest, TakesTheLastRunOfDigits) {
    EXPECT_EQ(GetTrailingNumber("/P 1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("/P:1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("/P1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("/P 12 34"), 34);
    EXPECT_EQ(GetTrailingNumber("  /P 1234  "), 1234);
    EXPECT_EQ(GetTrailingNumber("/P 0"), 0);
    EXPECT_EQ(GetTrailingNumber("/P 0042"), 42);
}

TEST(GetTrailingNumberTest, NoTrailingDigitsGivesNothing) {
    EXPECT_EQ(GetTrailingNumber("/P"), std::nullopt);
    EXPECT_EQ(GetTrailingNumber(""), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("   "), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("/P 1234x"), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("/P -"), std::nullopt);
}

TEST(GetTrailingNumberTest, HoldsExactlyThirtyTwoSignedBits) {
    EXPECT_EQ(GetTrailingNumber("2147483647"), 2147483647);
    EXPECT_EQ(GetTrailingNumber("/P 2147483648"), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("2147483648"), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(GetTrailingNumber("00000000000000000000001"), 1);
}

TEST(GetTrailingNumberTest, MinusSignNeverMakesItNegative) {
    EXPECT_EQ(GetTrailingNumber("-1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("/P -1234"), 1234);
    EXPECT_EQ(GetTrailingNumber("/P:-2147483648"), std::nullopt);
}

TEST(GetTrailingNumberTest, LeavesTheCallersTextAlone) {
    const std::string text = "  /P 1234  ";
    EXPECT_EQ(GetTrailingNumber(text), 1234);
    EXPECT_EQ(text, "  /P 1234  ");
}

}  // namespace
}  // namespace revuro
