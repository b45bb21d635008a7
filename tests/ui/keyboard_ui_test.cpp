// The real window under Wine driven as a keyboard user drives it: the Tab
// cycle, the window's keys and the row menu, asked for by key and by a real
// right click (with Wine's forwarded WM_CONTEXTMENU).
#include <windows.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/texts.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

namespace ids = control_ids;

const std::wstring kConfirmation = std::wstring(L"Information: ") + texts::kDeleteQuestion;
const std::vector<int> kToolbar = {ids::kRefreshButton,          ids::kAddProgramButton,           ids::kAddProgramFolderList,
                                   ids::kAddFolderButton,         ids::kAddWebPageButton,     ids::kDeleteButton,
                                   ids::kPropertiesButton, ids::kUpgradeButton,          ids::kExitButton};
const std::vector<int> kBottom = {ids::kScheduledTasksButton,          ids::kServicesButton,     ids::kAddRemoveProgramsButton,
                                  ids::kQuickLaunchList, ids::kSendToDesktopButton,  ids::kHelpButton};

std::vector<int> Joined(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class KeyboardUiTest : public MainWindowTest {
protected:
    // The identifier of the control with the focus; a combo's edit part counts as the combo.
    int FocusedControl() const {
        const HWND focus = FocusedWindow(app_->MainWindow());
        if (focus == nullptr) return 0;
        wchar_t parentClass[32] = L"";
        GetClassNameW(GetParent(focus), parentClass, 32);
        return GetDlgCtrlID(lstrcmpiW(parentClass, L"ComboBox") == 0 ? GetParent(focus) : focus);
    }
    // Presses the keys once for each expected control and looks where the focus went.
    void ExpectFocusWalk(std::initializer_list<WORD> keys, const std::vector<int>& expected) {
        for (std::size_t step = 0; step < expected.size(); ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            PressChord(keys);
            ASSERT_EQ(FocusedControl(), expected[step]);
        }
    }
    bool PanelShown() const { return IsWindowVisible(Control(ids::kAddPanel)) != FALSE; }
    // The row menu's "&Delete this entry" by its access key: its question proves that the row menu was up.
    void DeleteThroughTheMenuAndCancel() {
        PressKey('D');
        const auto box = app_->WaitForDialogBox(5000);
        if (!box) PressKey(VK_ESCAPE);  // whichever menu came up instead
        ASSERT_TRUE(box.has_value()) << "the row menu did not come up";
        EXPECT_EQ(Describe(*box), kConfirmation);
        ASSERT_TRUE(AnswerDialogBox(*box, IDCANCEL));
    }
};

TEST_F(KeyboardUiTest, EveryCommandIsReachedByTabAndTheWindowsKeysRunTheirCommands) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    BringToFront(app_->MainWindow());
    ASSERT_EQ(FocusedControl(), ids::kCurrentUserList) << "the load leaves the focus on the list";

    // Round from the list and back again, backwards.
    const std::vector<int> round = Joined({kBottom, kToolbar, {ids::kTabStrip, ids::kCurrentUserList}});
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_TAB}, round));
    std::vector<int> back(round.rbegin() + 1, round.rend());
    back.push_back(ids::kCurrentUserList);
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_SHIFT, VK_TAB}, back));

    // Space on the focused Refresh reloads: an entry added meanwhile appears.
    seed_.AddString(Scope::CurrentUser, L"QM Later", L"C:\\windows\\notepad.exe");
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_TAB}, Joined({kBottom, {ids::kRefreshButton}})));
    Screenshot(L"ui-keyboard-focus-on-refresh");
    PressKey(VK_SPACE);
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));

    // Ctrl+Tab: the all-users tab, loaded.
    PressChord({VK_CONTROL, VK_TAB});
    EXPECT_EQ(Tabs().SelectedIndex(), 1);
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
    ASSERT_EQ(FocusedControl(), ids::kAllUsersList);

    // Enter on "Add web page" opens the add panel, whose controls join the cycle; Esc closes it.
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_SHIFT, VK_TAB}, {ids::kTabStrip, ids::kExitButton,
                                                                 ids::kUpgradeButton, ids::kPropertiesButton,
                                                                 ids::kDeleteButton, ids::kAddWebPageButton}));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return PanelShown(); }, 5000)) << "Enter did not press the button";
    ASSERT_EQ(FocusedControl(), ids::kPathField);
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_TAB}, {ids::kConfirmAddButton, ids::kCancelAddButton, ids::kTabStrip}));
    Screenshot(L"ui-keyboard-focus-on-tabs");
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_SHIFT, VK_TAB}, {ids::kCancelAddButton, ids::kConfirmAddButton,
                                                                 ids::kPathField, ids::kNameField}));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !PanelShown(); }, 5000)) << "Esc did not cancel the add panel";

    // Shift+F10 on the list: the row menu.
    ASSERT_NO_FATAL_FAILURE(ExpectFocusWalk({VK_TAB}, {ids::kTabStrip, ids::kAllUsersList}));
    PressChord({VK_SHIFT, VK_F10});
    ASSERT_NO_FATAL_FAILURE(DeleteThroughTheMenuAndCancel());
    EXPECT_TRUE(seed_.HasValue(Scope::AllUsers, kExplorerValue));
    ExpectNoDialogs();
}

TEST_F(KeyboardUiTest, ARightClickOnARowOpensTheRowMenu) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const RemoteListView list = List(Scope::CurrentUser);
    RightClickAt(list.Window(), list.ItemCentre(0));
    ASSERT_NO_FATAL_FAILURE(DeleteThroughTheMenuAndCancel());
    EXPECT_EQ(List(Scope::CurrentUser).ItemCount(), static_cast<int>(ExpectedRows(Scope::CurrentUser).size()));
    ExpectNoDialogs();
}

}  // namespace
}  // namespace quillmark::uitest
