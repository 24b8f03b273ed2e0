#include "core/config/FrmConfigLogic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FakeFrmConfigView.h"
#include "ScriptedUniformRandom.h"
#include "core/config/QuickHelp.h"
#include "core/store/PlayOptions.h"
#include "platform/Files.h"
#include "support/MemorySettingsStore.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using namespace std::string_literals;
using testing::FakeFrmConfigView;
using testing::ReadBytes;
using testing::ScriptedUniformRandom;
using testing::TempFolder;
using testing::Utf8Path;
using testing::WriteBytes;
using Kind = FakeFrmConfigView::Message::Kind;
using Rows = std::vector<std::string>;

const std::string kEmptyListQuestion =
    "对不起！您还没有添加任何多电影文件！Revuro将不能运行！\r\n您确定要保存设置吗？";
const std::string kEmptyListForPlay =
    "对不起！您还没有添加任何多电影文件！\r\n请点击【添加电影】按钮。";

// The memory store, recording each save with what the playlist file held at that moment,
// and failing the saves of one key when told to.
class RecordingSettingsStore : public testing::MemorySettingsStore {
  public:
    // One call of ChangeSettings, and the playlist file as it was at that moment.
    struct Step {
        std::vector<SettingChange> changes;
        std::optional<std::string> playlistThen;
    };

    Outcome ChangeSettings(const std::string& app, const std::string& section,
                           const std::vector<SettingChange>& changes) override {
        std::optional<std::string> playlist;
        if (std::filesystem::exists(playlistPath)) playlist = ReadBytes(playlistPath);
        steps.push_back({changes, playlist});
        for (const SettingChange& change : changes) {
            if (change.key == failingKey)
                return Error{ErrorKind::NoSpace, "No space left on device",
                             "/home/u/.config/revuro.ini"};
        }
        return MemorySettingsStore::ChangeSettings(app, section, changes);
    }

    std::string Get(const char* key) const { return play_options::Read(*this, key); }
    void Set(const char* key, const std::string& value) {
        values[{play_options::kApplication, play_options::kSection, key}] = value;
    }

    std::string playlistPath;
    std::string failingKey;
    std::vector<Step> steps;
};

class FrmConfigLogicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok());
        settings.playlistPath = SaverPlaylist();
    }

    // The logic under test, created on first use so a test can choose its random script.
    FrmConfigLogic& Logic() {
        if (!logic) {
            auto random = std::make_unique<ScriptedUniformRandom>(script);
            generator = random.get();
            logic = std::make_unique<FrmConfigLogic>(
                places ? *places : PlaylistPlaces::Beside(folder.path(), '/'), settings, playlists,
                view, RandomOrder(std::move(random), [] { return 1.5; }), '/');
        }
        return *logic;
    }

    std::string SaverPlaylist() const { return folder.File("varariv.m3u"); }
    std::string TrialPlaylist() const { return folder.File("temp.m3u"); }

    // Rows added as the user would: dropped on the list.
    void Fill(const Rows& rows) {
        Logic().lstFiles_OLEDragDrop(rows);
        ASSERT_EQ(Logic().lstFiles(), rows);
    }

    TempFolder folder;
    // Where the lists are; beside the program in `folder` unless a test says otherwise.
    std::optional<PlaylistPlaces> places;
    NarrowCodec codec{"CP936"};
    PlaylistFile playlists{codec};
    RecordingSettingsStore settings;
    FakeFrmConfigView view;
    // Values of the injected generator; a test that reorders rows sets its own.
    std::vector<double> script{0.5};
    ScriptedUniformRandom* generator = nullptr;
    std::unique_ptr<FrmConfigLogic> logic;
};

// ---- Loading ----

using FrmConfigLoadTest = FrmConfigLogicTest;

TEST_F(FrmConfigLoadTest, FirstRunKeepsTheDesignedBoxesWhateverTheStoreHolds) {
    settings.Set(play_options::kLoopKey, "否");
    settings.Set(play_options::kRandomKey, "是");
    Logic().Form_Load();
    EXPECT_TRUE(Logic().lstFiles().empty());
    EXPECT_TRUE(view.chkA);
    EXPECT_FALSE(view.chkRandom);
    EXPECT_EQ(view.checkBoxWrites, 0);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(FrmConfigLoadTest, PlaylistWithoutStoredSettingsUnchecksBoth) {
    WriteBytes(SaverPlaylist(), "/m/a.avi\r\n/m/b.avi\r\n");
    Logic().Form_Load();
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/b.avi"}));
    EXPECT_EQ(view.rows, Logic().lstFiles());
    EXPECT_FALSE(view.chkA);
    EXPECT_FALSE(view.chkRandom);
}

TEST_F(FrmConfigLoadTest, PlaylistWithStoredSettingsRestoresBoth) {
    WriteBytes(SaverPlaylist(), "/m/a.avi");
    settings.Set(play_options::kLoopKey, "是");
    settings.Set(play_options::kRandomKey, "是");
    view.chkA = false;
    Logic().Form_Load();
    EXPECT_TRUE(view.chkA);
    EXPECT_TRUE(view.chkRandom);
}

TEST_F(FrmConfigLoadTest, AnyOtherStoredTextCountsAsOff) {
    WriteBytes(SaverPlaylist(), "/m/a.avi");
    settings.Set(play_options::kLoopKey, "yes");
    Logic().Form_Load();
    EXPECT_FALSE(view.chkA);
}

TEST_F(FrmConfigLoadTest, RowsPastTheLimitAreLeftOutAndTheUserIsTold) {
    std::string bytes;
    for (std::size_t i = 0; i < kMaxPlaylistRows + 5; ++i)
        bytes += "/m/" + std::to_string(i) + "\r\n";
    WriteBytes(SaverPlaylist(), bytes);
    Logic().Form_Load();
    EXPECT_EQ(Logic().lstFiles().size(), kMaxPlaylistRows);
    EXPECT_EQ(Logic().lstFiles().back(), "/m/" + std::to_string(kMaxPlaylistRows - 1));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Information);
    EXPECT_EQ(view.messages[0].title, "提示");
    EXPECT_EQ(
        view.messages[0].text,
        "播放列表文件中的电影文件超过32767个！\r\n只载入了前32767个，后面的5个文件没有载入。");
}

TEST_F(FrmConfigLoadTest, AnUnreadablePlaylistIsReportedAndTheBoxesKeepTheirDesign) {
    std::filesystem::create_directory(SaverPlaylist());  // opens, but reads nothing
    settings.Set(play_options::kRandomKey, "是");
    Logic().Form_Load();
    EXPECT_TRUE(Logic().lstFiles().empty());
    EXPECT_FALSE(view.chkRandom);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Critical);
    EXPECT_EQ(view.messages[0].title, "读取失败");
    EXPECT_NE(view.messages[0].text.find(SaverPlaylist()), std::string::npos);
}

TEST_F(FrmConfigLoadTest, UndecodableLinesBecomeRowsAndTheUserIsToldWhichOnce) {
    WriteBytes(SaverPlaylist(), "/m/a.avi\r\n/m/\x81\x20.avi\r\nx\r\n/m/c.avi\r\n\xFF\xFF\xFF");
    settings.Set(play_options::kRandomKey, "是");
    Logic().Form_Load();
    EXPECT_EQ(Logic().lstFiles(),
              (Rows{"/m/a.avi", "/m/\uFFFD .avi", "/m/c.avi", "\uFFFD\uFFFD\uFFFD"}));
    EXPECT_EQ(view.rows, Logic().lstFiles());
    EXPECT_TRUE(view.chkRandom);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Information);
    EXPECT_EQ(view.messages[0].title, "提示");
    EXPECT_EQ(view.messages[0].text,
              "播放列表文件中有2行不是当前字符集（CP936）的文字：\r\n第2、5行。\r\n"
              "这些行中无法识别的字节显示为“\uFFFD”，保存时按原样写回。");
}

TEST_F(FrmConfigLoadTest, ManyUndecodableLinesAreNamedByTheFirstTen) {
    std::string bytes = "/m/a.avi";
    for (int i = 0; i < 12; ++i) bytes += "\r\n/m/\xFF" + std::to_string(i);
    WriteBytes(SaverPlaylist(), bytes);
    Logic().Form_Load();
    EXPECT_EQ(Logic().lstFiles().size(), 13u);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("有12行"), std::string::npos);
    EXPECT_NE(view.messages[0].text.find("第2、3、4、5、6、7、8、9、10、11行等。"),
              std::string::npos);
}

// ---- OK ----

using FrmConfigOkTest = FrmConfigLogicTest;

TEST_F(FrmConfigOkTest, EmptyListAnsweredCancelStoresNothingAndStaysOpen) {
    WriteBytes(SaverPlaylist(), "/m/old.avi");
    view.answer = FrmConfigView::Answer::Cancel;
    Logic().cmdOK_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::OkCancel);
    EXPECT_EQ(view.messages[0].title, "提示");
    EXPECT_EQ(view.messages[0].text, kEmptyListQuestion);
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/old.avi");
    EXPECT_TRUE(settings.steps.empty());
    EXPECT_EQ(view.unloads, 0);
}

TEST_F(FrmConfigOkTest, EmptyListAnsweredOkWritesAnEmptyPlaylistAndBothSettings) {
    view.chkA = false;
    Logic().cmdOK_Click();
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "");
    EXPECT_EQ(settings.Get(play_options::kRandomKey), "否");
    EXPECT_EQ(settings.Get(play_options::kLoopKey), "否");
    EXPECT_EQ(view.unloads, 1);
}

TEST_F(FrmConfigOkTest, EmptyListWithRandomCheckedStillSaves) {
    view.chkRandom = true;
    Logic().cmdOK_Click();
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "");
    EXPECT_EQ(settings.Get(play_options::kRandomKey), "是");
    EXPECT_EQ(view.unloads, 1);
}

TEST_F(FrmConfigOkTest, BothChoicesGoInOneStepBeforeThePlaylist) {
    Fill({"/m/a.avi", "/m/b.avi"});
    Logic().cmdOK_Click();
    EXPECT_TRUE(view.messages.empty());
    ASSERT_EQ(settings.steps.size(), 1u);
    EXPECT_EQ(settings.steps[0].playlistThen, std::nullopt);
    ASSERT_EQ(settings.steps[0].changes.size(), 2u);
    EXPECT_EQ(settings.steps[0].changes[0].key, "顺序播放");
    EXPECT_EQ(settings.steps[0].changes[0].value, "是");
    EXPECT_EQ(settings.steps[0].changes[1].key, "随机播放");
    EXPECT_EQ(settings.steps[0].changes[1].value, "否");
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/a.avi\r\n/m/b.avi");
    EXPECT_EQ(view.unloads, 1);
}

TEST_F(FrmConfigOkTest, RandomOnStoresYesThenWritesTheDrawnOrder) {
    // Three rows: k = floor(r * 4), so 0.6 -> 2, 0.1 -> 0, 0.3 -> 1.
    script = {0.6, 0.1, 0.3};
    Fill({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    view.chkRandom = true;
    Logic().cmdOK_Click();
    EXPECT_EQ(settings.Get(play_options::kRandomKey), "是");
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/c.avi\r\n/m/a.avi\r\n/m/b.avi");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/c.avi", "/m/a.avi", "/m/b.avi"}));
    EXPECT_EQ(Logic().lstShort(), Logic().lstFiles());
    EXPECT_EQ(generator->seeds, (std::vector<double>{1.5}));
    EXPECT_EQ(view.unloads, 1);
}

TEST_F(FrmConfigOkTest, RandomOffKeepsTheOrderAndDrawsNothing) {
    Fill({"/m/b.avi", "/m/a.avi"});
    Logic().cmdOK_Click();
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/b.avi\r\n/m/a.avi");
    EXPECT_EQ(generator->draws, 0);
    EXPECT_TRUE(Logic().lstShort().empty());
}

TEST_F(FrmConfigOkTest, ConfirmedRandomOrderAndBoxesComeBackOnTheNextOpening) {
    script = {0.6, 0.1, 0.3};
    Fill({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    view.chkRandom = true;
    view.chkA = true;
    Logic().cmdOK_Click();

    FakeFrmConfigView nextView;
    FrmConfigLogic next(PlaylistPlaces::Beside(folder.path(), '/'), settings, playlists, nextView,
                        RandomOrder(), '/');
    nextView.chkA = false;
    next.Form_Load();
    EXPECT_EQ(next.lstFiles(), (Rows{"/m/c.avi", "/m/a.avi", "/m/b.avi"}));
    EXPECT_TRUE(nextView.chkA);
    EXPECT_TRUE(nextView.chkRandom);
}

TEST_F(FrmConfigOkTest, UndecodableRowsKeepTheirBytesInTheRandomOrder) {
    script = {0.6, 0.1, 0.3};  // 2, 0, 1
    WriteBytes(SaverPlaylist(), "/m/\x81\x20.avi\r\n/m/b.avi\r\n/m/\xFF\xFF\xFF.avi");
    settings.Set(play_options::kRandomKey, "是");
    Logic().Form_Load();
    Logic().cmdOK_Click();
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/\xFF\xFF\xFF.avi\r\n/m/\x81\x20.avi\r\n/m/b.avi");
    // The trial list of the next opening carries them too.
    FakeFrmConfigView nextView;
    FrmConfigLogic next(PlaylistPlaces::Beside(folder.path(), '/'), settings, playlists, nextView,
                        RandomOrder(), '/');
    next.Form_Load();
    next.CmdPlay_Click();
    EXPECT_EQ(ReadBytes(TrialPlaylist()), ReadBytes(SaverPlaylist()));
}

// ---- OK that cannot save ----

class FrmConfigFailedOkTest : public FrmConfigLogicTest {
  protected:
    void SetUp() override {
        FrmConfigLogicTest::SetUp();
        WriteBytes(SaverPlaylist(), "/m/old.avi");
        settings.Set(play_options::kRandomKey, "否");
        settings.Set(play_options::kLoopKey, "是");
        script = {0.6, 0.1, 0.3};
        view.chkRandom = true;
        view.chkA = false;
    }

    // The dialog is open and as the user left it; the files and the store are as they were.
    void ExpectNothingChanged(const Rows& rows) {
        EXPECT_EQ(view.unloads, 0);
        EXPECT_EQ(Logic().lstFiles(), rows);
        EXPECT_EQ(view.rows, rows);
        EXPECT_TRUE(view.chkRandom);
        EXPECT_FALSE(view.chkA);
        EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/old.avi");
        EXPECT_EQ(settings.Get(play_options::kRandomKey), "否");
        EXPECT_EQ(settings.Get(play_options::kLoopKey), "是");
        EXPECT_EQ(folder.Names(), (std::set<std::string>{"varariv.m3u"}));
    }

    void ExpectOneCriticalNaming(const std::string& path, const std::string& reason) {
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].kind, Kind::Critical);
        EXPECT_EQ(view.messages[0].title, "保存失败");
        EXPECT_NE(view.messages[0].text.find("文件：" + path), std::string::npos);
        EXPECT_NE(view.messages[0].text.find(reason), std::string::npos);
    }
};

TEST_F(FrmConfigFailedOkTest, ARowTheCharacterSetCannotHoldIsSelectedAndNothingIsStored) {
    const Rows rows{"/m/a.avi", "/m/b.avi", "/m/😀.avi", "/m/d.avi"};
    Fill(rows);
    Logic().cmdOK_Click();
    ExpectNothingChanged(rows);
    ExpectOneCriticalNaming(SaverPlaylist(), "原因：第3行含有系统字符集无法保存的字符");
    // Named and selected as the user sees the list, before any random order is drawn.
    EXPECT_EQ(view.selected, std::vector<std::size_t>{2});
    EXPECT_TRUE(settings.steps.empty());
    EXPECT_EQ(generator->draws, 0);
    EXPECT_TRUE(Logic().lstShort().empty());
}

TEST_F(FrmConfigFailedOkTest, AFailedSettingsStepWritesNothingElse) {
    const Rows rows{"/m/a.avi", "/m/b.avi", "/m/c.avi"};
    Fill(rows);
    for (const char* key : {play_options::kLoopKey, play_options::kRandomKey}) {
        SCOPED_TRACE(key);
        view.messages.clear();
        settings.failingKey = key;
        Logic().cmdOK_Click();
        ExpectNothingChanged(rows);
        ExpectOneCriticalNaming("/home/u/.config/revuro.ini", "原因：磁盘空间不足");
        EXPECT_EQ(generator->draws, 0);
    }
}

TEST_F(FrmConfigFailedOkTest, AFailedSettingsStepCreatesNoPlaylist) {
    std::filesystem::remove(SaverPlaylist());
    Fill({"/m/a.avi"});
    settings.failingKey = play_options::kLoopKey;
    Logic().cmdOK_Click();
    EXPECT_FALSE(std::filesystem::exists(SaverPlaylist()));
    EXPECT_EQ(view.unloads, 0);
}

TEST_F(FrmConfigFailedOkTest, AFailedPlaylistRemovesAChoiceThatWasNeverStored) {
    settings.values.erase(
        {play_options::kApplication, play_options::kSection, play_options::kRandomKey});
    std::filesystem::remove(SaverPlaylist());
    std::filesystem::create_directory(SaverPlaylist());  // the replace fails
    settings.playlistPath = folder.File("not recorded");
    Fill({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    Logic().cmdOK_Click();
    ASSERT_EQ(settings.steps.size(), 2u);  // stored, then put back
    EXPECT_FALSE(settings.HasSetting(play_options::kApplication, play_options::kSection,
                                     play_options::kRandomKey));
    EXPECT_EQ(settings.Get(play_options::kLoopKey), "是");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/b.avi", "/m/c.avi"}));
    EXPECT_TRUE(view.selected.empty());
    EXPECT_EQ(view.unloads, 0);
}

TEST_F(FrmConfigFailedOkTest, TheUserCanTryAgainAfterFixingTheCause) {
    Fill({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    settings.failingKey = play_options::kLoopKey;
    Logic().cmdOK_Click();
    settings.failingKey.clear();
    Logic().cmdOK_Click();
    EXPECT_EQ(view.unloads, 1);
    EXPECT_EQ(settings.Get(play_options::kLoopKey), "否");
    EXPECT_EQ(settings.Get(play_options::kRandomKey), "是");
}

TEST_F(FrmConfigFailedOkTest, AReadOnlyFolderKeepsTheDialogOpen) {
    const Rows rows{"/m/a.avi", "/m/b.avi", "/m/c.avi"};
    Fill(rows);
    std::filesystem::permissions(Utf8Path(folder.path()), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    // Root writes into read-only folders, and Windows' read-only flag of a folder stops no file.
    const bool readOnly = !WriteFileAtomically(folder.File("probe"), "").ok();
    if (readOnly) Logic().cmdOK_Click();
    std::filesystem::permissions(Utf8Path(folder.path()), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (!readOnly) GTEST_SKIP() << "this system lets the user write into a read-only folder";
    ExpectNothingChanged(rows);
    ExpectOneCriticalNaming(SaverPlaylist(), "");
}

// ---- A program folder the user cannot write: the user's own folder ----

class FrmConfigUserFolderTest : public FrmConfigLogicTest {
  protected:
    void SetUp() override {
        FrmConfigLogicTest::SetUp();
        std::filesystem::create_directory(folder.File("program"));
        WriteBytes(AdministratorsList(), "/m/default.avi");
        places = PlaylistPlaces{AdministratorsList(), UserFile("varariv.m3u"), UserFile("temp.m3u"),
                                folder.File("data/revuro")};
    }
    std::string AdministratorsList() const { return folder.File("program/varariv.m3u"); }
    std::string UserFile(const std::string& name) const {
        return folder.File("data/revuro/" + name);
    }
};

TEST_F(FrmConfigUserFolderTest, OpensWithTheAdministratorsListAndOkSavesTheUsersOwn) {
    Logic().Form_Load();
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/default.avi"}));
    Logic().lstFiles_OLEDragDrop({"/m/mine.avi"});
    Logic().cmdOK_Click();
    EXPECT_EQ(view.unloads, 1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(ReadBytes(UserFile("varariv.m3u")), "/m/default.avi\r\n/m/mine.avi");
    EXPECT_EQ(ReadBytes(AdministratorsList()), "/m/default.avi");
    EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(folder.File("data/revuro"))));
}

TEST_F(FrmConfigUserFolderTest, TheTrialListGoesBesideTheUsersListAndLeavesWithTheDialog) {
    Fill({"/m/a.avi"});
    Logic().CmdPlay_Click();
    EXPECT_EQ(view.played, std::vector<std::string>{UserFile("temp.m3u")});
    EXPECT_EQ(ReadBytes(UserFile("temp.m3u")), "/m/a.avi");
    Logic().Form_Unload();
    EXPECT_EQ(TempFolder::NamesIn(folder.File("data/revuro")), std::set<std::string>{});
    EXPECT_EQ(TempFolder::NamesIn(folder.File("program")), std::set<std::string>{"varariv.m3u"});
}

TEST_F(FrmConfigUserFolderTest, AFolderThatCannotBeMadeIsReportedAndNothingIsStored) {
    WriteBytes(folder.File("data"), "a file where the folder should be");
    Fill({"/m/a.avi"});
    view.chkRandom = true;
    Logic().cmdOK_Click();
    EXPECT_EQ(view.unloads, 0);
    EXPECT_TRUE(settings.steps.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Critical);
    EXPECT_NE(view.messages[0].text.find("文件：" + folder.File("data")), std::string::npos)
        << view.messages[0].text;
    Logic().CmdPlay_Click();
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_TRUE(view.played.empty());
}

// ---- Play all, cancel, unload ----

using FrmConfigPlayTest = FrmConfigLogicTest;

TEST_F(FrmConfigPlayTest, EmptyListIsToldAndWritesNothing) {
    Logic().CmdPlay_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Information);
    EXPECT_EQ(view.messages[0].title, "提示");
    EXPECT_EQ(view.messages[0].text, kEmptyListForPlay);
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(view.played.empty());
}

TEST_F(FrmConfigPlayTest, PlaysTheListInItsDisplayedOrderEvenWithRandomChecked) {
    Fill({"/m/b.avi", "/m/a.avi", "/m/c.avi"});
    view.chkRandom = true;
    Logic().CmdPlay_Click();
    EXPECT_EQ(ReadBytes(TrialPlaylist()), "/m/b.avi\r\n/m/a.avi\r\n/m/c.avi");
    EXPECT_EQ(view.played, (Rows{TrialPlaylist()}));
    EXPECT_EQ(generator->draws, 0);
    EXPECT_TRUE(settings.steps.empty());
    EXPECT_EQ(view.unloads, 0);
}

TEST_F(FrmConfigPlayTest, ASecondPressRewritesAndPlaysAgain) {
    Fill({"/m/a.avi"});
    Logic().CmdPlay_Click();
    Logic().lstFiles_OLEDragDrop({"/m/b.avi"});
    Logic().CmdPlay_Click();
    EXPECT_EQ(ReadBytes(TrialPlaylist()), "/m/a.avi\r\n/m/b.avi");
    EXPECT_EQ(view.played, (Rows{TrialPlaylist(), TrialPlaylist()}));
}

TEST_F(FrmConfigPlayTest, AFailedTrialPlaylistIsReportedAndNothingPlays) {
    Fill({"/m/😀.avi"});
    Logic().CmdPlay_Click();
    EXPECT_EQ(view.selected, std::vector<std::size_t>{0});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Critical);
    EXPECT_NE(view.messages[0].text.find(TrialPlaylist()), std::string::npos);
    EXPECT_TRUE(view.played.empty());
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/😀.avi"}));
}

TEST_F(FrmConfigPlayTest, ATrialPlaylistThatCannotBeReplacedIsReported) {
    std::filesystem::create_directory(TrialPlaylist());  // something in the way
    Fill({"/m/a.avi"});
    Logic().CmdPlay_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Critical);
    EXPECT_EQ(view.messages[0].title, "保存失败");
    EXPECT_NE(view.messages[0].text.find("文件：" + TrialPlaylist()), std::string::npos);
    EXPECT_NE(view.messages[0].text.find("原因：是文件夹"), std::string::npos);
    EXPECT_TRUE(view.played.empty());
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"temp.m3u"}));
}

TEST_F(FrmConfigPlayTest, CancelUnloadsAndStoresNothing) {
    WriteBytes(SaverPlaylist(), "/m/old.avi");
    Fill({"/m/a.avi"});
    Logic().cmdCancel_Click();
    EXPECT_EQ(view.unloads, 1);
    EXPECT_TRUE(settings.steps.empty());
    EXPECT_EQ(ReadBytes(SaverPlaylist()), "/m/old.avi");
}

TEST_F(FrmConfigPlayTest, UnloadDeletesTheTrialPlaylistOnly) {
    WriteBytes(SaverPlaylist(), "/m/old.avi");
    Fill({"/m/a.avi"});
    Logic().CmdPlay_Click();
    Logic().Form_Unload();
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"varariv.m3u"}));
    Logic().Form_Unload();  // nothing left to delete: no complaint
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(FrmConfigPlayTest, HelpShowsTheQuickHelp) {
    Logic().cmdhelp_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Information);
    EXPECT_EQ(view.messages[0].title, "简易帮助");
    EXPECT_EQ(view.messages[0].text, QuickHelpText());
}

// ---- Clear and double click ----

using FrmConfigListTest = FrmConfigLogicTest;

TEST_F(FrmConfigListTest, ClearEmptiesTheRowsBeepsAndLeavesTheWorkingList) {
    script = {0.7, 0.1, 0.5};  // two rows: k = floor(r * 3) gives 2 (no row), 0, 1
    Fill({"/m/a.avi", "/m/b.avi"});
    Logic().RandomFileList();
    const Rows working = Logic().lstShort();
    ASSERT_EQ(working.size(), 2u);
    Logic().cmdClear_Click();
    EXPECT_TRUE(Logic().lstFiles().empty());
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(Logic().lstShort(), working);
    EXPECT_FALSE(Logic().CheckForDupes2("/m/a.avi"));
}

TEST_F(FrmConfigListTest, ClearOnAnEmptyListStillBeeps) {
    Logic().cmdClear_Click();
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(FrmConfigListTest, DoubleClickWithoutASelectionDoesNothing) {
    Fill({"/m/a.avi"});
    Logic().lstFiles_DblClick(0, 0);
    Logic().lstFiles_DblClick(-1, 1);
    Logic().lstFiles_DblClick(5, 1);
    EXPECT_TRUE(view.played.empty());
}

TEST_F(FrmConfigListTest, DoubleClickOnAnEmptyListDoesNothing) {
    Logic().lstFiles_DblClick(-1, 0);
    EXPECT_TRUE(view.played.empty());
}

TEST_F(FrmConfigListTest, DoubleClickPlaysThatRowAloneWithoutAPlaylist) {
    Fill({"/m/a.avi", "/m/b.avi"});
    Logic().lstFiles_DblClick(1, 1);
    EXPECT_EQ(view.played, (Rows{"/m/b.avi"}));
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(FrmConfigListTest, DeleteRemovesTheCurrentRowAndSelectsTheOneThatTookItsPlace) {
    Fill({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    Logic().mnuDelete_Click(1, 1);
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/c.avi"}));
    EXPECT_EQ(view.rows, Logic().lstFiles());
    EXPECT_EQ(view.selected, std::vector<std::size_t>{1});
    // The last row goes: the new last row is selected; the only row goes: none is.
    Logic().mnuDelete_Click(1, 1);
    Logic().mnuDelete_Click(0, 1);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.selected, (std::vector<std::size_t>{1, 0}));
    // Without a current, selected row nothing goes.
    Fill({"/m/a.avi"});
    for (const auto& [current, selected] : {std::pair{0, 0}, {-1, 1}, {1, 1}})
        Logic().mnuDelete_Click(current, selected);
    EXPECT_EQ(view.removals, 3);
}

TEST_F(FrmConfigListTest, RandomFileListWithNoRowsAndTheSettingOffChangesNothing) {
    Logic().RandomFileList();
    EXPECT_EQ(generator->draws, 0);
    EXPECT_EQ(view.resets, 0);
}

TEST_F(FrmConfigListTest, RandomFileListKeepsEqualRows) {
    // Three rows: k = floor(r * 4), so 0.6 -> 2, 0.1 -> 0, 0.3 -> 1.
    script = {0.6, 0.1, 0.3};
    WriteBytes(SaverPlaylist(), "/m/a.avi\r\n/m/b.avi\r\n/m/a.avi");
    Logic().Form_Load();  // a hand-edited file may repeat a row
    Logic().RandomFileList();
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/a.avi", "/m/b.avi"}));
    EXPECT_EQ(view.rows, Logic().lstFiles());
}

// ---- Adding and dropping ----

using FrmConfigAddTest = FrmConfigLogicTest;

TEST_F(FrmConfigAddTest, OneFile) {
    Logic().cmdAdd_FileSelected("/home/u/Movies/a.avi", "/home/u/Movies");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/home/u/Movies/a.avi"}));
    EXPECT_EQ(view.rows, Logic().lstFiles());
}

TEST_F(FrmConfigAddTest, OneFileInTheRootGetsOneSeparator) {
    Logic().cmdAdd_FileSelected("/a.avi", "/");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/a.avi"}));
}

TEST_F(FrmConfigAddTest, OneFileInADriveRootOnWindows) {
    FrmConfigLogic windows(PlaylistPlaces::Beside(folder.path(), '\\'), settings, playlists, view,
                           RandomOrder(), '\\');
    windows.cmdAdd_FileSelected("C:\\a.avi", "C:\\");
    windows.cmdAdd_FileSelected("D:\\Movies\0b.avi\0c.avi"s, "D:\\Movies");
    EXPECT_EQ(windows.lstFiles(), (Rows{"C:\\a.avi", "D:\\Movies\\b.avi", "D:\\Movies\\c.avi"}));
}

TEST_F(FrmConfigAddTest, SeveralFilesWithSomeListedAddOnlyTheOthersInOrder) {
    Fill({"/m/B.AVI"});
    Logic().cmdAdd_FileSelected("/m\0c.avi\0b.avi\0a.avi"s, "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/B.AVI", "/m/c.avi", "/m/a.avi"}));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.appendedConsistently);
}

TEST_F(FrmConfigAddTest, AListedFileInAnyCaseIsNotAddedAgain) {
    Fill({"/m/Été.avi"});
    Logic().cmdAdd_FileSelected("/m/ÉTÉ.AVI", "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/Été.avi"}));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(FrmConfigAddTest, APathThatBeginsARowIsRefusedTheLongerOneIsAdded) {
    Fill({"/m/a.avi.mp4"});
    Logic().cmdAdd_FileSelected("/m/a.avi", "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi.mp4"}));

    Logic().cmdClear_Click();
    Logic().cmdAdd_FileSelected("/m/a.avi", "/m");
    Logic().cmdAdd_FileSelected("/m/a.avi.mp4", "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/a.avi.mp4"}));
}

TEST_F(FrmConfigAddTest, WithinOneSelectionTheLongerFirstRefusesTheShorter) {
    Logic().cmdAdd_FileSelected("/m\0a.avi.mp4\0a.avi"s, "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi.mp4"}));
}

TEST_F(FrmConfigAddTest, WithinOneSelectionTheShorterFirstAddsBoth) {
    Logic().cmdAdd_FileSelected("/m\0a.avi\0a.avi.mp4"s, "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/a.avi.mp4"}));
}

TEST_F(FrmConfigAddTest, ASplitErrorIsShownAndAddsNothing) {
    Logic().cmdAdd_FileSelected("/a.avi", "/home/u/Movies");
    EXPECT_TRUE(Logic().lstFiles().empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].kind, Kind::Critical);
    EXPECT_EQ(view.messages[0].text, "GetDlgSelectFileInfo函数执行错误！");
    EXPECT_EQ(view.messages[0].title, "自定义函数错误");
    EXPECT_EQ(view.appends, 0);
}

TEST_F(FrmConfigAddTest, EmptyNamesAddNoBareFolder) {
    Logic().cmdAdd_FileSelected("/m\0a.avi\0\0b.avi\0"s, "/m");
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi", "/m/b.avi"}));
}

TEST_F(FrmConfigAddTest, DropAddsPathsUnchangedInOrderFoldersToo) {
    Logic().lstFiles_OLEDragDrop({"/m/b.avi", "/m/films", "/m/a b.avi"});
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/b.avi", "/m/films", "/m/a b.avi"}));
}

TEST_F(FrmConfigAddTest, DropOfAListedFileAddsNothing) {
    Fill({"/m/a.avi"});
    const int appends = view.appends;
    Logic().lstFiles_OLEDragDrop({"/M/A.AVI"});
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi"}));
    EXPECT_EQ(view.appends, appends);
}

TEST_F(FrmConfigAddTest, DropChecksAgainstRowsItJustAdded) {
    Logic().lstFiles_OLEDragDrop({"/m/a.avi.mp4", "/m/a.avi", "/m/A.AVI.MP4"});
    EXPECT_EQ(Logic().lstFiles(), (Rows{"/m/a.avi.mp4"}));
}

TEST_F(FrmConfigAddTest, CheckForDupes2OnAnEmptyListIsFalse) {
    EXPECT_FALSE(Logic().CheckForDupes2("/m/a.avi"));
    EXPECT_FALSE(Logic().CheckForDupes2(""));
}

// ---- The row limit ----

class FrmConfigLimitTest : public FrmConfigLogicTest {
  protected:
    // The list three rows short of full.
    void FillAlmost() {
        Rows rows;
        for (std::size_t i = 0; i + 3 < kMaxPlaylistRows; ++i)
            rows.push_back("/m/" + std::to_string(i));
        Logic().lstFiles_OLEDragDrop(rows);
        ASSERT_EQ(Logic().lstFiles().size(), kMaxPlaylistRows - 3);
    }

    void ExpectToldOnce(int leftOut) {
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].kind, Kind::Information);
        EXPECT_EQ(view.messages[0].title, "提示");
        EXPECT_EQ(view.messages[0].text, "对不起！电影文件列表最多只能容纳32767个文件！\r\n有" +
                                             std::to_string(leftOut) + "个文件没有添加。");
    }
};

TEST_F(FrmConfigLimitTest, AddTakesWhatFitsAndTellsHowManyWereLeftOut) {
    FillAlmost();
    // "5" is listed already: it counts neither as added nor as left out.
    Logic().cmdAdd_FileSelected(
        "/m\0x\0"
        "5\0c\0d\0e\0f"s,
        "/m");
    ExpectToldOnce(2);
    EXPECT_EQ(Logic().lstFiles().size(), kMaxPlaylistRows);
    EXPECT_EQ(Logic().lstFiles().back(), "/m/d");
    EXPECT_EQ(view.rows.size(), kMaxPlaylistRows);
}

TEST_F(FrmConfigLimitTest, DropTakesWhatFitsAndTellsOnce) {
    FillAlmost();
    Logic().lstFiles_OLEDragDrop({"/d/1", "/d/2", "/d/3", "/d/4", "/d/5", "/d/6"});
    ExpectToldOnce(3);
    EXPECT_EQ(Logic().lstFiles().back(), "/d/3");
}

TEST_F(FrmConfigLimitTest, AFullListStillRefusesDuplicatesSilently) {
    FillAlmost();
    Logic().lstFiles_OLEDragDrop({"/d/1", "/d/2", "/d/3"});
    Logic().lstFiles_OLEDragDrop({"/D/1", "/m/7"});
    EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace revuro
