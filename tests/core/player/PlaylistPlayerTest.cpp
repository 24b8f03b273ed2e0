#include "core/player/PlaylistPlayer.h"

#include "core/ReasonText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/player/PlayerFakes.h"
#include "core/saver/FrmScrLogic.h"
#include "support/MemorySettingsStore.h"

namespace revuro {
namespace {

using namespace std::chrono_literals;
using testing::CallLog;

constexpr const char* kList = "/opt/revuro/varariv.m3u";
constexpr const char* kPicture = "/opt/revuro/first.bmp";

class PlaylistPlayerTest : public ::testing::Test {
  protected:
    // The player with a window that logs its events.
    PlaylistPlayer& Make(PlaylistPlayerOptions options = {}, PlayerSettings settings = {}) {
        frmScr = nullptr;
        player = nullptr;  // the one before lets go of the backend first
        player = std::make_unique<PlaylistPlayer>(backend, timer, reader, settings, options);
        player->SetEventSink(&events);
        return *player;
    }
    // The player as the saver runs it, under the saver window's logic, loaded and playing.
    void RunSaver(const std::string& loop, RunMode mode = RunMode::Saver, bool listOpens = true) {
        settings.values[{"DavodoR2.0", "选项设置", "顺序播放"}] = loop;
        Make({kPicture});
        frmScr =
            std::make_unique<FrmScrLogic>(mode, "/opt/revuro", kList, *player, settings, view,
                                          [listOpens](const std::string&) { return listOpens; });
        player->SetEventSink(frmScr.get());
        frmScr->Form_Load();
        timer.RunDue();
    }
    void List(const std::string& rows) { files.files[kList] = rows; }
    // The backend plays the loaded item through: it opens, shows something and ends.
    void PlayThrough() {
        backend.Start();
        backend.Present();
        backend.End();
        timer.RunDue();
    }
    long Count(const std::string& line) const { return std::count(log.begin(), log.end(), line); }

    CallLog log;
    testing::FakeMediaFiles files;
    testing::FakeBackend backend{log};
    testing::FakeTimer timer;
    NarrowCodec codec{"UTF-8"};
    PlaylistReader reader{files, codec, PathRules('/')};
    testing::EventLog events{log};
    std::unique_ptr<PlaylistPlayer> player;
    testing::MemorySettingsStore settings;
    testing::FakeFrmScrView view{log};
    std::unique_ptr<FrmScrLogic> frmScr;
};

TEST_F(PlaylistPlayerTest, PlaysTheRowsInOrderThenIsReadyWithTheLastOnScreen) {
    files.Add({"/m/a.avi", "/m/b.avi"});
    List("/m/a.avi\r\n/m/b.avi");
    ASSERT_TRUE(Make().SetURL(kList).ok());
    PlayThrough();
    PlayThrough();
    EXPECT_EQ(log, (CallLog{"State 9", "Load /m/a.avi", "State 3", "State 8", "State 9",
                            "Load /m/b.avi", "State 3", "State 8", "State 10"}));
    EXPECT_EQ(player->PlayState(), kReady);
}

TEST_F(PlaylistPlayerTest, UnreadablePlaylistIsTheResultAndChangesNothing) {
    Outcome set = Make().SetURL(kList);
    ASSERT_FALSE(set.ok());
    EXPECT_EQ(ReasonText(set.error()), "文件不存在");
    EXPECT_EQ(player->URL(), "");
    EXPECT_EQ(log, CallLog{});
}

TEST_F(PlaylistPlayerTest, EachBadRowCostsOneNoteAndOneSkip) {
    files.Add({"/m/a.avi"});
    files.problems.emplace("/m/folder", Error{ErrorKind::IsAFolder, "a folder"});
    files.files["/m/broken.asx"] = "not a list";
    List(
        "/m/一二三四五六七八九十一二三四五六七八九十一二三四五.avi\r\n/m/"
        "folder\r\n\xff\xfe\xfd.avi\r\n"
        "/m/broken.asx\r\n/m/a.avi");
    RunSaver("否");  // a note names the file in 24 characters at most
    EXPECT_EQ(
        log,
        (CallLog{"PlaceOverDesktop", "Stop",
                 "Note 无法播放：一二三四五六七八九十一二三四五六七八九十一二三…（文件不存在）",
                 "Stop", "Note 无法播放：folder（是文件夹）", "Stop",
                 "Note 无法播放：varariv.m3u 第3行（含有系统字符集无法识别的文字）", "Stop",
                 "Note 无法播放：broken.asx（不是播放列表）", "Load /m/a.avi"}));
}

TEST_F(PlaylistPlayerTest, OneErrorEventPerItemWhateverTheBackendAdds) {
    files.Add({"/m/a.avi", "/m/b.avi"});
    List("/m/a.avi\r\n/m/b.avi");
    ASSERT_TRUE(Make().SetURL(kList).ok());
    backend.Fail(ErrorKind::UnrecognizedFormat);  // before playing
    backend.Fail(ErrorKind::Other);
    player->Next();
    backend.Start();
    backend.Fail(ErrorKind::DamagedFile);  // while playing
    backend.End();
    backend.Fail(ErrorKind::Other);
    EXPECT_EQ(log, (CallLog{"State 9", "Load /m/a.avi", "MediaError /m/a.avi", "State 9",
                            "Load /m/b.avi", "State 3", "Error"}));  // no notes: dialogs off
    EXPECT_EQ(player->ErrorQueue().size(), 2u);
    player->ClearErrorQueue();
    EXPECT_TRUE(player->ErrorQueue().empty());
}

TEST_F(PlaylistPlayerTest, LoopOnStartsTheListAgainLoopOffLeavesItReady) {
    files.Add({"/m/a.avi"});
    List("/m/a.avi");
    RunSaver("是");
    PlayThrough();
    PlayThrough();
    EXPECT_EQ(Count("Load /m/a.avi"), 3);
    RunSaver("否");
    log.clear();
    PlayThrough();
    EXPECT_EQ(log, CallLog{});  // the clip stays on screen: no Stop, no load
    EXPECT_EQ(player->PlayState(), kReady);
}

TEST_F(PlaylistPlayerTest, PictureStaysFiveSecondsOfTheTimerHeldOrNot) {
    files.Add({"/m/p.jpg", "/m/a.avi"});
    List("/m/p.jpg\r\n/m/a.avi");
    ASSERT_TRUE(Make().SetURL(kList).ok());
    backend.Start();
    backend.End();  // a picture ends by the player's clock only
    ASSERT_TRUE(timer.pending());
    EXPECT_EQ(timer.delay(), 5000ms);
    player->SetHeld(true);
    EXPECT_FALSE(timer.pending());
    player->SetHeld(false);
    EXPECT_EQ(timer.delay(), 5000ms);
    timer.Fire();
    EXPECT_EQ(log, (CallLog{"State 9", "Load picture /m/p.jpg", "State 3", "Hold", "Release",
                            "State 8", "State 9", "Load /m/a.avi"}));
}

TEST_F(PlaylistPlayerTest, NestedListsPlayInPlaceAndAListContainingItselfOnce) {
    files.Add({"/m/a.avi", "/l/b.avi", "/m/c.avi"});
    files.files["/l/in.asx"] =
        "<ASX><ENTRY><REF HREF=\"/m/a.avi\"/></ENTRY><ENTRYREF HREF=\"/l/in.asx\"/>"
        "<ENTRY><REF HREF=\"b.avi\"/></ENTRY></ASX>";
    List("/l/in.asx\r\n/opt/revuro/varariv.m3u\r\n/m/c.avi");
    RunSaver("是");
    PlayThrough();
    PlayThrough();
    PlayThrough();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "Load /m/a.avi", "Stop",
                            "Note 无法播放：in.asx（列表包含自身）", "Load /l/b.avi", "Stop",
                            "Note 无法播放：varariv.m3u（列表包含自身）", "Load /m/c.avi",
                            "Load /m/a.avi"}));
}

TEST_F(PlaylistPlayerTest, TrialPlayerPassesBadRowsSilently) {
    files.Add({"/m/a.avi", "/m/b.avi"});
    List("/m/missing.avi\r\n/m/a.avi\r\n/m/b.avi");
    PlayerSettings dialogs;
    dialogs.enableErrorDialogs = true;
    PlaylistPlayerOptions trial;
    trial.skipUnplayable = true;
    Make(trial, dialogs).SetEventSink(nullptr);
    ASSERT_TRUE(player->SetURL(kList).ok());
    timer.RunDue();
    backend.Start();
    backend.Fail(ErrorKind::DamagedFile);
    PlayThrough();
    EXPECT_EQ(log, (CallLog{"Stop", "Load /m/a.avi", "Load /m/b.avi"}));
    EXPECT_EQ(player->PlayState(), kReady);
}

TEST_F(PlaylistPlayerTest, KeysAndDoubleClicksReachTheWindowAsThePlayersEvents) {
    Make().ReportKeyDown(27, 0);
    player->ReportDoubleClick(1, 0, 10, 20);
    EXPECT_EQ(log, (CallLog{"KeyDown 27", "DoubleClick 10,20"}));
    RunSaver("是");
    EXPECT_THROW(player->ReportKeyDown(65, 0), testing::Terminated);
}

// A pass that showed nothing

TEST_F(PlaylistPlayerTest, OpenedButNeverShownEndsOnThePictureOnceThenPlayDoesNothing) {
    files.Add({"/m/empty.wav", kPicture});
    List("/m/empty.wav");  // a sound header and no sound: it starts and ends, showing nothing
    RunSaver("是");
    backend.Start();
    backend.End();
    timer.RunDue();
    PlayThrough();  // the picture shows
    timer.Fire();   // its five seconds; ready, and the loop's Play does nothing
    timer.RunDue();
    player->Play();
    timer.RunDue();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "Load /m/empty.wav",
                            "Load picture " + std::string(kPicture)}));
    EXPECT_EQ(player->PlayState(), kReady);
    EXPECT_FALSE(timer.pending());
}

TEST_F(PlaylistPlayerTest, PictureThatShowsNothingEitherIsLeftAlone) {
    List("/m/missing.avi");
    RunSaver("是");
    timer.RunDue();
    player->Play();
    timer.RunDue();
    EXPECT_EQ(Count("Note 无法播放：missing.avi（文件不存在）"), 1);
    EXPECT_EQ(Count("Note 无法播放：first.bmp（文件不存在）"), 1);
    EXPECT_FALSE(timer.pending());
}

TEST_F(PlaylistPlayerTest, WithoutPlaylistThePictureThatFailsIsNotTriedAgain) {
    RunSaver("是", RunMode::Saver, false);
    timer.RunDue();
    EXPECT_EQ(log, (CallLog{"PlaceOverDesktop", "Stop", "Note 无法播放：first.bmp（文件不存在）"}));
    EXPECT_EQ(player->PlayState(), kReady);
}

TEST_F(PlaylistPlayerTest, PassThatShowedSomethingThenOnlyErrorsFallsBackInThePreviewToo) {
    files.Add({"/m/a.avi", kPicture});
    List("/m/a.avi");
    RunSaver("是", RunMode::Preview);
    PlayThrough();
    backend.Start();
    backend.Fail(ErrorKind::DamagedFile);  // the window skips and clears the queue
    timer.RunDue();
    EXPECT_EQ(Count("Load /m/a.avi"), 2);
    EXPECT_EQ(log.back(), "Load picture " + std::string(kPicture));
    EXPECT_TRUE(player->ErrorQueue().empty());
    EXPECT_FALSE(backend.presentation.fullScreen);
}

}  // namespace
}  // namespace revuro
