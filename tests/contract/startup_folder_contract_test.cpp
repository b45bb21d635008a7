#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/windows_start_man.h"
#include "platform/file_system.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {
namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> list) {
    std::sort(list.begin(), list.end());
    return list;
}

// A Startup folder as users leave it: the shell's hidden desktop.ini, plain,
// read-only, system and hidden files, a subfolder with its own files, and
// names the ANSI code page cannot hold. The file system decides the order.
struct StartupFolderContents {
    std::wstring folder;  // ends with a backslash
    std::vector<std::wstring> visible;
};

StartupFolderContents SeedStartupFolder(ContractTest& test, const std::wstring& base) {
    StartupFolderContents contents{base + L"\\", {}};
    test.MakeFile(contents.folder + L"desktop.ini", kAttrHidden | kAttrSystem);
    test.MakeFile(contents.folder + L"hidden.lnk", kAttrHidden);
    const std::vector<std::pair<std::wstring, std::uint32_t>> files{
        {L"app.exe", kAttrArchive},
        {L"exec.txt", kAttrNormal},
        {L"Tool.LNK", kAttrReadOnly},
        {L"system.lnk", kAttrSystem | kAttrArchive},
        {L"\u4e2d\u6587.lnk", kAttrArchive},
        {L"\u0100pp.lnk", kAttrArchive},
        {L"noext", kAttrArchive},
        {std::wstring(200, L'L') + L".lnk", kAttrArchive},
    };
    for (const auto& [name, attributes] : files) {
        contents.visible.push_back(test.MakeFile(contents.folder + name, attributes));
    }
    test.MakeFolder(contents.folder + L"Sub.exe");
    test.MakeFile(contents.folder + L"Sub.exe\\inner.exe", kAttrArchive);
    return contents;
}

TEST_P(ContractTest, ListFolderFilesKeepsVisiblePlainFilesOnly) {
    const auto contents = SeedStartupFolder(*this, ScratchFolder(L"list"));
    const Platform platform = backend_->View();
    TWindowsStartMan startMan(platform);
    // The list is appended to, not replaced.
    std::vector<std::wstring> list{L"before"};
    startMan.ListFolderFiles(contents.folder, L"", list);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front(), L"before");
    list.erase(list.begin());
    EXPECT_EQ(Sorted(list), Sorted(contents.visible));
}

TEST_P(ContractTest, ListFolderFilesFilterIsAnUpperCasedSubstring) {
    const auto contents = SeedStartupFolder(*this, ScratchFolder(L"filter"));
    const Platform platform = backend_->View();
    TWindowsStartMan startMan(platform);
    struct Row {
        const wchar_t* filter;
        std::vector<std::wstring> names;  // empty: every visible file
    };
    const std::vector<Row> rows{
        {L".*", {}},
        {L"  .*  ", {}},
        {L" \t", {}},
        {L"exe", {L"app.exe", L"exec.txt"}},
        {L"EXE", {L"app.exe", L"exec.txt"}},
        {L".lnk", {L"Tool.LNK", L"system.lnk", L"\u4e2d\u6587.lnk", L"\u0100pp.lnk", std::wstring(200, L'L') + L".lnk"}},
        {L"\u0101P", {L"\u0100pp.lnk"}},
        {L"\u4e2d", {L"\u4e2d\u6587.lnk"}},
        {L"*.exe", {{}}},  // not a wildcard: no name holds "*"
        {L"inner", {{}}},
        {L"desktop", {{}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "filter length " << std::wstring(row.filter).size());
        std::vector<std::wstring> expected;
        if (row.names.empty()) {
            expected = contents.visible;
        } else {
            for (const auto& name : row.names) {
                if (!name.empty()) expected.push_back(contents.folder + name);
            }
        }
        std::vector<std::wstring> list;
        startMan.ListFolderFiles(contents.folder, row.filter, list);
        EXPECT_EQ(Sorted(list), Sorted(expected));
    }
}

TEST_P(ContractTest, ListFolderFilesOfEmptyOrMissingFolderIsEmpty) {
    const std::wstring empty = ScratchFolder(L"empty") + L"\\";
    const Platform platform = backend_->View();
    TWindowsStartMan startMan(platform);
    std::vector<std::wstring> list;
    startMan.ListFolderFiles(empty, L"", list);
    EXPECT_TRUE(list.empty());
    startMan.ListFolderFiles(empty + L"missing\\", L"", list);
    EXPECT_TRUE(list.empty());
    startMan.ListFolderFiles(L"Q:\\" + Name(L"nowhere") + L"\\", L"", list);
    EXPECT_TRUE(list.empty());
    // A long folder path beyond MAX_PATH names nothing that exists.
    startMan.ListFolderFiles(empty + std::wstring(300, L'd') + L"\\", L"", list);
    EXPECT_TRUE(list.empty());
}

TEST_P(ContractTest, StartupFoldersComeFromShellFolders) {
    const Platform platform = backend_->View();
    TWindowsStartMan startMan(platform);
    const std::wstring user = startMan.UserStartupFolder();
    const std::wstring common = startMan.CommonStartupFolder();
    EXPECT_EQ(user, StartupFolderOf(RegistryRoot::CurrentUser));
    EXPECT_EQ(common, StartupFolderOf(RegistryRoot::LocalMachine));
    EXPECT_TRUE(platform.files.DirectoryExists(user));
    EXPECT_TRUE(platform.files.DirectoryExists(common));
    EXPECT_NE(user, common);
}

// Each scope lists its own folder, the one the shell's known folder names
// (redirection writes User Shell Folders) even where the Shell Folders cache
// is stale; and a folder whose path the ANSI code page cannot hold is still
// found: the path is used as read.
TEST_P(ContractTest, ListsEachScopesStartupFolderWhateverItsName) {
    const std::wstring userFolder = ScratchFolder(L"user\u4e2d");
    const std::wstring commonFolder = ScratchFolder(L"common\u4e2d\u0100");
    const std::wstring stale = ScratchFolder(L"stale");
    const std::wstring userFile = MakeFile(userFolder + L"\\u.lnk", kAttrArchive);
    const std::wstring commonFile = MakeFile(commonFolder + L"\\c\u4e2d.lnk", kAttrArchive);
    MakeFile(stale + L"\\stale.lnk", kAttrArchive);
    ReplaceValue(RegistryRoot::CurrentUser, kUserShellFoldersPath, L"StartUp", kRegSz, Utf16Bytes(userFolder + L'\0'));
    ReplaceValue(RegistryRoot::LocalMachine, kUserShellFoldersPath, L"Common Startup", kRegExpandSz,
                 Utf16Bytes(commonFolder + L'\0'));
    ReplaceValue(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kRegSz, Utf16Bytes(stale + L'\0'));
    ReplaceValue(RegistryRoot::LocalMachine, kShellFoldersPath, L"Common Startup", kRegSz, Utf16Bytes(stale + L'\0'));
    const Platform platform = backend_->View();
    TWindowsStartMan startMan(platform);
    EXPECT_EQ(startMan.UserStartupFolder(), userFolder);
    EXPECT_EQ(startMan.CommonStartupFolder(), commonFolder);
    std::vector<std::wstring> list;
    startMan.ListUserStartup(list);
    EXPECT_EQ(list, std::vector<std::wstring>{userFile});
    list.clear();
    startMan.ListCommonStartup(list);
    EXPECT_EQ(list, std::vector<std::wstring>{commonFile});
}

// Where the shell cannot name the folder (it does not exist), the Shell
// Folders value serves; when that is unusable too, nothing is listed (not
// the root of the current drive).
TEST_P(ContractTest, UnusableShellFoldersValueGivesNoFolderAndNoListing) {
    if (backend_->IsWine())
        GTEST_SKIP() << "Wine difference: its shell writes Shell Folders afresh from User Shell Folders on every "
                        "lookup, a failed one too, so no other fallback value can be staged";
    const std::wstring missing = ScratchFolder(L"gone") + L"\\missing";
    const std::wstring fallback = ScratchFolder(L"fallback");
    struct Row {
        const char* label;
        std::optional<RawValue> value;  // nullopt: the value is missing
        std::wstring expected;
    };
    const std::vector<Row> rows{
        {"usable", RawValue{kRegSz, Utf16Bytes(fallback + L'\0')}, fallback},
        {"missing", std::nullopt, L""},
        {"empty text", RawValue{kRegSz, Utf16Bytes(std::wstring(1, L'\0'))}, L""},
        {"no data", RawValue{kRegSz, {}}, L""},
        {"a number", RawValue{kRegDword, {1, 0, 0, 0}}, L""},
        {"binary", RawValue{kRegBinary, Utf16Bytes(std::wstring(L"C:\\") + L'\0')}, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
            const wchar_t* valueName = root == RegistryRoot::CurrentUser ? L"StartUp" : L"Common Startup";
            ReplaceValue(root, kUserShellFoldersPath, valueName, kRegSz, Utf16Bytes(missing + L'\0'));
            if (row.value) {
                ReplaceValue(root, kShellFoldersPath, valueName, row.value->type, row.value->bytes);
            } else {
                RemoveValue(root, kShellFoldersPath, valueName);
            }
        }
        const Platform platform = backend_->View();
        TWindowsStartMan startMan(platform);
        EXPECT_EQ(startMan.UserStartupFolder(), row.expected);
        EXPECT_EQ(startMan.CommonStartupFolder(), row.expected);
        if (!row.expected.empty()) continue;
        std::vector<std::wstring> list{L"sentinel"};
        startMan.ListUserStartup(list);
        startMan.ListCommonStartup(list);
        EXPECT_EQ(list, std::vector<std::wstring>{L"sentinel"});
    }
}

}  // namespace
}  // namespace quillmark
