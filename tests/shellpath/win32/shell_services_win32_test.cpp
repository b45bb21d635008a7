// Icons, the recycle bin and folder lookups against the real shell.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "platform/error.h"
#include "platform/win32/win32_image_list.h"
#include "platform/win32/win32_platform.h"
#include "shellpath/shell_services.h"
#include "tests/shellpath/win32/shell_test_support.h"

namespace quillmark {
namespace {

using win32_testing::IsFile;
using win32_testing::TempFolder;
using win32_testing::WriteBytes;

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t system[MAX_PATH + 1] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + name;
}

class ShellServicesWin32Test : public ::testing::Test {
protected:
    Platform View() { return platform_.View(); }

    Win32Platform platform_;
    Win32ImageList list_{16, [](int size) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, 0)));
    }};
    TempFolder folder_;
};

// --- image list --------------------------------------------------------------------

TEST_F(ShellServicesWin32Test, MakeImageList32BitKeepsTheBuiltInImageOnly) {
    ASSERT_EQ(list_.Count(), 1);
    HIMAGELIST reported = nullptr;
    int changes = 0;
    list_.SetHandleChanged([&](HIMAGELIST handle) {
        reported = handle;
        ++changes;
    });
    const HIMAGELIST before = list_.Handle();
    MakeImageList32Bit(&list_);
    EXPECT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.BitsPerPixel(), 32);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(reported, list_.Handle());
    EXPECT_NE(list_.Handle(), before);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list_.Handle(), &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list_.Handle(), 0, &info));
    EXPECT_NE(info.hbmMask, nullptr);
}

// A window moved to a screen of 200 %: the list starts anew at 32 pixels,
// and the shell hands over the image drawn for that size.
TEST_F(ShellServicesWin32Test, ResizeStartsTheListAnewAtTheNewSizeAndTheShellAnswersAtIt) {
    MakeImageList32Bit(&list_);
    ASSERT_EQ(AddFileIcon(View(), list_, SystemProgram(L"notepad.exe")), 1);
    HIMAGELIST reported = nullptr;
    list_.SetHandleChanged([&](HIMAGELIST handle) { reported = handle; });
    list_.Resize(32);
    EXPECT_EQ(reported, list_.Handle());
    EXPECT_EQ(list_.Count(), 1);
    EXPECT_EQ(list_.BitsPerPixel(), 32);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list_.Handle(), &width, &height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(list_.IconSize(), 32);
    for (const int size : {16, 20, 32}) {
        const auto icon = platform_.shell().GetFileIcon(SystemProgram(L"notepad.exe"), size);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<const Win32FileIcon&>(*icon).Handle(), &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        EXPECT_EQ(bitmap.bmWidth, size);
    }
}

TEST_F(ShellServicesWin32Test, AddFileIconGrowsTheListByOne) {
    MakeImageList32Bit(&list_);
    for (const std::wstring& path : {SystemProgram(L"notepad.exe"), SystemProgram(L"cmd.exe")}) {
        SCOPED_TRACE(testing::PrintToString(path));
        ASSERT_TRUE(IsFile(path)) << "every Windows has it in System32";
        const int before = list_.Count();
        EXPECT_EQ(AddFileIcon(View(), list_, path), before);
        EXPECT_EQ(list_.Count(), before + 1);
    }
    const std::wstring folder = folder_.Path();
    const int before = list_.Count();
    EXPECT_EQ(AddFileIcon(View(), list_, folder), before);  // a folder has the shell's folder icon
    for (const std::wstring& missing :
         {folder_ / L"missing.exe", L"C:\\" + std::wstring(300, L'x') + L".exe",
          std::wstring(L"\"C:\\quoted.exe\"")}) {
        SCOPED_TRACE(testing::PrintToString(missing));
        const int count = list_.Count();
        EXPECT_EQ(AddFileIcon(View(), list_, missing), -1);
        EXPECT_EQ(list_.Count(), count);
    }
}

// --- recycle bin ------------------------------------------------------------------------

TEST_F(ShellServicesWin32Test, RecycleFileMovesTheFileOut) {
    const std::wstring file = folder_ / L"entry.lnk";
    ASSERT_TRUE(WriteBytes(file, {1, 2, 3}));
    SHQUERYRBINFO before{};
    before.cbSize = sizeof(before);
    const bool counted = SUCCEEDED(SHQueryRecycleBinW(nullptr, &before));
    EXPECT_TRUE(RecycleFile(View(), file));
    EXPECT_FALSE(IsFile(file));
    // Moved to the recycle bin, not deleted: the bin holds one item more.
    if (!counted) GTEST_SKIP() << "SHQueryRecycleBinW cannot count the recycle bin here";
    SHQUERYRBINFO after{};
    after.cbSize = sizeof(after);
    ASSERT_TRUE(SUCCEEDED(SHQueryRecycleBinW(nullptr, &after)));
    EXPECT_EQ(after.i64NumItems, before.i64NumItems + 1);
}

TEST_F(ShellServicesWin32Test, RecycleFileWithAWideNameTakesOnlyThatFile) {
    // In ANSI both names would read "?.lnk" and the "?" would match either.
    const std::wstring first = folder_ / L"\u4e2d.lnk";
    const std::wstring second = folder_ / L"\u6587.lnk";
    ASSERT_TRUE(WriteBytes(first, {1}));
    ASSERT_TRUE(WriteBytes(second, {2}));
    EXPECT_TRUE(RecycleFile(View(), first));
    EXPECT_FALSE(IsFile(first));
    EXPECT_TRUE(IsFile(second));
}

TEST_F(ShellServicesWin32Test, RecycleFileRefusesAndTouchesNothing) {
    const std::wstring neighbour = folder_ / L"ab.lnk";
    const std::wstring other = folder_ / L"a1.lnk";
    ASSERT_TRUE(WriteBytes(neighbour, {1}));
    ASSERT_TRUE(WriteBytes(other, {1}));
    const std::wstring sub = folder_ / L"sub";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(sub + L"\\inner.txt", {1}));
    for (const std::wstring& path : {sub, folder_ / L"missing.lnk", folder_ / L"a?.lnk", folder_ / L"a*",
                                     folder_ / L"*.lnk", neighbour + L"\\", std::wstring()}) {
        SCOPED_TRACE(testing::PrintToString(path));
        EXPECT_FALSE(RecycleFile(View(), path));
    }
    EXPECT_TRUE(IsFile(neighbour));
    EXPECT_TRUE(IsFile(other));
    EXPECT_TRUE(IsFile(sub + L"\\inner.txt"));
}

TEST_F(ShellServicesWin32Test, RecycleFileCompletesARelativePath) {
    const std::wstring file = folder_ / L"relative.lnk";
    const std::wstring neighbour = folder_ / L"relative2.lnk";
    ASSERT_TRUE(WriteBytes(file, {1}));
    ASSERT_TRUE(WriteBytes(neighbour, {1}));
    wchar_t previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
    const bool recycled = RecycleFile(View(), L"relative.lnk");
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(recycled);
    EXPECT_FALSE(IsFile(file));
    EXPECT_TRUE(IsFile(neighbour));
}

// --- folder lookups ---------------------------------------------------------------------

TEST_F(ShellServicesWin32Test, FolderLookups) {
    wchar_t documents[MAX_PATH + 1] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
    EXPECT_EQ(SpecialFolderPath(View(), kCsidlPersonal), documents);
    // A documents folder whose name no ANSI code page holds comes back whole.
    const std::wstring wide = folder_ / L"\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b \u6587\u6863";
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    // Where the shell reads the folder from (Wine has no SHSetFolderPathW).
    const wchar_t* userShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    wchar_t previous[MAX_PATH + 1] = {};
    DWORD previousSize = sizeof(previous);
    const bool hadValue = RegGetValueW(HKEY_CURRENT_USER, userShellFolders, L"Personal",
                                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, previous,
                                       &previousSize) == ERROR_SUCCESS;
    const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, userShellFolders, L"Personal", REG_SZ, wide.c_str(), bytes),
              ERROR_SUCCESS);
    const std::wstring lookedUp = SpecialFolderPath(View(), kCsidlPersonal);
    if (hadValue) {
        RegSetKeyValueW(HKEY_CURRENT_USER, userShellFolders, L"Personal", REG_EXPAND_SZ, previous, previousSize);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, userShellFolders, L"Personal");
    }
    EXPECT_EQ(lookedUp, wide);
    EXPECT_EQ(SpecialFolderPath(View(), 0x7777), L"");
    EXPECT_FALSE(SpecialFolderPath(View(), kCsidlSystem).empty());

    wchar_t desktop[MAX_PATH + 1] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    EXPECT_EQ(DesktopPath(View()), desktop);

    const std::wstring programs = CommonShellFolderPath(View(), "Common Programs");
    EXPECT_FALSE(programs.empty());
    EXPECT_EQ(CommonShellFolderPath(View(), "No Such Folder Value"), L"");
}

}  // namespace
}  // namespace quillmark
