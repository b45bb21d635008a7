// The Status column, Disable from the row menu and Undo removal on the real
// window: menus opened with a real right click, items chosen by access key.
#include <windows.h>

#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/dialog_boxes.h"
#include "tests/ui/support/package_seed.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

constexpr wchar_t kApprovedRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const std::wstring kConfirmation = std::wstring(L"Information: ") + texts::kDeleteQuestion;

class StatusAndUndoUiTest : public MainWindowTest {
protected:
    void TearDown() override {
        for (const std::wstring& name : marked_) RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedRun, name.c_str());
        MainWindowTest::TearDown();
    }
    // Switches the user's Run value off as Task Manager does.
    void MarkDisabled(const std::wstring& name) {
        const BYTE value[12] = {3, 0, 0, 0, 0x00, 0x5c, 0x43, 0x89, 0x76, 0x81, 0xdd, 0x01};  // 1 December 2026
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kApprovedRun, name.c_str(), REG_BINARY, value, sizeof(value)),
                  ERROR_SUCCESS);
        marked_.push_back(name);
    }
    // The first byte of the user's mark of that Run value; -1 when it has none.
    int MarkOf(const std::wstring& name) const {
        BYTE value[12] = {};
        DWORD size = sizeof(value);
        const LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, kApprovedRun, name.c_str(), RRF_RT_REG_BINARY, nullptr, value,
                         &size);
        return status == ERROR_SUCCESS && size > 0 ? value[0] : -1;
    }
    // Counts the pixels of the row's status cell drawn in `colour`.
    static int PixelsOf(const RemoteListView& list, int row, COLORREF colour) {
        RECT cell = list.ItemRect(row);
        cell.left = list.ColumnWidth(0) + list.ColumnWidth(1);
        cell.right = cell.left + list.ColumnWidth(2);
        MapWindowPoints(list.Window(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
        const HDC screen = GetDC(nullptr);
        int count = 0;
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x) count += GetPixel(screen, x, y) == colour ? 1 : 0;
        }
        ReleaseDC(nullptr, screen);
        return count;
    }
    std::wstring Status(Scope scope, const std::wstring& name) const {
        const RemoteListView list = List(scope);
        return list.ItemText(RowNamed(list, name), 2);
    }
    // Opens the row menu with a right click on the named row and chooses an item by its access key.
    void ChooseFromRowMenu(Scope scope, const std::wstring& name, WORD accessKey) {
        const RemoteListView list = List(scope);
        const int row = RowNamed(list, name);
        ASSERT_GE(row, 0) << "no row for the name";
        RightClickAt(list.Window(), list.ItemCentre(row));
        Sleep(300);
        PressKey(accessKey);
    }

    std::vector<std::wstring> marked_;
};

TEST_F(StatusAndUndoUiTest, DisabledRowsAreGreyAndDisableFromTheRowMenuSwitchesOneOff) {
    ASSERT_NO_FATAL_FAILURE(MarkDisabled(kNotepadValue));
    marked_.push_back(kWinverValue);  // Disable writes this one; it goes at the end
    seed_.AddString(Scope::CurrentUser, L"QM Gone", L"C:\\Nowhere\\gone.exe");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    EXPECT_EQ(list.ColumnCaption(2), L"Status");
    EXPECT_EQ(Status(Scope::CurrentUser, kNotepadValue).rfind(L"Disabled", 0), 0u);
    EXPECT_EQ(Status(Scope::CurrentUser, kWinverValue), L"Enabled");
    EXPECT_EQ(Status(Scope::CurrentUser, L"QM Gone"), L"Program not found");
    Screenshot(L"ui-status-column");
    const int disabledRow = RowNamed(list, kNotepadValue);
    ASSERT_FALSE(list.Row(disabledRow).selected) << "a selected row keeps the selection colours";
    EXPECT_GT(PixelsOf(list, disabledRow, GetSysColor(COLOR_GRAYTEXT)), 0) << "the disabled row is grey";
    EXPECT_EQ(PixelsOf(list, disabledRow, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_GT(PixelsOf(list, RowNamed(list, kWinverValue), GetSysColor(COLOR_WINDOWTEXT)), 0);

    ASSERT_NO_FATAL_FAILURE(ChooseFromRowMenu(Scope::CurrentUser, kWinverValue, 'B'));
    ASSERT_TRUE(WaitFor([&] { return Status(Scope::CurrentUser, kWinverValue).rfind(L"Disabled", 0) == 0; }, 5000))
        << "Disable from the row menu";
    EXPECT_EQ(MarkOf(kWinverValue), 3);
    EXPECT_TRUE(seed_.HasValue(Scope::CurrentUser, kWinverValue)) << "the entry itself stays";
    EXPECT_TRUE(List(Scope::CurrentUser).Row(RowNamed(List(Scope::CurrentUser), kWinverValue)).selected);
    ExpectNoDialogs();
}

// A packaged app staged as Windows keeps it: the row is named from its
// manifest, shows its program's icon, and Disable writes the task's State.
TEST_F(StatusAndUndoUiTest, PackagedTaskIsListedFromItsManifestAndDisabledFromTheRowMenu) {
    PackageSeed packages;
    const StagedPackagedTask task{L"QM.Notes", L"NotesAtLogon", L"QM Notes at logon"};
    const std::wstring program = packages.Add(task, L"C:\\windows\\system32\\notepad.exe");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    const int row = RowNamed(list, task.displayName);
    ASSERT_EQ(row, list.ItemCount() - 1) << "the app's task comes last";
    EXPECT_EQ(list.ItemText(row, 1), program);
    EXPECT_EQ(list.ItemText(row, 3), L"App");
    EXPECT_EQ(Status(Scope::CurrentUser, task.displayName), L"Enabled");
    EXPECT_GE(list.Row(row).imageIndex, 1) << "the program's own icon";

    ASSERT_NO_FATAL_FAILURE(ChooseFromRowMenu(Scope::CurrentUser, task.displayName, 'B'));
    ASSERT_TRUE(WaitFor([&] { return Status(Scope::CurrentUser, task.displayName) == L"Disabled"; }, 5000))
        << "Disable from the row menu";
    EXPECT_EQ(PackageSeed::StateOf(task), 1);
    Screenshot(L"ui-packaged-task-disabled");
    ExpectNoDialogs();
}

TEST_F(StatusAndUndoUiTest, UndoFromTheRowMenuPutsBackWhatDeleteTook) {
    const std::wstring wide = L"QM \u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430 \u7a0b\u5e8f";
    const std::wstring data = L"\"C:\\windows\\notepad.exe\" /\u00e9\u4e2d";
    seed_.AddString(Scope::CurrentUser, wide, data);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_NO_FATAL_FAILURE(SelectRows(Scope::CurrentUser, {wide, L"regedit.exe"}));
    PressKey(VK_DELETE);
    ASSERT_NO_FATAL_FAILURE(Answer(kConfirmation, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !seed_.HasValue(Scope::CurrentUser, wide); }, 5000));
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_EQ(GetFileAttributesW(currentUserShortcut_.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_NO_FATAL_FAILURE(ChooseFromRowMenu(Scope::CurrentUser, kNotepadValue, 'U'));
    // First what would come back and where; nothing before OK.
    const auto question = app_->WaitForDialogBox();
    ASSERT_TRUE(question.has_value()) << "Undo removal asks first";
    const std::wstring text = Describe(*question);
    EXPECT_EQ(text.rfind(L"Information: Undo removal will put back:\n" + wide +
                             L"  \u2192  HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\n"
                             L"QM Regedit.lnk  \u2192  ",
                         0),
              0u)
        << testing::PrintToString(text);
    EXPECT_FALSE(seed_.HasValue(Scope::CurrentUser, wide));
    Screenshot(L"ui-undo-question");
    ASSERT_TRUE(AnswerDialogBox(*question, IDOK));
    ASSERT_TRUE(WaitFor([&] { return seed_.HasValue(Scope::CurrentUser, wide); }, 5000)) << "Undo removal";
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    EXPECT_NE(GetFileAttributesW(currentUserShortcut_.c_str()), INVALID_FILE_ATTRIBUTES);
    wchar_t restored[256] = {};
    DWORD size = sizeof(restored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", wide.c_str(),
                           RRF_RT_REG_SZ, nullptr, restored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(restored, data);
    const RemoteListView list = List(Scope::CurrentUser);
    EXPECT_TRUE(list.Row(RowNamed(list, wide)).selected);
    EXPECT_TRUE(list.Row(RowNamed(list, L"regedit.exe")).selected);
    Screenshot(L"ui-undo-removal");
    ExpectNoDialogs();
}

}  // namespace
}  // namespace quillmark::uitest
