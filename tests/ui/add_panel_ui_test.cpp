// The real window under Wine: the add panel with the real file-open dialog,
// typing into its fields, and the shortcuts it writes.
#include <string>

#include "app/texts.h"
#include "app/control_ids.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

constexpr wchar_t kProgram[] = L"C:\\windows\\notepad.exe";

class AddPanelUiTest : public MainWindowTest {
protected:
    bool PanelShown() const { return IsWindowVisible(Control(control_ids::kAddPanel)) != FALSE; }
    // Posted: the command may show a modal dialog.
    void Press(int buttonId) { PostMessageW(Control(buttonId), BM_CLICK, 0, 0); }

    // "&Add program...", then the file typed into the real dialog and Confirm.
    void AddProgramThroughTheDialog(Scope scope, const wchar_t* screenshot) {
        Press(control_ids::kAddProgramButton);
        const auto dialog = app_->WaitForDialogBox();
        ASSERT_TRUE(dialog.has_value()) << "no file-open dialog";
        ASSERT_TRUE(ChooseFileInDialog(*dialog, kProgram));
        ASSERT_TRUE(WaitFor([&] { return PanelShown(); }, 5000)) << "the panel was not shown";
        EXPECT_EQ(FieldText(control_ids::kPathField), kProgram);
        EXPECT_EQ(FieldText(control_ids::kNameField), L"notepad.exe");
        if (screenshot != nullptr) Screenshot(screenshot);

        const std::wstring shortcut = StartupFolder(scope) + L"\\notepad.exe.lnk";
        seed_.RemoveAtEnd(shortcut);
        Press(control_ids::kConfirmAddButton);
        ASSERT_TRUE(WaitFor([&] { return !PanelShown(); }, 5000)) << "the panel stayed";
        EXPECT_EQ(ShortcutTarget(shortcut), kProgram);
        ASSERT_TRUE(WaitForRows(scope));
        ExpectListShowsScope(scope);
        const auto rows = List(scope).Rows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back().location, shortcut) << "the new entry is the last, selected row";
    }
};

TEST_F(AddPanelUiTest, AddProgramWritesAShortcutIntoTheUsersStartupFolder) {
    // The seeded shortcut goes, so that the new one is the folder's only row.
    ASSERT_TRUE(DeleteFileW(currentUserShortcut_.c_str()));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    AddProgramThroughTheDialog(Scope::CurrentUser, L"ui-add-panel");
    ExpectNoDialogs();
}

TEST_F(AddPanelUiTest, AddProgramOnTheAllUsersTabWritesIntoTheAllUsersFolder) {
    ASSERT_TRUE(DeleteFileW(allUsersShortcut_.c_str()));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenAllUsersTab());
    AddProgramThroughTheDialog(Scope::AllUsers, nullptr);
    EXPECT_EQ(GetFileAttributesW((StartupFolder(Scope::CurrentUser) + L"\\notepad.exe.lnk").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ExpectNoDialogs();
}

// The preset "http://" is selected, so typing replaces it; Enter proposes
// the name and confirms.
TEST_F(AddPanelUiTest, AddWebPageTypedAndEnteredGetsHttpInFront) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Press(control_ids::kAddWebPageButton);
    ASSERT_TRUE(WaitFor([&] { return PanelShown(); }, 5000));
    const std::wstring shortcut = StartupFolder(Scope::CurrentUser) + L"\\example.org.lnk";
    seed_.RemoveAtEnd(shortcut);
    BringToFront(app_->MainWindow());
    TypeText(L"example.org");
    PressKey(VK_RETURN);

    ASSERT_TRUE(WaitFor([&] { return !PanelShown(); }, 5000)) << "the panel stayed";
    // Wine's link object completes an address like a relative path (in the
    // program's current folder), so only its end shows what it was given.
    const std::wstring target = ShortcutTarget(shortcut);
    EXPECT_TRUE(target == L"http://example.org" || target.ends_with(L"\\http:\\example.org"))
        << "target " << testing::PrintToString(target);
    ExpectNoDialogs();
}

TEST_F(AddPanelUiTest, ConfirmWithABlankPathSaysSoAndMarksTheField) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Press(control_ids::kAddWebPageButton);
    ASSERT_TRUE(WaitFor([&] { return PanelShown(); }, 5000));
    BringToFront(app_->MainWindow());
    PressKey(VK_DELETE);  // the selected preset goes
    PressKey(VK_RETURN);

    const auto box = app_->WaitForDialogBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(Describe(*box), std::wstring(L"Error: ") + texts::kPathMissing);
    ASSERT_TRUE(AnswerDialogBox(*box, IDOK));
    // The field had the focus, so it stays red with yellow text.
    const HWND path = Control(control_ids::kPathField);
    EXPECT_TRUE(WaitFor([&] { return FieldBackground(path) == RGB(255, 0, 0); }, 10000))
        << "background " << std::hex << FieldBackground(path);
    EXPECT_TRUE(PanelShown());
    ExpectNoDialogs();
}

}  // namespace
}  // namespace quillmark::uitest
