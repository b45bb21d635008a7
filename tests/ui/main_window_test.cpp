// The real window under Wine: first load, tab changes, Refresh, layout.
#include <string>

#include "app/control_ids.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/remote_window.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    info.hwndFocus = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));  // sentinel
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

SIZE SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool ContainsName(const std::vector<ListRow>& rows, const std::wstring& name) {
    for (const auto& row : rows) {
        if (row.name == name) return true;
    }
    return false;
}

TEST_F(MainWindowTest, FirstLoadFillsTheStoredTabAfterTheTimer) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser)) << "the CurrentUser list was not filled";
    const double filledAfter = NowSeconds() - app_->StartSeconds();
    // The lists are filled by a 300 ms one-shot timer started at the end of
    // creation, so no load can be seen earlier than that after process start.
    EXPECT_GE(filledAfter, 0.3);
    EXPECT_LT(filledAfter, 10.0);
    RecordProperty("filled_after_ms", static_cast<int>(filledAfter * 1000));

    ExpectListShowsScope(Scope::CurrentUser);
    EXPECT_EQ(Tabs().SelectedIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(Control(control_ids::kCurrentUserList)));
    EXPECT_FALSE(IsWindowVisible(Control(control_ids::kAllUsersList)));
    EXPECT_EQ(List(Scope::AllUsers).ItemCount(), 0) << "only the selected tab is loaded";
    EXPECT_EQ(FocusOf(app_->MainWindow()), Control(control_ids::kCurrentUserList)) << "the loaded list has the focus";
    ExpectNoDialogs();
    Screenshot(L"ui-current-user");
}

TEST_F(MainWindowTest, SwitchingTabsLoadsTheOtherScopeEachTime) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));

    Tabs().ClickTab(1);
    EXPECT_EQ(Tabs().SelectedIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Control(control_ids::kAllUsersList)));
    EXPECT_FALSE(IsWindowVisible(Control(control_ids::kCurrentUserList)));
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
    ExpectListShowsScope(Scope::AllUsers);
    EXPECT_EQ(FocusOf(app_->MainWindow()), Control(control_ids::kAllUsersList));
    Screenshot(L"ui-all-users");

    // Another program removes an entry while the other tab is shown: coming
    // back reloads from scratch, so the row is gone.
    seed_.DeleteValue(Scope::CurrentUser, kNotepadValue);
    Tabs().ClickTab(0);
    EXPECT_EQ(Tabs().SelectedIndex(), 0);
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ExpectListShowsScope(Scope::CurrentUser);
    EXPECT_FALSE(ContainsName(List(Scope::CurrentUser).Rows(), kNotepadValue));
    ExpectNoDialogs();
}

TEST_F(MainWindowTest, RefreshPicksUpAddedAndDeletedRunValues) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(ContainsName(List(Scope::CurrentUser).Rows(), kWinverValue));

    seed_.AddString(Scope::CurrentUser, L"QM Added", L"C:\\windows\\notepad.exe");
    seed_.DeleteValue(Scope::CurrentUser, kWinverValue);
    // Sent: the click's handler, and so the reload, has run when it returns.
    SendRemote(Control(control_ids::kRefreshButton), BM_CLICK);

    ExpectListShowsScope(Scope::CurrentUser);
    const auto rows = List(Scope::CurrentUser).Rows();
    EXPECT_TRUE(ContainsName(rows, L"QM Added"));
    EXPECT_FALSE(ContainsName(rows, kWinverValue));
    EXPECT_EQ(FocusOf(app_->MainWindow()), Control(control_ids::kCurrentUserList));
    ExpectNoDialogs();
    Screenshot(L"ui-after-refresh");
}

TEST_F(MainWindowTest, AltRPressesRefresh) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    seed_.AddString(Scope::CurrentUser, L"QM By Key", L"C:\\windows\\notepad.exe");

    // Real keyboard input: it goes to the foreground window's thread, where
    // the access key "&Refresh" must reach the button.
    SetForegroundWindow(app_->MainWindow());
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {{VK_MENU, 0}, {'R', 0}, {'R', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);

    EXPECT_TRUE(WaitForRows(Scope::CurrentUser, 5000)) << "Alt+R did not reload the list";
    EXPECT_TRUE(ContainsName(List(Scope::CurrentUser).Rows(), L"QM By Key"));
    ExpectNoDialogs();
}

TEST_F(MainWindowTest, LayoutAtStartAndAfterWidening) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const HWND window = app_->MainWindow();

    // The layout is in pixels at 96 DPI, the DPI of Wine's default prefix.
    const SIZE size = SizeOf(window);
    EXPECT_EQ(size.cx, 1076);
    EXPECT_EQ(size.cy, 631);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_NEAR(rect.left, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, 1) << "centred";
    EXPECT_NEAR(rect.top, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, 1) << "centred";

    // "Location" is the page width minus the name's 180, the status's 150, the
    // place's 100 and 20: 610 on Windows, where a 1076-pixel sizable window has a 1060-pixel
    // client area. Wine draws a thinner frame, so the tab control there is
    // wider by a few pixels.
    const HWND tabs = Control(control_ids::kTabStrip);
    const int locationWidth = SizeOf(tabs).cx - 450;
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(SizeOf(tabs).cx, client.right) << "the tabs fill the window's width";
    for (const Scope scope : {Scope::CurrentUser, Scope::AllUsers}) {
        SCOPED_TRACE(scope == Scope::CurrentUser ? "CurrentUser" : "AllUsers");
        EXPECT_EQ(List(scope).ColumnWidth(0), 180);
        EXPECT_EQ(List(scope).ColumnWidth(1), locationWidth);
        EXPECT_EQ(List(scope).ColumnWidth(2), 150);
        EXPECT_EQ(List(scope).ColumnWidth(3), 100);
    }
    EXPECT_EQ(SizeOf(Control(control_ids::kNameField)).cx, 816);
    EXPECT_EQ(SizeOf(Control(control_ids::kPathField)).cx, 816);
    EXPECT_FALSE(IsWindowVisible(Control(control_ids::kAddPanel))) << "the add panel is hidden at start";
    EXPECT_EQ(Tabs().TabCount(), 2) << "the Search Result tab is hidden";

    ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, size.cx + 100, size.cy, SWP_NOMOVE | SWP_NOZORDER));
    WaitFor([&] { return List(Scope::CurrentUser).ColumnWidth(1) == locationWidth + 100; }, 2000);
    for (const Scope scope : {Scope::CurrentUser, Scope::AllUsers}) {
        SCOPED_TRACE(scope == Scope::CurrentUser ? "CurrentUser, widened" : "AllUsers, widened");
        EXPECT_EQ(List(scope).ColumnWidth(0), 180);
        EXPECT_EQ(List(scope).ColumnWidth(1), locationWidth + 100);
    }
    EXPECT_EQ(SizeOf(Control(control_ids::kNameField)).cx, 916);
    EXPECT_EQ(SizeOf(Control(control_ids::kPathField)).cx, 916);
    ExpectNoDialogs();
}

TEST_F(MainWindowTest, LongListSelectsItsLastRowWithoutScrolling) {
    for (int i = 0; i < 60; ++i) {
        seed_.AddString(Scope::CurrentUser, L"QM Bulk " + std::to_wstring(i), L"C:\\windows\\notepad.exe");
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ExpectListShowsScope(Scope::CurrentUser);
    EXPECT_EQ(List(Scope::CurrentUser).TopIndex(), 0) << "selecting the last row does not scroll to it";
}

}  // namespace
}  // namespace quillmark::uitest
