#include "core/flash/FlashProtocol.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

using namespace std::chrono_literals;

// Formats, checks the line is one line, and parses it back without its "\n".
std::optional<FlashCommand> RoundTrip(const FlashCommand& command) {
    const std::string line = FormatFlashCommand(command);
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    return ParseFlashCommand(std::string_view(line).substr(0, line.size() - 1));
}

std::optional<FlashReport> RoundTrip(const FlashReport& report) {
    const std::string line = FormatFlashReport(report);
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    return ParseFlashReport(std::string_view(line).substr(0, line.size() - 1));
}

TEST(FlashProtocol, AnyPathSurvivesTheLine) {
    const std::string paths[] = {"/media/a.swf", "/media/两个 空格  .swf", "/m/line\nbreak%41.swf",
                                 "/m/\r\t\x7f.swf"};
    for (const std::string& path : paths) {
        const FlashCommand load = FlashCommand::Load(18446744073709551615u, path);
        const auto parsed = RoundTrip(load);
        ASSERT_TRUE(parsed) << path;
        EXPECT_EQ(parsed->kind, FlashCommand::Kind::Load);
        EXPECT_EQ(parsed->id, load.id);
        EXPECT_EQ(parsed->path, path);
    }
    EXPECT_EQ(FormatFlashCommand(FlashCommand::Load(3, "/a b/50%.swf")), "load 3 /a b/50%25.swf\n");
}

TEST(FlashProtocol, CommandsRoundTrip) {
    const auto on = RoundTrip(FlashCommand::Hold(true));
    ASSERT_TRUE(on);
    EXPECT_EQ(on->kind, FlashCommand::Kind::Hold);
    EXPECT_TRUE(on->held);
    EXPECT_FALSE(RoundTrip(FlashCommand::Hold(false))->held);
    EXPECT_EQ(RoundTrip(FlashCommand::Stop())->kind, FlashCommand::Kind::Stop);
    const auto volume = RoundTrip(FlashCommand::Volume(50));
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->kind, FlashCommand::Kind::Volume);
    EXPECT_EQ(volume->volume, 50);
}

TEST(FlashProtocol, ReportsRoundTrip) {
    const FlashReport loaded = FlashReport::Loaded(7, FlashTiming{2500ms, true});
    EXPECT_EQ(FormatFlashReport(loaded), "loaded 7 2500 1\n");
    const auto parsed = RoundTrip(loaded);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->id, 7u);
    EXPECT_EQ(parsed->timing.passTime, 2500ms);
    EXPECT_TRUE(parsed->timing.passSignal);

    const auto pass = RoundTrip(FlashReport::PassEnded(8));
    ASSERT_TRUE(pass);
    EXPECT_EQ(pass->kind, FlashReport::Kind::PassEnded);
    EXPECT_EQ(pass->id, 8u);
    const auto failed = RoundTrip(FlashReport::Failed(9, "not a Flash movie\nat all"));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->kind, FlashReport::Kind::Failed);
    EXPECT_EQ(failed->reason, "not a Flash movie\nat all");
    const auto unavailable = RoundTrip(FlashReport::Unavailable("no files"));
    ASSERT_TRUE(unavailable);
    EXPECT_EQ(unavailable->kind, FlashReport::Kind::Unavailable);
    EXPECT_EQ(unavailable->reason, "no files");
}

TEST(FlashProtocol, MalformedLinesAreRefused) {
    for (const char* line : {"", "load", "load 1", "load x /a.swf", "load 1 ", "load 1 /a%4",
                             "load 1 /a%G0", "load 1 /a\tb", "stop now", "hold", "hold maybe",
                             "volume 101", "volume -1", "volume", "play"})
        EXPECT_FALSE(ParseFlashCommand(line)) << line;
    for (const char* line :
         {"", "loaded", "loaded 1", "loaded 1 100", "loaded 1 -5 1", "loaded 1 100 2", "pass",
          "pass 1 2", "failed 1", "failed x why", "unavailable", "done 1"})
        EXPECT_FALSE(ParseFlashReport(line)) << line;
}

}  // namespace
}  // namespace revuro
