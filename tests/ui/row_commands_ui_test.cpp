// The real window under Wine: the commands on selected rows, wired to the
// lists' keys, clicks and the toolbar, with their message boxes.
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/texts.h"
#include "app/control_ids.h"
#include "tests/ui/main_window_fixture.h"
#include "platform/win32/handles.h"
#include "tests/ui/support/handles.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

const std::wstring kConfirmation = std::wstring(L"Information: ") + texts::kDeleteQuestion;

std::wstring ReadWholeFile(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    text.resize(read / sizeof(wchar_t));
    return text;
}

std::int64_t RecycledItems() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) ? info.i64NumItems : -1;
}

// While it lives, nobody may delete values of the scope's Run key: an ACL
// that denies KEY_SET_VALUE to everyone, as Windows refuses a standard user
// on HKEY_LOCAL_MACHINE. The key's own ACL comes back at the end.
class RunKeyDeleteDenied {
public:
    explicit RunKeyDeleteDenied(Scope scope) {
        const REGSAM access = READ_CONTROL | WRITE_DAC | kSeedView;
        if (RegOpenKeyExW(RootOf(scope), kRunKeyPath, 0, access, key_.put()) != ERROR_SUCCESS) return;
        DWORD size = 0;
        RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        if (RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, original_.data(), &size) != ERROR_SUCCESS) return;
        PSECURITY_DESCRIPTOR denying = nullptr;
        // Deny everyone KEY_SET_VALUE (0x2), allow everyone the rest.
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                  &denying, nullptr)) {
            return;
        }
        applied_ = RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, denying) == ERROR_SUCCESS;
        LocalFree(denying);
    }
    ~RunKeyDeleteDenied() {
        if (applied_) RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, original_.data());
    }
    RunKeyDeleteDenied(const RunKeyDeleteDenied&) = delete;
    RunKeyDeleteDenied& operator=(const RunKeyDeleteDenied&) = delete;
    bool Applied() const noexcept { return applied_; }

private:
    UniqueHkey key_;
    std::vector<BYTE> original_;
    bool applied_ = false;
};

using RowCommandsUiTest = MainWindowTest;

TEST_F(RowCommandsUiTest, DeleteRemovesTheTwoSelectedEntriesAfterOk) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_NO_FATAL_FAILURE(SelectRows(Scope::CurrentUser, {kWinverValue, L"regedit.exe"}));
    const std::int64_t recycledBefore = RecycledItems();

    PressKey(VK_DELETE);
    const auto box = app_->WaitForDialogBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(Describe(*box), kConfirmation);
    Screenshot(L"ui-delete-confirmation");
    ASSERT_TRUE(AnswerDialogBox(*box, IDOK));

    ASSERT_TRUE(WaitFor([&] { return !seed_.HasValue(Scope::CurrentUser, kWinverValue); }, 5000));
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ExpectListShowsScope(Scope::CurrentUser);
    EXPECT_EQ(RowNamed(List(Scope::CurrentUser), kWinverValue), -1);
    EXPECT_EQ(RowNamed(List(Scope::CurrentUser), L"regedit.exe"), -1);
    EXPECT_FALSE(seed_.HasValue(Scope::CurrentUser, kWinverValue));
    EXPECT_EQ(GetFileAttributesW(currentUserShortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
    // The rows not selected are untouched.
    EXPECT_TRUE(seed_.HasValue(Scope::CurrentUser, kNotepadValue));
    EXPECT_TRUE(seed_.HasValue(Scope::CurrentUser, kCounterValue));
    ExpectNoDialogs();
    if (recycledBefore < 0) GTEST_SKIP() << "SHQueryRecycleBinW cannot count the recycle bin here";
    EXPECT_EQ(RecycledItems(), recycledBefore + 1) << "the shortcut is in the recycle bin";
}

TEST_F(RowCommandsUiTest, DeleteAnsweredWithCancelChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenAllUsersTab());
    ASSERT_NO_FATAL_FAILURE(SelectRows(Scope::AllUsers, {kExplorerValue}));
    // The toolbar button, posted: the box it shows is modal.
    PostMessageW(Control(control_ids::kDeleteButton), BM_CLICK, 0, 0);
    ASSERT_NO_FATAL_FAILURE(Answer(kConfirmation, IDCANCEL));
    EXPECT_TRUE(seed_.HasValue(Scope::AllUsers, kExplorerValue));
    EXPECT_EQ(List(Scope::AllUsers).SelectedCount(), 1) << "no reload";

    // Nothing selected on the all-users tab (a click on the empty space
    // below the rows clears the selection): the question, then the error.
    RECT client{};
    GetClientRect(List(Scope::AllUsers).Window(), &client);
    ClickAt(List(Scope::AllUsers).Window(), POINT{60, client.bottom - 10});
    ASSERT_EQ(List(Scope::AllUsers).SelectedCount(), 0);
    PostMessageW(Control(control_ids::kDeleteButton), BM_CLICK, 0, 0);
    ASSERT_NO_FATAL_FAILURE(Answer(kConfirmation, IDOK));
    ASSERT_NO_FATAL_FAILURE(Answer(std::wstring(L"Error: ") + texts::kNothingSelectedToDelete, IDOK));
    EXPECT_EQ(List(Scope::AllUsers).SelectedCount(), 0) << "no reload";
    EXPECT_TRUE(seed_.HasValue(Scope::AllUsers, kExplorerValue));
    ExpectNoDialogs();
}

// The refusal comes after the reload: the box names the entry, and the list
// still shows it.
TEST_F(RowCommandsUiTest, ARefusedRemovalIsReportedAndTheEntryStaysListed) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenAllUsersTab());
    const RunKeyDeleteDenied denied(Scope::AllUsers);
    if (!denied.Applied()) GTEST_SKIP() << "the Run key's ACL could not be changed here";
    ASSERT_NO_FATAL_FAILURE(SelectRows(Scope::AllUsers, {kExplorerValue}));
    PressKey(VK_DELETE);
    ASSERT_NO_FATAL_FAILURE(Answer(kConfirmation, IDOK));

    const auto report = app_->WaitForDialogBox(30000);
    // A delete that went through is Wine's difference.
    if (!report && !seed_.HasValue(Scope::AllUsers, kExplorerValue))
        GTEST_SKIP() << "Wine difference: the denying ACL did not refuse the delete in this prefix";
    ASSERT_TRUE(report.has_value()) << "the value stayed, but no box reported the refused delete";
    EXPECT_EQ(report->caption, L"Error");
    EXPECT_NE(report->text.find(std::wstring(kExplorerValue) + L": "), std::wstring::npos)
        << "the box names the entry that stayed";
    Screenshot(L"ui-removal-refused");
    ASSERT_TRUE(AnswerDialogBox(*report, IDCANCEL));
    EXPECT_TRUE(seed_.HasValue(Scope::AllUsers, kExplorerValue));
    EXPECT_GE(RowNamed(List(Scope::AllUsers), kExplorerValue), 0) << "the reloaded list still shows it";
    EXPECT_NE(GetFileAttributesW(allUsersShortcut_.c_str()), INVALID_FILE_ATTRIBUTES) << "no other row was removed";
    ExpectNoDialogs();
}

// The row's program is started without the row's arguments.
TEST_F(RowCommandsUiTest, OpenOnARowStartsItsProgram) {
    const std::wstring recorder = QuillmarkExePath().substr(0, QuillmarkExePath().rfind(L"\\app\\")) +
                                  L"\\tests\\quillmark_record_command_line.exe";
    const std::wstring record = recorder + L".txt";
    DeleteFileW(record.c_str());
    seed_.AddString(Scope::CurrentUser, L"QM Recorder", L"\"" + recorder + L"\" /from-the-row");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    ClickAt(list.Window(), list.ItemCentre(RowNamed(list, L"QM Recorder")), true);

    // The recorder holds its file open without sharing until it has written it.
    std::wstring commandLine;
    ASSERT_TRUE(WaitFor([&] { return !(commandLine = ReadWholeFile(record)).empty(); }, 10000))
        << "the program was not started";
    EXPECT_NE(commandLine.find(L"quillmark_record_command_line.exe"), std::wstring::npos);
    EXPECT_EQ(commandLine.find(L"/from-the-row"), std::wstring::npos) << "started with the row's arguments";
    DeleteFileW(record.c_str());
    ExpectNoDialogs();
}

TEST_F(RowCommandsUiTest, TheRowClickCopiesCyrillicAndChineseTextUnchanged) {
    const std::wstring name = L"QM \u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430 \u7a0b\u5e8f";
    const std::wstring location = L"C:\\\u041f\u0430\u043f\u043a\u0430\\\u5de5\u5177.exe /\u043a\u043b\u044e\u0447";
    seed_.AddString(Scope::CurrentUser, name, location);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    ClickAt(list.Window(), list.ItemCentre(RowNamed(list, name)));
    EXPECT_TRUE(WaitFor([&] { return FieldText(control_ids::kNameField) == name; }, 2000));
    EXPECT_EQ(FieldText(control_ids::kNameField), name);
    EXPECT_EQ(FieldText(control_ids::kPathField), location);
    EXPECT_FALSE(IsWindowVisible(Control(control_ids::kAddPanel))) << "the click fills the fields, hidden or not";
    ExpectNoDialogs();
}

}  // namespace
}  // namespace quillmark::uitest
