#include "platform/win32/SystemRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/about/frmAboutLogic.h"
#include "platform/NarrowCodec.h"

namespace revuro {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001;  // HKEY_CURRENT_USER
// "C:\工具\msinfo32.exe" in code page 936, as an installer of that code page writes it.
const std::string kToolPath936 = "C:\\\xB9\xA4\xBE\xDF\\msinfo32.exe";

// A key of the test's own below HKEY_CURRENT_USER, removed afterwards.
class SystemRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    void SetA(const char* name, DWORD type, const std::string& data) const {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    const std::string path = "Software\\Revuro test " + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    SystemRegistry registry;
};

TEST_F(SystemRegistryTest, ReadsTheValueAnAFunctionWroteByteForByte) {
    SetA("PATH", REG_SZ, kToolPath936 + '\0');
    auto opened = registry.OpenKey(kCurrentUser, path, kKeyRead);
    ASSERT_TRUE(opened.ok()) << opened.error().reason;
    const Result<RegistryValue> value = opened.value()->QueryValue("PATH", 1024);
    ASSERT_TRUE(value.ok()) << value.error().reason;
    EXPECT_EQ(value.value().type, kRegSz);
    EXPECT_EQ(value.value().data, kToolPath936 + '\0');
}

TEST_F(SystemRegistryTest, MissingKeyOrValueAndDataBeyondTheBufferAreErrors) {
    EXPECT_FALSE(registry.OpenKey(kCurrentUser, path + "\\missing", kKeyRead).ok());
    SetA("LONG", REG_SZ, std::string(1025, 'x'));
    auto opened = registry.OpenKey(kCurrentUser, path, kKeyRead);
    ASSERT_TRUE(opened.ok());
    EXPECT_FALSE(opened.value()->QueryValue("missing", 1024).ok());
    EXPECT_FALSE(opened.value()->QueryValue("LONG", 1024).ok());
}

TEST_F(SystemRegistryTest, TheAboutBoxLookupDecodesTheToolPathInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "run under a zh_CN.UTF-8 locale (scripts/wine-run does)";
    SetA("PATH", REG_SZ, kToolPath936 + '\0');
    SetA("NUMBER", REG_DWORD, std::string("\x2A\x00\x00\x00", 4));
    class NoView : public frmAboutView {
        void SetCaption(const std::string&) override {}
        void SetTitleText(const std::string&) override {}
        void SetVersionText(const std::string&) override {}
        void Unload() override {}
        void ShowMessage(const std::string&, const std::string&) override {}
        void OpenAddress(const std::string&) override {}
    } view;
    const NarrowCodec codec = NarrowCodec::ForLocale();
    frmAboutLogic logic(
        view, registry, codec, [](const std::string&) { return false; },
        [](const std::string&) { return Outcome(Ok()); });
    std::string text;
    ASSERT_TRUE(logic.GetKeyValue(kCurrentUser, path, "PATH", text));
    EXPECT_EQ(text, "C:\\工具\\msinfo32.exe");
    ASSERT_TRUE(logic.GetKeyValue(kCurrentUser, path, "NUMBER", text));
    EXPECT_EQ(text, "42");
}

}  // namespace
}  // namespace revuro
