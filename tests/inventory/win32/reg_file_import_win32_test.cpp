// A removal record imported by the system's own registry editor (regedit /s)
// gives every value back with its exact type and bytes, in the user's Run key
// and in both views of the machine's, and the StartupApproved marks with them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/listed_state.h"
#include "inventory/reg_file.h"
#include "inventory/registry_key_paths.h"
#include "inventory/run_key.h"
#include "inventory/startup_approved.h"
#include "platform/registry_accessor.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "tests/support/win32/running_under_wine.h"

namespace quillmark {
namespace {

std::vector<std::uint8_t> Utf16(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t c : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

// Runs the Windows folder's regedit.exe quietly on the file; its exit code, or -1.
long ImportWithRegedit(const std::wstring& file) {
    wchar_t windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(windows) + L"\\regedit.exe\" /s \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // A 32-bit process on 64-bit Windows is handed SysWOW64's regedit for this
    // path, which would import HKEY_LOCAL_MACHINE\SOFTWARE into the 32-bit
    // view; a double-click in Explorer starts the 64-bit one, as here.
    PVOID redirection = nullptr;
    const BOOL redirectionOff = Wow64DisableWow64FsRedirection(&redirection);
    const BOOL started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    if (redirectionOff) Wow64RevertWow64FsRedirection(redirection);
    if (!started) return -1;
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
}

struct Place {
    StartupScope scope;
    RegistryView view;
};

using Kinds = std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>>;

// Writes one value of each kind into each place's record section, deletes
// them, imports the record and compares.
void ExpectRegeditPutsBack(const Kinds& kinds) {
    Win32Registry registry;
    Win32FileSystem files;
    const std::vector<Place> places = {{StartupScope::CurrentUser, RegistryView::Default},
                                       {StartupScope::AllUsers, RegistryView::Bits64},
                                       {StartupScope::AllUsers, RegistryView::Bits32}};
    RegFileContent content;
    content.comments.push_back(L" a comment line \"C:\\x\"");
    // The machine's marks live in its 64-bit view, the 32-bit entries' ones too.
    const std::vector<ApprovalMark> marks = {{RegistryRoot::CurrentUser, L"Run", L"qm-import mark"},
                                             {RegistryRoot::LocalMachine, L"Run32", L"qm-import mark"}};
    const std::vector<std::uint8_t> disabled = {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 0x80};
    for (const ApprovalMark& mark : marks)
        content.values.push_back({MarkKeyFullPath(mark.root, mark.subkey), mark.name, kRegBinary, disabled});
    // regedit creates the StartupApproved keys a fresh prefix lacks; those go again afterwards.
    const wchar_t approvedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
    std::vector<HKEY> rootsWithoutApproved;
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, approvedKey, 0, KEY_READ, &key) != ERROR_SUCCESS) rootsWithoutApproved.push_back(root);
        const UniqueHkey owned(key);
    }
    for (std::size_t p = 0; p < places.size(); ++p) {
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            content.values.push_back({RunKeyFullPath(places[p].scope, places[p].view),
                                      L"qm-import \u041f=\"" + std::to_wstring(p * 100 + i) + L"\\", kinds[i].first,
                                      kinds[i].second});
        }
    }

    RegistryAccessor accessor(registry);
    auto deleteAll = [&] {
        for (const RegFileValue& value : content.values) {
            const auto location = KeyLocationOf(value.keyPath, registry.HasTwoViews());
            ASSERT_TRUE(location);
            if (auto key = registry.OpenKey(location->root, location->path, KeyAccess::SetValue, location->view))
                key->DeleteValue(value.name);
        }
    };
    deleteAll();
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"qm-import-test.reg";
    ASSERT_EQ(files.WriteFile(file, RegFileBytes(RegFileText(content))), kErrorSuccess);
    EXPECT_EQ(ImportWithRegedit(file), 0);
    DeleteFileW(file.c_str());

    for (const Place& place : places) {
        RunKey key(accessor, place.scope, place.view);
        for (const RegFileValue& value : content.values) {
            if (value.keyPath != RunKeyFullPath(place.scope, place.view)) continue;
            SCOPED_TRACE(testing::Message() << testing::PrintToString(value.keyPath) << " type " << value.type);
            const ListedState now = key.Listed(value.name);
            EXPECT_TRUE(now.known);
            EXPECT_EQ(now.valueType, value.type);
            EXPECT_EQ(now.valueData, value.data);
        }
    }
    for (const ApprovalMark& mark : marks) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        EXPECT_TRUE(ReadMark(registry, mark, type, data) && type == kRegBinary && data == disabled)
            << testing::PrintToString(mark.subkey);
    }
    // The other view of the machine's key got nothing from a section not its own.
    {
        RunKey key(accessor, StartupScope::AllUsers, RegistryView::Bits64);
        EXPECT_FALSE(key.Listed(content.values.back().name).known);
    }
    deleteAll();
    for (const HKEY root : rootsWithoutApproved) RegDeleteTreeW(root, approvedKey);
}

TEST(RegFileImportWin32, RegeditPutsBackEachValueExactly) {
    std::vector<std::uint8_t> binary;
    for (int i = 0; i < 61; ++i) binary.push_back(static_cast<std::uint8_t>(i * 7));
    ExpectRegeditPutsBack({
        {kRegSz, Utf16(L"\"C:\\Program Files\\a b\\x.exe\" /q=1")},
        {kRegSz, Utf16(L"")},
        {kRegSz, {}},
        {kRegExpandSz, Utf16(L"%SystemRoot%\\\u4e2d\u6587\\\u00e9.exe")},
        {kRegMultiSz, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}},
        {kRegDword, {1, 2, 3, 0xfe}},
        {kRegBinary, binary},
        {kRegQword, {1, 0, 0, 0, 0, 0, 0, 0x80}},
    });
}

// String data of odd size goes in the hex(1) form. Windows' regedit stores
// those bytes as given; Wine's re-terminates them ("A\0B" comes back as
// "A\0\0\0\0"). Quillmark's own undo writes the exact bytes either way.
TEST(RegFileImportWin32, RegeditPutsBackOddSizedStringData) {
    if (test_support::RunningUnderWine())
        GTEST_SKIP() << "Wine's regedit re-terminates hex(1) string data; Windows keeps the bytes";
    ExpectRegeditPutsBack({{kRegSz, {0x41, 0x00, 0x42}}});
}

}  // namespace
}  // namespace quillmark
