// Shortcut writing and reading against the shell's own link object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "shellpath/shell_services.h"
#include "shellpath/shortcut_target.h"
#include "tests/shellpath/win32/shell_test_support.h"
#include "tests/support/win32/running_under_wine.h"

namespace quillmark {
namespace {

using win32_testing::IsFile;
using win32_testing::ReadBytes;
using win32_testing::ReadLink;
using win32_testing::TempFolder;
using win32_testing::WriteBytes;

class ShortcutWin32Test : public ::testing::Test {
protected:
    ShortcutWin32Test() {
        program_ = folder_ / L"app.exe";
        WriteBytes(program_, {'M', 'Z'});
    }
    Platform View() { return platform_.View(); }
    std::wstring Resolve(const std::wstring& location) { return ResolveShortcutTarget(View(), location); }

    Win32Platform platform_;
    TempFolder folder_;
    std::wstring program_;
};

// --- round trips ------------------------------------------------------------------

struct RoundTripCase {
    const char* what;
    std::wstring (*target)(const TempFolder&);
    const wchar_t* name;
    std::wstring (*workingDirectory)(const TempFolder&);
};

class ShortcutRoundTripTest : public ShortcutWin32Test, public ::testing::WithParamInterface<RoundTripCase> {};

// The written shortcut carries the target and its folder and nothing else,
// and resolves back to the target.
TEST_P(ShortcutRoundTripTest, WritesAndResolves) {
    const RoundTripCase& c = GetParam();
    SCOPED_TRACE(c.what);
    CreateDirectoryW((folder_ / L"Sub Folder").c_str(), nullptr);
    const std::wstring target = c.target(folder_);
    ASSERT_TRUE(CreateShortcutFile(View(), target, c.name, folder_.Path()));
    const std::wstring file = folder_ / (std::wstring(c.name) + L".lnk");
    ASSERT_TRUE(IsFile(file));
    EXPECT_EQ(Resolve(file), target);
    const auto contents = ReadLink(file);
    ASSERT_TRUE(contents.loaded);
    EXPECT_EQ(contents.workingDirectory, c.workingDirectory(folder_));
    EXPECT_EQ(contents.arguments, L"");
    EXPECT_EQ(contents.description, L"");
    EXPECT_EQ(contents.iconLocation, L"");
    EXPECT_EQ(contents.hotKey, 0);
    EXPECT_EQ(contents.showCommand, SW_SHOWNORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ShortcutRoundTripTest,
    ::testing::Values(
        RoundTripCase{"program", [](const TempFolder& f) { return f / L"app.exe"; }, L"Program",
                      [](const TempFolder& f) { return f.Path() + L"\\"; }},
        RoundTripCase{"folder", [](const TempFolder& f) { return f / L"Sub Folder"; }, L"Folder",
                      [](const TempFolder& f) { return f.Path() + L"\\"; }},
        RoundTripCase{"trailing blank in name", [](const TempFolder& f) { return f / L"app.exe"; }, L"Blank ",
                      [](const TempFolder& f) { return f.Path() + L"\\"; }},
        RoundTripCase{"name outside the code page", [](const TempFolder& f) { return f / L"app.exe"; },
                      L"\u4e2d\u6587", [](const TempFolder& f) { return f.Path() + L"\\"; }}));

TEST_F(ShortcutWin32Test, WebAddressGetsTheSchemeAsWorkingDirectory) {
    const std::wstring target = L"http://www.example.com/start";
    ASSERT_TRUE(CreateShortcutFile(View(), target, L"Web", folder_.Path()));
    const auto contents = ReadLink(folder_ / L"Web.lnk");
    ASSERT_TRUE(contents.loaded);
    EXPECT_EQ(contents.workingDirectory, L"http:");
    // What the wide link object makes of an address is the shell's business;
    // resolution gives either that or the location, never something invented.
    const std::wstring resolved = Resolve(folder_ / L"Web.lnk");
    EXPECT_TRUE(resolved == contents.path || resolved == folder_ / L"Web.lnk") << testing::PrintToString(resolved);
}

TEST_F(ShortcutWin32Test, BareTargetGetsNoWorkingDirectory) {
    ASSERT_TRUE(CreateShortcutFile(View(), L"notepad.exe", L"Bare", folder_.Path()));
    const auto contents = ReadLink(folder_ / L"Bare.lnk");
    ASSERT_TRUE(contents.loaded);
    EXPECT_EQ(contents.workingDirectory, L"");
}

TEST_F(ShortcutWin32Test, SaveReplacesAnExistingShortcut) {
    const std::wstring other = folder_ / L"other.exe";
    WriteBytes(other, {'M', 'Z'});
    ASSERT_TRUE(CreateShortcutFile(View(), program_, L"Same", folder_.Path()));
    ASSERT_TRUE(CreateShortcutFile(View(), other, L"Same", folder_.Path()));
    EXPECT_EQ(Resolve(folder_ / L"Same.lnk"), other);
}

TEST_F(ShortcutWin32Test, FolderOutsideTheCodePageIsWritten) {
    const std::wstring startup = folder_ / L"\u0421\u0442\u0430\u0440\u0442 \u4e2d";
    ASSERT_TRUE(CreateDirectoryW(startup.c_str(), nullptr));
    EXPECT_TRUE(CreateShortcutFile(View(), program_, L"Tool", startup));
    EXPECT_TRUE(IsFile(startup + L"\\Tool.lnk"));
    EXPECT_EQ(Resolve(startup + L"\\Tool.lnk"), program_);
}

TEST_F(ShortcutWin32Test, MissingFolderReportsNothingWritten) {
    EXPECT_FALSE(CreateShortcutFile(View(), program_, L"Tool", folder_ / L"missing"));
    EXPECT_FALSE(IsFile(folder_ / L"missing\\Tool.lnk"));
}

// --- resolution -----------------------------------------------------------------------

TEST_F(ShortcutWin32Test, ExtensionInAnyLetterCaseResolvesToTheLongPath) {
    const std::wstring program = folder_ / L"Long Program Name.exe";
    WriteBytes(program, {'M', 'Z'});
    for (const wchar_t* name : {L"lower.lnk", L"UPPER.LNK", L"Mixed.Lnk"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        ASSERT_TRUE(win32_testing::WriteLink(folder_ / name, program));
        EXPECT_EQ(Resolve(folder_ / name), program);
    }
}

TEST_F(ShortcutWin32Test, DecoratedShortcutPathsComeBackUnchanged) {
    const std::wstring file = folder_ / L"Tool.lnk";
    ASSERT_TRUE(win32_testing::WriteLink(file, program_));
    for (const std::wstring& location : {L"\"" + file + L"\"", file + L" /min", file + L" ", file + L".bak",
                                         std::wstring(L"C:\\Dir.lnk\\x"), std::wstring()}) {
        SCOPED_TRACE(testing::PrintToString(location));
        EXPECT_EQ(Resolve(location), location);
    }
}

TEST_F(ShortcutWin32Test, UnreadableShortcutFilesGiveTheLocation) {
    const std::wstring real = folder_ / L"real.lnk";
    ASSERT_TRUE(win32_testing::WriteLink(real, program_));
    const std::vector<unsigned char> bytes = ReadBytes(real);
    ASSERT_GT(bytes.size(), 80u);
    std::vector<unsigned char> noise(512);
    unsigned seed = 12345;
    for (auto& b : noise) b = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    struct Case {
        const wchar_t* name;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {L"empty.lnk", {}},
        {L"noise.lnk", noise},
        {L"header only.lnk", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 76)},
        {L"half.lnk", std::vector<unsigned char>(bytes.begin(), bytes.begin() + bytes.size() / 2)},
        {L"text.lnk", {'h', 'e', 'l', 'l', 'o'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const std::wstring file = folder_ / c.name;
        ASSERT_TRUE(WriteBytes(file, c.bytes));
        const std::wstring resolved = Resolve(file);
        // A cut shortcut may still hold its whole target; anything else is the location.
        EXPECT_TRUE(resolved == file || resolved == program_) << testing::PrintToString(resolved);
    }
    EXPECT_EQ(Resolve(folder_ / L"empty.lnk"), folder_ / L"empty.lnk");
    EXPECT_EQ(Resolve(folder_ / L"noise.lnk"), folder_ / L"noise.lnk");
    EXPECT_EQ(Resolve(folder_ / L"missing.lnk"), folder_ / L"missing.lnk");
    EXPECT_EQ(Resolve(folder_ / L"header only.lnk"), folder_ / L"header only.lnk");
}

// Reading a shortcut never calls Resolve: the stored path comes back, the
// file is not rewritten (SLR_UPDATE would), and no search dialog appears.
TEST_F(ShortcutWin32Test, DeletedTargetGivesTheStoredPathWithoutSearch) {
    const std::wstring target = folder_ / L"gone.exe";
    WriteBytes(target, {'M', 'Z'});
    const std::wstring file = folder_ / L"Gone.lnk";
    ASSERT_TRUE(CreateShortcutFile(View(), target, L"Gone", folder_.Path()));
    ASSERT_TRUE(DeleteFileW(target.c_str()));
    const std::vector<unsigned char> before = ReadBytes(file);
    const int windowsBefore = win32_testing::VisibleWindowsOfThisProcess();
    EXPECT_EQ(Resolve(file), target);
    EXPECT_EQ(win32_testing::VisibleWindowsOfThisProcess(), windowsBefore);
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(ShortcutWin32Test, ShortcutToAFolderGivesTheFolder) {
    const std::wstring target = folder_ / L"Some Folder";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    ASSERT_TRUE(win32_testing::WriteLink(folder_ / L"dir.lnk", target));
    EXPECT_EQ(Resolve(folder_ / L"dir.lnk"), target);
}

// The wide link object keeps such a target on Windows. Wine's stores it
// through the ANSI code page; the "?" it then reports must not come back as
// a path, so the location does.
TEST_F(ShortcutWin32Test, TargetOutsideTheCodePageIsKeptOrGivesTheLocation) {
    const std::wstring target = folder_ / L"\u4e2d\u6587 \u0416.exe";
    ASSERT_TRUE(WriteBytes(target, {'M', 'Z'}));
    ASSERT_TRUE(CreateShortcutFile(View(), target, L"Wide", folder_.Path()));
    const std::wstring file = folder_ / L"Wide.lnk";
    const std::wstring stored = ReadLink(file).path;
    if (!test_support::RunningUnderWine()) {
        EXPECT_EQ(stored, target);
        EXPECT_EQ(Resolve(file), target);
        return;
    }
    EXPECT_NE(stored.find(L'?'), std::wstring::npos) << testing::PrintToString(stored);
    EXPECT_EQ(Resolve(file), file);
    GTEST_SKIP() << "Wine difference: the link object keeps the target through the ANSI code page";
}

TEST_F(ShortcutWin32Test, TargetWithAQuestionMarkGivesTheLocation) {
    // A stored path the ANSI form mangled: the link object keeps it as given.
    ASSERT_TRUE(win32_testing::WriteLink(folder_ / L"q.lnk", L"C:\\odd\\a?b.exe"));
    EXPECT_EQ(Resolve(folder_ / L"q.lnk"), folder_ / L"q.lnk");
}

// --- the installer route through the real link object ---------------------------------

// A plain shortcut whose stored target merely looks like the installer's cache
// takes the advertised route; the service does not know it, so the result is
// the link object's short path, or the location when it cannot resolve.
TEST_F(ShortcutWin32Test, CacheLookingTargetTakesTheInstallerRoute) {
    const std::wstring cache = folder_ / L"Windows\\Installer\\{0A1B2C3D-1111-2222-3333-444455556666}";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, cache.c_str(), nullptr), ERROR_SUCCESS);
    const std::wstring target = cache + L"\\Program Icon.exe";
    ASSERT_TRUE(WriteBytes(target, {'M', 'Z'}));
    const std::wstring file = folder_ / L"Cache.lnk";
    ASSERT_TRUE(win32_testing::WriteLink(file, target));

    // Windows reports the 8.3 form here; Wine may ignore SLGP_SHORTPATH and
    // report the long one.
    const std::wstring shortPath = win32_testing::ShortPath(file);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(Resolve(file), shortPath);

    TLinkParams params{L"sentinel", L"sentinel", L"sentinel", L"sentinel"};
    EXPECT_EQ(ResolveMsiShortcut(View(), file, params), kSOk);
    EXPECT_EQ(params.TargetPath, shortPath);
    EXPECT_EQ(params.Description, L"");
    EXPECT_EQ(params.Arguments, L"");
    EXPECT_EQ(params.WorkingDirectory, L"");

    // Once the target is gone the shell may fail to resolve the link (the
    // location comes back) or report the stored path.
    // Either way no window comes up and the shortcut is not written back.
    ASSERT_TRUE(DeleteFileW(target.c_str()));
    const std::vector<unsigned char> stored = ReadBytes(file);
    const int windowsBefore = win32_testing::VisibleWindowsOfThisProcess();
    const std::wstring resolved = Resolve(file);
    EXPECT_EQ(win32_testing::VisibleWindowsOfThisProcess(), windowsBefore);
    EXPECT_EQ(ReadBytes(file), stored);
    EXPECT_TRUE(resolved == file || resolved == shortPath) << testing::PrintToString(resolved);
}

// A shortcut path the ANSI code page cannot express takes the same route.
TEST_F(ShortcutWin32Test, CacheLookingShortcutUnderAWidePathTakesTheInstallerRoute) {
    const std::wstring cache = folder_ / L"Windows\\Installer\\{0A1B2C3D-1111-2222-3333-444455556666}";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, cache.c_str(), nullptr), ERROR_SUCCESS);
    const std::wstring target = cache + L"\\app.exe";
    ASSERT_TRUE(WriteBytes(target, {'M', 'Z'}));
    const std::wstring file = folder_ / L"\u4e2d.lnk";
    ASSERT_TRUE(win32_testing::WriteLink(file, target));
    EXPECT_EQ(Resolve(file), win32_testing::ShortPath(file));
}

}  // namespace
}  // namespace quillmark
