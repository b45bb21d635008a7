// The real quillmark-cli.exe in the seeded prefix, its output read through a
// pipe as a script reads it: it lists what the window lists, and what it
// removes the window's Undo puts back.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/record_parsers.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/console_program.h"
#include "tests/ui/support/dialog_boxes.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

// Outside every code page's reach: Cyrillic, Chinese, and a character
// outside the Basic Multilingual Plane.
const std::wstring kWideName = L"QM \u041f\u0440\u043e\u0433 \u7a0b\u5e8f \xD83D\xDE00";
const std::wstring kWideData = L"\"C:\\windows\\notepad.exe\" /\u00e9\u4e2d\xD83D\xDE00";

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};

// The user's Run value as stored, byte for byte; type REG_NONE when it is gone.
RawValue UserRunValue(const std::wstring& name) {
    RawValue value;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr,
                     &size) != ERROR_SUCCESS) {
        return RawValue{};
    }
    value.data.resize(size);
    RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, nullptr, value.data.data(),
                 &size);
    value.data.resize(size);
    return value;
}

class CliUiTest : public MainWindowTest {
protected:
    ConsoleRun Cli(const std::vector<std::wstring>& arguments) {
        return RunConsoleProgram(QuillmarkCliExePath(), arguments);
    }
};

// The window's Status column in the words of the records.
std::wstring StatusWord(const std::wstring& shown) {
    if (shown.rfind(L"Disabled", 0) == 0) return L"disabled";
    return shown == L"Program not found" ? L"program not found" : shown == L"Enabled" ? L"enabled" : L"? " + shown;
}

TEST_F(CliUiTest, ListsWhatTheWindowListsInUtf8ThatReadsBackExactly) {
    seed_.AddString(Scope::CurrentUser, kWideName, kWideData);
    seed_.AddStringAt(Scope::CurrentUser, kRunOnceKeyPath, L"QM Once", L"C:\\windows\\notepad.exe /once");
    seed_.AddStringAt(Scope::AllUsers, kPolicyRunKeyPath, L"QM Policy", L"C:\\windows\\regedit.exe");
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<std::wstring> shown;
    for (const Scope scope : {Scope::CurrentUser, Scope::AllUsers}) {
        // "Program not found" is known only once the icons have arrived, and
        // a tab's icons are dropped when the other tab is loaded.
        if (scope == Scope::AllUsers) {
            ASSERT_NO_FATAL_FAILURE(OpenAllUsersTab());
        }
        ASSERT_TRUE(WaitForRows(scope));
        ASSERT_TRUE(WaitForIcons(scope));
        const RemoteListView list = List(scope);
        for (int row = 0; row < list.ItemCount(); ++row) {
            shown.push_back(std::wstring(scope == Scope::CurrentUser ? L"user" : L"all") + L"|" +
                            list.ItemText(row, 3) + L"|" + list.ItemText(row, 0) + L"|" + list.ItemText(row, 1) +
                            L"|" + StatusWord(list.ItemText(row, 2)));
        }
    }

    const ConsoleRun json = Cli({L"list", L"--format", L"json"});
    ASSERT_EQ(json.exitCode, 0u) << json.error;
    const auto objects = testing_support::ParseJsonObjects(FromUtf8(json.out));
    ASSERT_TRUE(objects) << json.out;
    std::vector<std::wstring> listed;
    for (const auto& object : *objects) {
        listed.push_back(*object.at(L"scope") + L"|" + *object.at(L"source") + L"|" + *object.at(L"name") + L"|" +
                         *object.at(L"command") + L"|" + *object.at(L"status"));
    }
    EXPECT_EQ(listed, shown);
    for (const std::wstring& row : {L"user|Run|" + kWideName + L"|" + kWideData + L"|enabled",
                                    std::wstring(L"user|Run once|QM Once|C:\\windows\\notepad.exe /once|enabled"),
                                    std::wstring(L"all|Policy|QM Policy|C:\\windows\\regedit.exe|enabled")}) {
        EXPECT_NE(std::find(listed.begin(), listed.end(), row), listed.end()) << testing::PrintToString(row);
    }

    // CSV carries the characters themselves: UTF-8, no byte order mark.
    const ConsoleRun csv = Cli({L"list", L"--format", L"csv", L"--scope", L"user"});
    ASSERT_EQ(csv.exitCode, 0u) << csv.error;
    EXPECT_EQ(csv.out.rfind("scope,source,name,", 0), 0u);
    const auto rows = testing_support::ParseCsv(FromUtf8(csv.out));
    ASSERT_TRUE(rows);
    const auto wide = std::find_if(rows->begin(), rows->end(), [](const auto& row) { return row.at(2) == kWideName; });
    ASSERT_NE(wide, rows->end());
    EXPECT_EQ(wide->at(4), kWideData);
}

TEST_F(CliUiTest, WhatItRemovesTheWindowsUndoAndItsOwnPutBackByteForByte) {
    seed_.AddString(Scope::CurrentUser, kWideName, kWideData, REG_EXPAND_SZ);
    const RawValue seeded = UserRunValue(kWideName);
    ASSERT_EQ(seeded.type, static_cast<DWORD>(REG_EXPAND_SZ));

    // A name the Run key and the Startup folder share is no single entry.
    seed_.AddString(Scope::CurrentUser, L"regedit.exe", L"C:\\windows\\regedit.exe");
    const ConsoleRun ambiguous = Cli({L"remove", L"--name", L"REGEDIT.EXE"});
    EXPECT_EQ(ambiguous.exitCode, 2u);
    EXPECT_NE(ambiguous.error.find("Startup folder"), std::string::npos) << ambiguous.error;
    EXPECT_NE(GetFileAttributesW(currentUserShortcut_.c_str()), INVALID_FILE_ATTRIBUTES);

    const ConsoleRun removed = Cli({L"remove", L"--name", kWideName, L"--scope", L"user"});
    ASSERT_EQ(removed.exitCode, 0u) << removed.error;
    ASSERT_EQ(UserRunValue(kWideName).type, static_cast<DWORD>(REG_NONE));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    RightClickAt(list.Window(), list.ItemCentre(RowNamed(list, kNotepadValue)));
    Sleep(300);
    PressKey('U');  // Undo removal, which first asks
    const auto question = app_->WaitForDialogBox();
    ASSERT_TRUE(question.has_value()) << "Undo removal asks first";
    EXPECT_NE(Describe(*question).find(kWideName), std::wstring::npos) << testing::PrintToString(Describe(*question));
    ASSERT_TRUE(AnswerDialogBox(*question, IDOK));
    ASSERT_TRUE(WaitFor([&] { return UserRunValue(kWideName).type != REG_NONE; }, 5000)) << "the window's Undo";
    EXPECT_EQ(UserRunValue(kWideName), seeded);
    ASSERT_NO_FATAL_FAILURE(Exit());

    ASSERT_EQ(Cli({L"remove", L"--name", kWideName}).exitCode, 0u);
    const ConsoleRun undone = Cli({L"undo"});
    ASSERT_EQ(undone.exitCode, 0u) << undone.error;
    EXPECT_EQ(UserRunValue(kWideName), seeded);
}

// A 32-bit console program without this manifest would be virtualized: a
// refused write to the machine's keys would land in the user's VirtualStore
// and read as success. Wine does not virtualize, so the manifest is read here.
TEST(CliProgram, ManifestKeepsItOutOfVirtualization) {
    const HMODULE exe = LoadLibraryExW(QuillmarkCliExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(exe, resource)));
    const std::string manifest(bytes, SizeofResource(exe, resource));
    EXPECT_NE(manifest.find("requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    FreeLibrary(exe);
}

}  // namespace
}  // namespace quillmark::uitest
