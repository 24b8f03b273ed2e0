#include "platform/ProgramFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Paths.h"
#include "platform/Files.h"
#include "platform/win32/WideText.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

using testing::Utf8Path;
using testing::Utf8String;

// Starts `program` and waits for its end; its exit status, or a failure naming what went wrong.
::testing::AssertionResult RunToEnd(const std::string& program, DWORD& status) {
    std::wstring commandLine = L"\"" + WideText(program).value() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return ::testing::AssertionFailure() << "could not start " << program;
    CloseHandle(process.hThread);
    const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &status);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (waited != WAIT_OBJECT_0)
        return ::testing::AssertionFailure() << "no end of " << program << " within 30 s";
    return ::testing::AssertionSuccess();
}

TEST(Win32ProgramFolderTest, IsTheFolderOfTheProgramNotTheWorkingFolder) {
    const testing::TempFolder temp;
    ASSERT_TRUE(temp.ok());
    // Chinese as the ANSI code page has it, and a character it lacks: only wide calls find both.
    const std::string folder = Utf8String(Utf8Path(temp.path()).make_preferred()) + "\\节目 🎬";
    ASSERT_TRUE(std::filesystem::create_directory(Utf8Path(folder)));
    const std::string probe = PathBeside(folder, "program_folder_probe.exe");
    std::filesystem::copy_file(Utf8Path(PathBeside(ProgramFolder(), "program_folder_probe.exe")),
                               Utf8Path(probe));

    DWORD status = 1;
    ASSERT_TRUE(RunToEnd(probe, status));
    EXPECT_EQ(status, 0u);
    const Result<std::string> found = ReadWholeFile(PathBeside(folder, "program-folder.txt"));
    ASSERT_TRUE(found.ok()) << found.error().Describe();
    EXPECT_EQ(found.value(), folder);
}

TEST(Win32ProgramFolderTest, IsADriveWithItsSeparatorAtTheRoot) {
    EXPECT_EQ(PathBeside("C:\\", "varariv.m3u"), "C:\\varariv.m3u");
    const std::string folder = ProgramFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder[1], ':');
    EXPECT_NE(folder.back(), '\\');
}

}  // namespace
}  // namespace revuro
