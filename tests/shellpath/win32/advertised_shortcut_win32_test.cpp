// A real advertised shortcut: the package built from
// tests/shellpath/data/advertised.wxs is installed with msiexec into this
// prefix, and its Startup-folder shortcut must resolve to the installed program.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/win32_platform.h"
#include "shellpath/shortcut_target.h"
#include "tests/shellpath/win32/shell_test_support.h"

namespace quillmark {
namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// Runs msiexec quietly and waits for it; its exit code, or -1 when it did not start.
long RunMsiexec(const std::wstring& arguments) {
    wchar_t system[MAX_PATH + 1] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\msiexec.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

std::wstring StartupFolder(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path)) ? std::wstring(path) : std::wstring();
}

TEST(AdvertisedShortcutWin32Test, ResolvesToTheInstalledProgram) {
    const std::wstring package = ExeFolder() + L"\\qm_advertised.msi";
    if (!win32_testing::IsFile(package)) GTEST_SKIP() << "qm_advertised.msi was not built (wixl missing)";
    ASSERT_EQ(RunMsiexec(L"/i \"" + package + L"\" /qn"), 0);

    // A per-machine install puts the shortcut into the all-users Startup folder.
    std::wstring shortcut;
    for (int csidl : {CSIDL_COMMON_STARTUP, CSIDL_STARTUP}) {
        const std::wstring candidate = StartupFolder(csidl) + L"\\QmAdvertised.lnk";
        if (win32_testing::IsFile(candidate)) shortcut = candidate;
    }
    ASSERT_FALSE(shortcut.empty()) << "the package wrote no Startup shortcut";

    Win32Platform platform;
    const std::wstring resolved = ResolveShortcutTarget(platform.View(), shortcut);
    RecordProperty("advertised_resolved", std::string(resolved.begin(), resolved.end()));
    EXPECT_TRUE(win32_testing::IsFile(resolved)) << testing::PrintToString(resolved);
    const std::wstring tail = L"\\QmAdvertised\\qmtool.exe";
    ASSERT_GE(resolved.size(), tail.size());
    EXPECT_EQ(_wcsicmp(resolved.substr(resolved.size() - tail.size()).c_str(), tail.c_str()), 0)
        << testing::PrintToString(resolved);

    // Leave the prefix as it was, so the test can run again.
    EXPECT_EQ(RunMsiexec(L"/x \"" + package + L"\" /qn"), 0);
    EXPECT_FALSE(win32_testing::IsFile(shortcut));
}

}  // namespace
}  // namespace quillmark
