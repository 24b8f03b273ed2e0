#include "core/store/IniSettingsStore.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "core/Paths.h"
#include "core/store/PlayOptions.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using namespace std::string_literals;

constexpr const char* kApp = "DavodoR2.0";
constexpr const char* kSection = "选项设置";
constexpr const char* kRandom = "随机播放";
constexpr const char* kLoop = "顺序播放";

class IniSettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    std::string Path() const { return folder.File("revuro.ini"); }
    std::string Get(const char* key) const { return store.GetSetting(kApp, kSection, key); }

    TempFolder folder;
    IniSettingsStore store{folder.File("revuro.ini")};
};

TEST_F(IniSettingsStoreTest, BothKeysRoundTripBothValues) {
    for (const char* random : {"是", "否"}) {
        for (const char* loop : {"否", "是"}) {
            ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, random).ok());
            ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, loop).ok());
            EXPECT_EQ(Get(kRandom), random);
            EXPECT_EQ(Get(kLoop), loop);
        }
    }
}

TEST_F(IniSettingsStoreTest, MissingFileReadsEmpty) {
    EXPECT_EQ(Get(kLoop), "");
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST_F(IniSettingsStoreTest, MissingSectionOrKeyReadsEmpty) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, "是").ok());
    EXPECT_EQ(Get(kLoop), "");
    EXPECT_EQ(store.GetSetting(kApp, "其他", kRandom), "");
    EXPECT_EQ(store.GetSetting("Other", kSection, kRandom), "");
}

TEST_F(IniSettingsStoreTest, AnEmptyValueIsStoredAnAbsentKeyIsNot) {
    EXPECT_FALSE(store.HasSetting(kApp, kSection, kRandom));
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, "").ok());
    EXPECT_TRUE(store.HasSetting(kApp, kSection, kRandom));
    EXPECT_FALSE(store.HasSetting(kApp, kSection, kLoop));
}

TEST_F(IniSettingsStoreTest, SeveralChangesLandInOneReplaceOfTheFile) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "是").ok());
    const std::string before = ReadBytes(Path());
    ASSERT_TRUE(store.ChangeSettings(kApp, kSection, {{kLoop, "否"}, {kRandom, "是"}}).ok());
    EXPECT_EQ(Get(kLoop), "否");
    EXPECT_EQ(Get(kRandom), "是");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"revuro.ini"});

    // Putting back what was stored, an absent key as absent, gives back the same bytes.
    ASSERT_TRUE(
        store.ChangeSettings(kApp, kSection, {{kLoop, "是"}, {kRandom, std::nullopt}}).ok());
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_FALSE(store.HasSetting(kApp, kSection, kRandom));
}

TEST_F(IniSettingsStoreTest, OneBadChangeStoresNoneOfThem) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "是").ok());
    const std::string before = ReadBytes(Path());
    const Outcome changed =
        store.ChangeSettings(kApp, kSection, {{kRandom, "是"}, {kLoop, "a\nb"}});
    ASSERT_FALSE(changed.ok());
    EXPECT_NE(changed.error().reason.find(kLoop), std::string::npos);
    EXPECT_EQ(ReadBytes(Path()), before);
}

TEST_F(IniSettingsStoreTest, RemovingWhatIsNotThereTouchesNothing) {
    EXPECT_TRUE(store.ChangeSettings(kApp, kSection, {{kRandom, std::nullopt}}).ok());
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
    WriteBytes(Path(), "not a settings file\n");
    EXPECT_TRUE(store.ChangeSettings(kApp, kSection, {{kRandom, std::nullopt}}).ok());
    EXPECT_EQ(ReadBytes(Path()), "not a settings file\n");
}

TEST_F(IniSettingsStoreTest, SecondStoreSeesWhatTheFirstSaved) {
    IniSettingsStore other(Path());
    EXPECT_EQ(other.GetSetting(kApp, kSection, kLoop), "");
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "是").ok());
    EXPECT_EQ(other.GetSetting(kApp, kSection, kLoop), "是");
    ASSERT_TRUE(other.SaveSetting(kApp, kSection, kLoop, "否").ok());
    EXPECT_EQ(Get(kLoop), "否");
}

TEST_F(IniSettingsStoreTest, SavingOneKeyKeepsTheOthers) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, "是").ok());
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "否").ok());
    ASSERT_TRUE(store.SaveSetting("Other", "Section", "key", "value").ok());
    EXPECT_EQ(Get(kRandom), "是");
    EXPECT_EQ(Get(kLoop), "否");
    EXPECT_EQ(store.GetSetting("Other", "Section", "key"), "value");
}

TEST_F(IniSettingsStoreTest, ValuesComeBackExactly) {
    for (const std::string value : {"", " 是 ", "a=b", "[x]", ";not a comment", "C:\\电影"}) {
        ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, value).ok()) << value;
        EXPECT_EQ(Get(kLoop), value);
    }
}

TEST_F(IniSettingsStoreTest, FileIsPlainUtf8Ini) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, "否").ok());
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "是").ok());
    EXPECT_EQ(ReadBytes(Path()), "[DavodoR2.0\\选项设置]\n随机播放=否\n顺序播放=是\n");
}

TEST_F(IniSettingsStoreTest, HandEditedFileIsRead) {
    WriteBytes(Path(), "; kept by hand\r\n\r\n# note\r\n[DavodoR2.0\\选项设置]\r\n顺序播放=是\r\n");
    EXPECT_EQ(Get(kLoop), "是");
}

struct DamagedFile {
    std::string name;
    std::string bytes;
};

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.name; }

class CorruptSettingsFileTest : public IniSettingsStoreTest,
                                public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(CorruptSettingsFileTest, ReadsEmpty) {
    WriteBytes(Path(), GetParam().bytes);
    EXPECT_EQ(Get(kLoop), "");
    EXPECT_EQ(ReadBytes(Path()), GetParam().bytes);  // reading changes nothing
}

TEST_P(CorruptSettingsFileTest, SavingKeepsTheOldBytesAsideAndWritesAGoodFile) {
    WriteBytes(Path(), GetParam().bytes);
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "是").ok());
    EXPECT_EQ(ReadBytes(Path() + ".corrupt"), GetParam().bytes);
    EXPECT_EQ(Get(kLoop), "是");
    EXPECT_EQ(ReadBytes(Path()), "[DavodoR2.0\\选项设置]\n顺序播放=是\n");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"revuro.ini", "revuro.ini.corrupt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, CorruptSettingsFileTest,
    ::testing::Values(DamagedFile{"BinaryJunk",
                                  "\x7F"
                                  "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0"s},
                      // The right section and key, but in GBK rather than UTF-8.
                      DamagedFile{"InvalidUtf8",
                                  "[DavodoR2.0\\\xD1\xA1\xCF\xEE\xC9\xE8\xD6\xC3]\n"
                                  "\xCB\xB3\xD0\xF2\xB2\xA5\xB7\xC5=\xCA\xC7\n"},
                      DamagedFile{"GarbageLines", "this is not\nan ini file at all\n"},
                      DamagedFile{"KeyOutsideSection",
                                  "orphan=before any section\n[DavodoR2.0\\选项设置]\n"},
                      DamagedFile{"EmptyKey", "[DavodoR2.0\\选项设置]\n=no key\n"},
                      DamagedFile{"Nul", "[DavodoR2.0\\选项设置]\n顺序播放=是\n\0\n"s}),
    [](const ::testing::TestParamInfo<DamagedFile>& info) { return info.param.name; });

TEST_F(IniSettingsStoreTest, NewlinesAreRefusedAndNothingIsWritten) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, "否").ok());
    const std::string before = ReadBytes(Path());
    for (const std::string value : {"是\n", "a\r\nb", "\r"}) {
        const Outcome saved = store.SaveSetting(kApp, kSection, kLoop, value);
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.error().reason, "the setting \"顺序播放\" cannot be stored");
        EXPECT_EQ(saved.error().path, Path());
    }
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, "k\ney", "是").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, "a\nb", kLoop, "是").ok());
    EXPECT_EQ(ReadBytes(Path()), before);
}

TEST_F(IniSettingsStoreTest, KeysAndNamesThatWouldBreakTheFileAreRefused) {
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, "", "x").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, "a=b", "x").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, "[a]", "x").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, ";a", "x").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, "a]b", "k", "x").ok());
    EXPECT_FALSE(store.SaveSetting(kApp, kSection, kLoop, "\xFF").ok());
    EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST_F(IniSettingsStoreTest, NulIsRefusedSoTheFileNeverLooksDamaged) {
    ASSERT_TRUE(store.SaveSetting(kApp, kSection, kRandom, "是").ok());
    const Outcome saved = store.SaveSetting(kApp, kSection, kLoop, "是\0"s);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().reason, "the setting \"顺序播放\" cannot be stored");
    EXPECT_EQ(Get(kRandom), "是");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"revuro.ini"});
}

TEST_F(IniSettingsStoreTest, ParentFolderIsCreated) {
    const std::string nested = folder.File("config/deeper/revuro.ini");
    IniSettingsStore fresh(nested);
    ASSERT_TRUE(fresh.SaveSetting(kApp, kSection, kLoop, "是").ok());
    EXPECT_EQ(fresh.GetSetting(kApp, kSection, kLoop), "是");
    EXPECT_EQ(ReadBytes(nested), "[DavodoR2.0\\选项设置]\n顺序播放=是\n");
}

TEST_F(IniSettingsStoreTest, AFileInPlaceOfTheFolderIsToldAsSuch) {
    WriteBytes(folder.File("config"), "");
    IniSettingsStore blocked(folder.File("config/revuro.ini"));
    const Outcome saved = blocked.SaveSetting(kApp, kSection, kLoop, "是");
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().kind, ErrorKind::NotAFolder);
    EXPECT_EQ(saved.error().path, folder.File("config/revuro.ini"));
}

TEST_F(IniSettingsStoreTest, SavingLeavesNoTemporaryFileBehind) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(store.SaveSetting(kApp, kSection, kLoop, i % 2 ? "是" : "否").ok());
    }
    EXPECT_EQ(folder.Names(), std::set<std::string>{"revuro.ini"});
}

TEST_F(IniSettingsStoreTest, PlayOptionsReadAndWriteThroughTheStore) {
    const std::vector<SettingChange> nothingStored = play_options::StoredChoices(store);
    ASSERT_TRUE(play_options::WriteChoices(store, true, false).ok());
    EXPECT_EQ(Get(kLoop), "是");
    EXPECT_EQ(Get(kRandom), "否");
    EXPECT_TRUE(play_options::IsOn(play_options::Read(store, play_options::kLoopKey)));
    EXPECT_FALSE(play_options::IsOn(play_options::Read(store, play_options::kRandomKey)));

    const std::vector<SettingChange> stored = play_options::StoredChoices(store);
    ASSERT_TRUE(play_options::WriteChoices(store, false, true).ok());
    ASSERT_TRUE(store.ChangeSettings(kApp, kSection, stored).ok());
    EXPECT_EQ(Get(kLoop), "是");
    EXPECT_EQ(Get(kRandom), "否");
    ASSERT_TRUE(store.ChangeSettings(kApp, kSection, nothingStored).ok());
    EXPECT_FALSE(store.HasSetting(kApp, kSection, kLoop));
    EXPECT_FALSE(store.HasSetting(kApp, kSection, kRandom));
}

TEST(IniSettingsStorePathTest, LivesInTheUsersConfigFolder) {
    const std::string path = IniSettingsStore::DefaultPath();
    EXPECT_EQ(path.substr(path.rfind('/')), "/revuro.ini");
    EXPECT_TRUE(FileSystemPath(path).is_absolute()) << path;
}

}  // namespace
}  // namespace revuro
