#include "core/player/PlaylistPlayer.h"

#include "core/ReasonText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/player/PlayerFakes.h"
#include "core/player/RoutingBackend.h"
#include "core/player/UnavailableBackend.h"
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
        MediaBackend* over = &backend;
        if (routed) {
            // The shell's pair: a Flash player beside the media backend.
            auto media = std::make_unique<testing::FakeBackend>(log, "media");
            auto flash = std::make_unique<testing::FakeBackend>(log, "flash");
            mediaBackend = media.get();
            flashBackend = flash.get();
            router = std::make_unique<RoutingBackend>(std::move(media), std::move(flash),
                                                      MediaKind::Flash);
            over = router.get();
        }
        player = std::make_unique<PlaylistPlayer>(*over, timer, reader, settings, options);
        player->SetEventSink(&events);
        return *player;
    }
    // The player as the saver runs it, under the saver window's logic, loaded and playing.
    void RunSaver(const std::string& loop, RunMode mode = RunMode::Saver, bool listOpens = true) {
        settings.values[{"DavodoR2.0", "选项设置", "顺序播放"}] = loop;
        Make({kPicture});
        frmScr = std::make_unique<FrmScrLogic>(
            mode, "/opt/revuro", kList, *player, settings, view,
            [listOpens](const std::string&) { return listOpens; }, '/');
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
    bool routed = false;
    std::unique_ptr<RoutingBackend> router;
    testing::FakeBackend* mediaBackend = nullptr;  // the router's
    testing::FakeBackend* flashBackend = nullptr;
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

TEST_F(PlaylistPlayerTest, FlashMoviesPlayInTheListWithTheFlashPlayerTheRestWithTheMedia) {
    files.Add({"/m/a.avi", "/m/b.swf", "/m/c.SWF", "/m/d.jpg"});
    List("/m/a.avi\r\n/m/b.swf\r\n/m/c.SWF\r\n/m/d.jpg");
    routed = true;
    ASSERT_TRUE(Make().SetURL(kList).ok());
    for (testing::FakeBackend* plays : {mediaBackend, flashBackend, flashBackend}) {
        plays->Start();
        plays->Present();
        plays->End();
        timer.RunDue();
    }
    mediaBackend->Start();
    timer.Fire();  // the picture's time
    timer.RunDue();
    EXPECT_EQ(log,
              (CallLog{"State 9", "media Load /m/a.avi", "State 3", "State 8", "State 9",
                       "media Stop", "flash Load flash /m/b.swf", "State 3", "State 8", "State 9",
                       "flash Load flash /m/c.SWF", "State 3", "State 8", "State 9", "flash Stop",
                       "media Load picture /m/d.jpg", "State 3", "State 8", "State 10"}));
    log.clear();
    player->SetHeld(true);  // both hold, whichever plays next
    ASSERT_TRUE(player->SetURL("").ok());
    EXPECT_EQ(log, (CallLog{"media Hold", "flash Hold", "media Stop", "flash Stop"}));
}

TEST_F(PlaylistPlayerTest, MissingFlashMovieIsOneMediaErrorAndOneSkip) {
    files.Add({"/m/b.swf"});
    List("/m/missing.swf\r\n/m/b.swf");
    routed = true;
    PlayerSettings notes;
    notes.enableErrorDialogs = true;
    ASSERT_TRUE(Make({}, notes).SetURL(kList).ok());
    timer.RunDue();
    player->Next();  // the window's reaction
    EXPECT_EQ(log, (CallLog{"State 9", "media Stop", "flash Stop",
                            "media Note 无法播放：missing.swf（文件不存在）",
                            "MediaError /m/missing.swf", "State 9", "flash Load flash /m/b.swf"}));
}

TEST_F(PlaylistPlayerTest, FlashPlayerThatDiesOrIsMissingCostsOneNoteAndOneSkip) {
    files.Add({"/m/a.swf", "/m/b.swf", "/m/c.avi"});
    List("/m/a.swf\r\n/m/b.swf\r\n/m/c.avi");
    routed = true;
    PlayerSettings notes;
    notes.enableErrorDialogs = true;
    ASSERT_TRUE(Make({}, notes).SetURL(kList).ok());
    flashBackend->Start();
    flashBackend->Present();
    flashBackend->Fail(ErrorKind::FlashPlayerFailed);  // while playing
    player->Next();
    flashBackend->Fail(ErrorKind::FlashNotSupported);  // before: none installed
    player->Next();
    flashBackend->End();  // too late: the list has moved on
    EXPECT_EQ(
        log,
        (CallLog{"State 9", "flash Load flash /m/a.swf", "State 3",
                 "media Note 无法播放：a.swf（Flash 播放程序意外结束）", "Error", "State 9",
                 "flash Load flash /m/b.swf", "media Note 无法播放：b.swf（不支持 Flash 动画）",
                 "MediaError /m/b.swf", "State 9", "flash Stop", "media Load /m/c.avi"}));
}

TEST_F(PlaylistPlayerTest, WithoutAMediaPlayerPicturesStillShowAndEachOtherItemCostsOneSkip) {
    // The Windows pair on a system without its media player: pictures beside a stand-in.
    files.Add({"/m/a.avi", "/m/b.jpg"});
    List("/m/a.avi\r\n/m/b.jpg");
    testing::FakeTimer standInTimer;
    RoutingBackend router(
        std::make_unique<UnavailableBackend>(Error{ErrorKind::NoMediaPlayer, "none"}, standInTimer),
        std::make_unique<testing::FakeBackend>(log, "picture"), MediaKind::Picture);
    PlayerSettings notes;
    notes.enableErrorDialogs = true;
    PlaylistPlayer player(router, timer, reader, notes);
    player.SetEventSink(&events);
    ASSERT_TRUE(player.SetURL(kList).ok());
    EXPECT_EQ(log, (CallLog{"State 9"}));  // the failure comes from the event loop
    standInTimer.RunDue();
    player.Next();  // the window's reaction
    EXPECT_EQ(log, (CallLog{"State 9", "MediaError /m/a.avi", "State 9",
                            "picture Load picture /m/b.jpg"}));
    EXPECT_EQ(player.ErrorQueue(), std::deque<std::string>{"a.avi: none"});
}

}  // namespace
}  // namespace revuro
