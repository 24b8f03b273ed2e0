#include "core/player/PlaylistPlayer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/player/PlayerFakes.h"

namespace revuro {
namespace {

using namespace std::chrono_literals;
using testing::CallLog;

constexpr const char* kList = "/opt/revuro/varariv.m3u";

class PlaylistPlayerTest : public ::testing::Test {
  protected:
    // The player with a window that logs its events.
    PlaylistPlayer& Make(PlaylistPlayerOptions options = {}, PlayerSettings settings = {}) {
        player = nullptr;  // the one before lets go of the backend first
        player = std::make_unique<PlaylistPlayer>(backend, timer, reader, settings, options);
        player->SetEventSink(&events);
        return *player;
    }
    void List(const std::string& rows) { files.files[kList] = rows; }
    // The backend plays the loaded item through: it opens, shows something and ends.
    void PlayThrough() {
        backend.Start();
        backend.Present();
        backend.End();
        timer.RunDue();
    }

    CallLog log;
    testing::FakeMediaFiles files;
    testing::FakeBackend backend{log};
    testing::FakeTimer timer;
    NarrowCodec codec{"UTF-8"};
    PlaylistReader reader{files, codec, PathRules('/')};
    testing::EventLog events{log};
    std::unique_ptr<PlaylistPlayer> player;
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
    EXPECT_EQ(set.error().reason, "文件不存在");
    EXPECT_EQ(player->URL(), "");
    EXPECT_EQ(log, CallLog{});
}

TEST_F(PlaylistPlayerTest, OneErrorEventPerItemWhateverTheBackendAdds) {
    files.Add({"/m/a.avi", "/m/b.avi"});
    List("/m/a.avi\r\n/m/b.avi");
    ASSERT_TRUE(Make().SetURL(kList).ok());
    backend.Fail("unrecognized file format");  // before playing
    backend.Fail("again");
    player->Next();
    backend.Start();
    backend.Fail("damaged");  // while playing
    backend.End();
    backend.Fail("again");
    EXPECT_EQ(log, (CallLog{"State 9", "Load /m/a.avi", "MediaError /m/a.avi", "State 9",
                            "Load /m/b.avi", "State 3", "Error"}));  // no notes: dialogs off
    EXPECT_EQ(player->ErrorQueue().size(), 2u);
    player->ClearErrorQueue();
    EXPECT_TRUE(player->ErrorQueue().empty());
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
    backend.Fail("damaged");
    PlayThrough();
    EXPECT_EQ(log, (CallLog{"Stop", "Load /m/a.avi", "Load /m/b.avi"}));
    EXPECT_EQ(player->PlayState(), kReady);
}

TEST_F(PlaylistPlayerTest, KeysAndDoubleClicksReachTheWindowAsThePlayersEvents) {
    Make().ReportKeyDown(27, 0);
    player->ReportDoubleClick(1, 0, 10, 20);
    EXPECT_EQ(log, (CallLog{"KeyDown 27", "DoubleClick 10,20"}));
}

}  // namespace
}  // namespace revuro
