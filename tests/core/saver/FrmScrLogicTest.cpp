#include "core/saver/FrmScrLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "core/saver/Fakes.h"
#include "support/MemorySettingsStore.h"

namespace revuro {
namespace {

using testing::CallLog;
using testing::FakeFrmScrView;
using testing::FakeMediaPlayer;
using testing::MemorySettingsStore;
using testing::Terminated;

constexpr const char* kFolder = "/opt/revuro";
constexpr const char* kPlaylist = "/opt/revuro/varariv.m3u";
constexpr const char* kPicture = "/opt/revuro/first.bmp";

class FrmScrLogicTest : public ::testing::Test {
  protected:
    // The saver window's logic in `mode`, with `playlistOpens` as the answer of the file probe.
    FrmScrLogic& Make(RunMode mode, bool playlistOpens = true, std::string folder = kFolder) {
        playlistOpens_ = playlistOpens;
        const std::string playlist = PathBeside(folder, "varariv.m3u", '/');
        logic = std::make_unique<FrmScrLogic>(
            mode, std::move(folder), playlist, player, settings, view,
            [this](const std::string& path) {
                probed.push_back(path);
                return playlistOpens_;
            },
            '/');
        player.SetEventSink(logic.get());
        return *logic;
    }

    // Loaded and with the log cleared, so a test sees only what follows.
    FrmScrLogic& Loaded(RunMode mode) {
        Make(mode).Form_Load();
        log.clear();
        return *logic;
    }

    void SetLoop(const std::string& value) {
        settings.values[{"DavodoR2.0", "选项设置", "顺序播放"}] = value;
    }

    long Plays() const { return std::count(log.begin(), log.end(), "Play"); }

    // One pass over the list that played something and ended ready.
    void PlayedPass() {
        player.Enter(kTransitioning);
        player.Enter(kPlaying);
        player.Enter(kMediaEnded);
        player.Enter(kReady);
    }

    CallLog log;
    FakeMediaPlayer player{log};
    FakeFrmScrView view{log};
    MemorySettingsStore settings;
    std::vector<std::string> probed;
    std::unique_ptr<FrmScrLogic> logic;

  private:
    bool playlistOpens_ = true;
};

// Loading

TEST_F(FrmScrLogicTest, SaverLoadPlaysThePlaylistBesideTheProgram) {
    Make(RunMode::Saver).Form_Load();
    EXPECT_EQ(probed, std::vector<std::string>{kPlaylist});
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/varariv.m3u",
                            "SetEnableErrorDialogs true"}));
    EXPECT_EQ(player.URL(), kPlaylist);
    EXPECT_TRUE(player.fullScreen);
    EXPECT_TRUE(player.enableErrorDialogs);
}

TEST_F(FrmScrLogicTest, PreviewLoadTurnsFullScreenOff) {
    Make(RunMode::Preview).Form_Load();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/varariv.m3u",
                            "SetFullScreen false", "SetEnableErrorDialogs true"}));
    EXPECT_FALSE(player.fullScreen);
    EXPECT_TRUE(player.enableErrorDialogs);
}

TEST_F(FrmScrLogicTest, ProgramInTheRootFolderGetsOneSeparator) {
    Make(RunMode::Saver, true, "/").Form_Load();
    EXPECT_EQ(player.URL(), "/varariv.m3u");
}

TEST_F(FrmScrLogicTest, SaverWithoutPlaylistShowsThePictureUntested) {
    Make(RunMode::Saver, false).Form_Load();
    EXPECT_EQ(probed, std::vector<std::string>{kPlaylist});  // the picture is never probed
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/first.bmp",
                            "SetEnableErrorDialogs true"}));
    EXPECT_EQ(player.URL(), kPicture);
    EXPECT_TRUE(player.fullScreen);
    EXPECT_TRUE(player.enableErrorDialogs);
}

TEST_F(FrmScrLogicTest, PreviewWithoutPlaylistShowsThePictureInTheWindow) {
    Make(RunMode::Preview, false).Form_Load();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/first.bmp",
                            "SetFullScreen false", "SetEnableErrorDialogs true"}));
    EXPECT_FALSE(player.fullScreen);
}

TEST_F(FrmScrLogicTest, SettingsFailureAfterThePlaylistFallsBackToThePicture) {
    player.failErrorDialogs = 1;
    Make(RunMode::Saver).Form_Load();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/varariv.m3u",
                            "SetEnableErrorDialogs true", "SetURL /opt/revuro/first.bmp",
                            "SetEnableErrorDialogs true"}));
    EXPECT_EQ(player.URL(), kPicture);
    EXPECT_TRUE(player.enableErrorDialogs);
}

TEST_F(FrmScrLogicTest, PlaylistThePlayerRefusesFallsBackToThePicture) {
    player.refusedURL = kPlaylist;
    Make(RunMode::Preview).Form_Load();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "SetURL /opt/revuro/varariv.m3u",
                            "SetURL /opt/revuro/first.bmp", "SetFullScreen false",
                            "SetEnableErrorDialogs true"}));
    EXPECT_EQ(player.URL(), kPicture);
}

// Resizing

TEST_F(FrmScrLogicTest, SaverResizeLeavesAOneTwipStripAndTheControls) {
    Loaded(RunMode::Saver).Form_Resize(4800, 3600);
    EXPECT_EQ(log, CallLog{"SetPlayerSize 4799x3599"});
    EXPECT_EQ(player.uiMode, "full");
}

TEST_F(FrmScrLogicTest, PreviewResizeHidesTheControls) {
    Loaded(RunMode::Preview).Form_Resize(4800, 3600);
    EXPECT_EQ(log, (CallLog{"SetPlayerSize 4799x3599", "SetUiMode none"}));
    EXPECT_EQ(player.uiMode, "none");
}

TEST_F(FrmScrLogicTest, EmptyFormGivesThePlayerNoNegativeSize) {
    Loaded(RunMode::Preview).Form_Resize(0, 0);
    EXPECT_EQ(log, CallLog{"SetUiMode none"});
}

// Play-state changes

TEST_F(FrmScrLogicTest, LoopOnPlaysOnceWhenReady) {
    SetLoop("是");
    Loaded(RunMode::Saver);
    PlayedPass();
    EXPECT_EQ(Plays(), 1);
    EXPECT_EQ(player.URL(), kPlaylist);
}

TEST_F(FrmScrLogicTest, LoopOnPlaysAgainAfterEveryPassThatPlayed) {
    SetLoop("是");
    Loaded(RunMode::Saver);
    PlayedPass();
    PlayedPass();
    PlayedPass();
    EXPECT_EQ(Plays(), 3);
    EXPECT_EQ(player.URL(), kPlaylist);
}

TEST_F(FrmScrLogicTest, LoopAbsentNeverPlays) {
    Loaded(RunMode::Saver);
    PlayedPass();
    EXPECT_EQ(Plays(), 0);
    EXPECT_EQ(player.URL(), kPlaylist);
}

struct LoopValue {
    std::string name;
    std::string value;
};

void PrintTo(const LoopValue& loop, std::ostream* out) { *out << loop.name; }

class LoopOffTest : public FrmScrLogicTest, public ::testing::WithParamInterface<LoopValue> {};

TEST_P(LoopOffTest, ReadyDoesNotPlay) {
    SetLoop(GetParam().value);
    Loaded(RunMode::Saver);
    PlayedPass();
    EXPECT_EQ(Plays(), 0);
    EXPECT_EQ(player.URL(), kPlaylist);
}

INSTANTIATE_TEST_SUITE_P(
    AnythingButYes, LoopOffTest,
    ::testing::Values(LoopValue{"No", "否"}, LoopValue{"Empty", ""}, LoopValue{"EnglishYes", "yes"},
                      LoopValue{"TrailingSpace", "是 "}, LoopValue{"LeadingSpace", " 是"},
                      LoopValue{"Twice", "是是"}, LoopValue{"True", "-1"}),
    [](const ::testing::TestParamInfo<LoopValue>& info) { return info.param.name; });

TEST_F(FrmScrLogicTest, NoStateButReadyEverPlays) {
    SetLoop("是");
    Loaded(RunMode::Saver);
    player.Enter(kPlaying);
    for (std::int32_t state = kUndefined; state <= kReconnecting; ++state) {
        if (state != kReady) player.Enter(state);
    }
    player.Enter(12);
    player.Enter(-1);
    EXPECT_EQ(Plays(), 0);
}

TEST_F(FrmScrLogicTest, ThePlayersStateCountsNotTheEventsArgument) {
    SetLoop("是");
    FrmScrLogic& frmScr = Loaded(RunMode::Saver);
    player.Enter(kPlaying);
    frmScr.wmp_PlayStateChange(kReady);  // the player still plays
    EXPECT_EQ(Plays(), 0);
    player.state = kReady;
    frmScr.wmp_PlayStateChange(kMediaEnded);
    EXPECT_EQ(Plays(), 1);
}

TEST_F(FrmScrLogicTest, LoopOptionIsReadAtEveryChange) {
    Loaded(RunMode::Saver);
    const int before = settings.reads;
    PlayedPass();
    EXPECT_EQ(settings.reads - before, 4);
    EXPECT_EQ(Plays(), 0);

    SetLoop("是");  // saved by the dialog while the saver runs
    PlayedPass();
    EXPECT_EQ(Plays(), 1);

    SetLoop("否");
    PlayedPass();
    EXPECT_EQ(Plays(), 1);
}

// Errors

TEST_F(FrmScrLogicTest, ErrorSkipsThenClearsTheQueue) {
    Loaded(RunMode::Saver).wmp_Error();
    EXPECT_EQ(log, (CallLog{"Next", "ClearErrorQueue"}));
}

TEST_F(FrmScrLogicTest, MediaErrorOnlySkips) {
    Loaded(RunMode::Saver).wmp_MediaError("/m/broken.avi");
    EXPECT_EQ(log, CallLog{"Next"});
}

TEST_F(FrmScrLogicTest, PreviewSkipsErrorsToo) {
    FrmScrLogic& frmScr = Loaded(RunMode::Preview);
    frmScr.wmp_MediaError("/m/broken.avi");
    frmScr.wmp_Error();
    EXPECT_EQ(log, (CallLog{"Next", "Next", "ClearErrorQueue"}));
}

// Input

TEST_F(FrmScrLogicTest, DoubleClickRepaintsTheSaver) {
    Loaded(RunMode::Saver).wmp_DoubleClick(1, 0, 100, 200);
    EXPECT_EQ(log, CallLog{"Repaint"});
}

TEST_F(FrmScrLogicTest, DoubleClickDoesNothingInThePreview) {
    Loaded(RunMode::Preview).wmp_DoubleClick(1, 0, 100, 200);
    EXPECT_EQ(log, CallLog{});
}

TEST_F(FrmScrLogicTest, AnyKeyEndsTheSaver) {
    FrmScrLogic& frmScr = Loaded(RunMode::Saver);
    // Escape, space, a letter, a function key, a shifted key.
    for (const auto& [key, shift] : std::vector<std::pair<std::int16_t, std::int16_t>>{
             {27, 0}, {32, 0}, {65, 0}, {112, 0}, {65, 1}}) {
        log.clear();
        EXPECT_THROW(frmScr.wmp_KeyDown(key, shift), Terminated) << key;
        EXPECT_EQ(log, CallLog{"TerminateNow"});
    }
}

TEST_F(FrmScrLogicTest, NoKeyEndsThePreview) {
    FrmScrLogic& frmScr = Loaded(RunMode::Preview);
    EXPECT_NO_THROW(frmScr.wmp_KeyDown(27, 0));
    EXPECT_NO_THROW(frmScr.wmp_KeyDown(65, 0));
    EXPECT_EQ(log, CallLog{});
}

}  // namespace
}  // namespace revuro
