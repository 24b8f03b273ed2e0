// What Windows reads from Revuro.scr without starting it: the version its properties show, the
// name the list of screen savers shows, and the program's icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProgramFolder.h"
#include "platform/win32/WideText.h"
#include "win32/Resources.h"

namespace revuro {
namespace {

std::wstring ScrPath() { return WideText(ProgramFolder() + "\\Revuro.scr").value(); }

class ScrResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        module = LoadLibraryExW(ScrPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << "Revuro.scr cannot be opened for its resources";
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

TEST_F(ScrResourcesTest, VersionIs2003AndTheDescriptionNamesTheProgram) {
    const std::wstring path = ScrPath();
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(3, 0));
    wchar_t* description = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\FileDescription",
                               reinterpret_cast<void**>(&description), &size));
    EXPECT_EQ(std::wstring(description), L"Revuro");
}

TEST_F(ScrResourcesTest, StringOneIsTheNameInTheListOfScreenSavers) {
    wchar_t name[64] = {};
    ASSERT_GT(LoadStringW(module, 1, name, 64), 0);
    EXPECT_EQ(std::wstring(name), L"Revuro");
}

TEST_F(ScrResourcesTest, TheProgramIconHasTheSizesWindowsShows) {
    for (int size : {16, 32, 48}) {
        const HICON icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP mask{};
        GetObjectW(parts.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(parts.hbmMask);
        if (parts.hbmColor != nullptr) DeleteObject(parts.hbmColor);
        DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace revuro
