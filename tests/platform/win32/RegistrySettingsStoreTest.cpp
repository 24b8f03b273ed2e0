#include "platform/win32/RegistrySettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace revuro {
namespace {

// The names the saver and the dialog use, and the same in code page 936.
const std::string kSection = "选项设置";
const std::string kLoop = "顺序播放";
const std::string kRandom = "随机播放";
const char* const kSection936 = "\xD1\xA1\xCF\xEE\xC9\xE8\xD6\xC3";
const char* const kLoop936 = "\xCB\xB3\xD0\xF2\xB2\xA5\xB7\xC5";
const char* const kYes936 = "\xCA\xC7";  // 是
const char* const kNo936 = "\xB7\xF1";   // 否

// Each test has an application of its own beside the real ones, removed afterwards: on a real
// Windows the tests never touch the user's own settings.
class RegistrySettingsStoreTest : public ::testing::Test {
  protected:
    void TearDown() override {
        const std::wstring key =
            L"Software\\VB and VBA Program Settings\\" + std::wstring(app.begin(), app.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    }

    // The section's key opened with the A functions, as a program of code page 936 opens it.
    HKEY CreateSectionKeyA() const {
        const std::string path =
            "Software\\VB and VBA Program Settings\\" + app + "\\" + kSection936;
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    static void RequireCodePage936() {
        ASSERT_EQ(GetACP(), 936u) << "run under a zh_CN.UTF-8 locale (scripts/wine-run does)";
    }

    const std::string app = "Revuro test " + std::to_string(GetCurrentProcessId());
    RegistrySettingsStore store;
};

TEST_F(RegistrySettingsStoreTest, SavedValuesReadBackAndMissingOnesReadEmpty) {
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "");
    EXPECT_FALSE(store.HasSetting(app, kSection, kLoop));
    ASSERT_TRUE(store.SaveSetting(app, kSection, kLoop, "是").ok());
    ASSERT_TRUE(store.SaveSetting(app, kSection, kRandom, "").ok());
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "是");
    EXPECT_TRUE(store.HasSetting(app, kSection, kRandom));
    EXPECT_EQ(store.GetSetting(app, kSection, kRandom), "");
    EXPECT_EQ(store.GetSetting(app, "其他", kLoop), "");
}

TEST_F(RegistrySettingsStoreTest, ValueIsUtf16TextUnderTheProgramSettingsKey) {
    ASSERT_TRUE(store.SaveSetting(app, kSection, kLoop, "否").ok());
    const std::wstring key = L"Software\\VB and VBA Program Settings\\" +
                             std::wstring(app.begin(), app.end()) + L"\\选项设置";
    wchar_t data[16] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"顺序播放", RRF_RT_ANY, &type, data, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 2 * sizeof(wchar_t));  // the character and its terminator
    EXPECT_EQ(std::wstring(data), L"否");
}

TEST_F(RegistrySettingsStoreTest, ReadsWhatTheAFunctionsWroteInCodePage936) {
    RequireCodePage936();
    HKEY key = CreateSectionKeyA();
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(RegSetValueExA(key, kLoop936, 0, REG_SZ, reinterpret_cast<const BYTE*>(kYes936), 3),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "是");
}

TEST_F(RegistrySettingsStoreTest, TheAFunctionsReadWhatItWroteInCodePage936) {
    RequireCodePage936();
    ASSERT_TRUE(store.SaveSetting(app, kSection, kLoop, "否").ok());
    HKEY key = CreateSectionKeyA();
    ASSERT_NE(key, nullptr);
    char data[16] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, kLoop936, nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(data), kNo936);
}

TEST_F(RegistrySettingsStoreTest, TextWithoutTerminatorAndOtherTypesAreReadSafely) {
    HKEY key = CreateSectionKeyA();
    ASSERT_NE(key, nullptr);
    const wchar_t unterminated[] = {L'是', L'x'};
    ASSERT_EQ(RegSetValueExW(key, L"顺序播放", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated),
              ERROR_SUCCESS);
    const DWORD number = 1;
    ASSERT_EQ(RegSetValueExW(key, L"随机播放", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "是x");
    EXPECT_EQ(store.GetSetting(app, kSection, kRandom), "");
    EXPECT_TRUE(store.HasSetting(app, kSection, kRandom));
}

TEST_F(RegistrySettingsStoreTest, ChangesAreStoredTogetherAndRemovalsRemove) {
    ASSERT_TRUE(store.SaveSetting(app, kSection, kRandom, "是").ok());
    ASSERT_TRUE(store.ChangeSettings(app, kSection, {{kLoop, "是"}, {kRandom, std::nullopt}}).ok());
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "是");
    EXPECT_FALSE(store.HasSetting(app, kSection, kRandom));
    // Removing what is not there changes nothing and is no error.
    EXPECT_TRUE(store.ChangeSettings(app, kSection, {{kRandom, std::nullopt}}).ok());
}

TEST_F(RegistrySettingsStoreTest, AFailingChangeSetsTheEarlierOnesBack) {
    ASSERT_TRUE(store.SaveSetting(app, kSection, kLoop, "否").ok());
    // The registry refuses value names longer than 16,383 characters.
    const Outcome changed = store.ChangeSettings(
        app, kSection, {{kLoop, "是"}, {kRandom, "是"}, {std::string(20000, 'k'), "是"}});
    ASSERT_FALSE(changed.ok());
    EXPECT_EQ(changed.error().path,
              "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + app + "\\选项设置");
    EXPECT_EQ(store.GetSetting(app, kSection, kLoop), "否");
    EXPECT_FALSE(store.HasSetting(app, kSection, kRandom));
}

TEST_F(RegistrySettingsStoreTest, NamesAndValuesThatCannotBeStoredAreRefusedByName) {
    const Outcome nested = store.SaveSetting(app, "a\\b", kLoop, "是");
    ASSERT_FALSE(nested.ok());
    EXPECT_EQ(nested.error().reason, "the section \"a\\b\" cannot be stored");
    const Outcome cut = store.SaveSetting(app, kSection, kLoop, std::string("是\0否", 7));
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.error().reason, "the setting \"" + kLoop + "\" cannot be stored");
    EXPECT_FALSE(store.SaveSetting(app, kSection, "", "是").ok());
    EXPECT_FALSE(store.SaveSetting(app, kSection, kLoop, "\xFF").ok());
    EXPECT_FALSE(store.HasSetting(app, kSection, kLoop));
}

}  // namespace
}  // namespace revuro
