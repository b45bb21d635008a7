#include "tests/ui/main_window_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "app/control_ids.h"
#include "app/texts.h"
#include "tests/ui/support/remote_window.h"
#include "tests/ui/support/dialog_boxes.h"
#include "tests/ui/support/screenshot.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

HWND ListWindowOf(const QuillmarkProcess& app, Scope scope) {
    return app.Control(scope == Scope::CurrentUser ? control_ids::kCurrentUserList : control_ids::kAllUsersList);
}

}  // namespace

DWORD ScaledWait(DWORD timeoutMs) {
    wchar_t value[16] = L"";
    const DWORD length = GetEnvironmentVariableW(L"QUILLMARK_UI_WAIT_SCALE", value, 16);
    const long scale = length > 0 && length < 16 ? wcstol(value, nullptr, 10) : 1;
    return scale > 1 ? timeoutMs * static_cast<DWORD>(scale) : timeoutMs;
}

void MainWindowTest::SetUp() {
    // Both scopes get the kinds of entries a real machine has: quoted paths
    // with arguments, an unexpanded %SystemRoot% path, a value that is not a
    // string, a program that no longer exists, a shortcut, a hidden file.
    seed_.AddString(Scope::CurrentUser, kNotepadValue, L"\"C:\\windows\\system32\\notepad.exe\" /p readme.txt");
    seed_.AddString(Scope::CurrentUser, kWinverValue, L"%SystemRoot%\\system32\\winver.exe", REG_EXPAND_SZ);
    seed_.AddDword(Scope::CurrentUser, kCounterValue, 7);
    currentUserShortcut_ = seed_.AddShortcut(Scope::CurrentUser, L"QM Regedit.lnk", L"C:\\windows\\regedit.exe");
    seed_.AddFile(Scope::CurrentUser, L"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    seed_.AddString(Scope::AllUsers, kExplorerValue, L"C:\\windows\\explorer.exe");
    seed_.AddString(Scope::AllUsers, L"QM Cmd", L"\"C:\\windows\\system32\\cmd.exe\" /c exit");
    seed_.AddString(Scope::AllUsers, kMissingValue, L"C:\\Nowhere\\gone.exe -quiet");
    allUsersShortcut_ = seed_.AddShortcut(Scope::AllUsers, L"QM Wordpad.lnk",
                                          L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe");
    seed_.AddFile(Scope::AllUsers, L"desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    // The first-exit offer is not what these tests are about; the tests of a
    // first start remove the file again.
    WriteSetting(L"needsendtodesk", L"0");
}

void MainWindowTest::TearDown() {
    if (app_ && app_->IsRunning()) {
        ExpectNoDialogs();
        app_->Kill();
    }
    app_.reset();
}

void MainWindowTest::Start(const std::wstring& arguments, const std::wstring& exePath) {
    app_ = std::make_unique<QuillmarkProcess>(exePath, arguments);
    ASSERT_NE(app_->WaitForMainWindow(ScaledWait(kStartTimeoutMs)), nullptr)
        << "no visible window of class TfrmRun captioned \"Quillmark 1.5\" appeared";
}

void MainWindowTest::Exit() {
    ASSERT_TRUE(app_);
    const auto answered = app_->ExitAndWait();
    for (const auto& text : answered) {
        // Only the first-exit question may come up at close.
        EXPECT_NE(text.find(texts::kSendToDesktopQuestion), std::wstring::npos)
            << "unexpected box at close: " << Narrow(text);
    }
}

HWND MainWindowTest::Control(int id) const {
    HWND control = app_ ? app_->Control(id) : nullptr;
    if (control == nullptr) ADD_FAILURE() << "control " << id << " not found";
    return control;
}

std::wstring MainWindowTest::FieldText(int id) const {
    // WM_GETTEXT copies the text across the process boundary; GetWindowTextW
    // would not ask another process's control.
    wchar_t text[2048] = L"";
    SendRemote(Control(id), WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
    return text;
}

COLORREF MainWindowTest::FieldBackground(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, rect.right - 6, (rect.top + rect.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return colour;
}

int RowNamed(const RemoteListView& list, const std::wstring& name) {
    const auto rows = list.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

void MainWindowTest::SelectRows(Scope scope, std::initializer_list<std::wstring> names) const {
    const RemoteListView list = List(scope);
    bool first = true;
    for (const std::wstring& name : names) {
        const int row = RowNamed(list, name);
        ASSERT_GE(row, 0) << "no row for the name";
        ClickAt(list.Window(), list.ItemCentre(row), false, !first);
        first = false;
    }
    // The clicks are input the window takes in its own time.
    const int expected = static_cast<int>(names.size());
    ASSERT_TRUE(WaitFor([&] { return list.SelectedCount() == expected; }, ScaledWait(3000)))
        << list.SelectedCount() << " rows selected";
    for (const std::wstring& name : names) ASSERT_TRUE(list.Row(RowNamed(list, name)).selected);
}

void MainWindowTest::Answer(const std::wstring& expected, int button) const {
    const auto box = app_->WaitForDialogBox();
    ASSERT_TRUE(box.has_value()) << "no box came up";
    EXPECT_EQ(Describe(*box), expected);
    ASSERT_TRUE(AnswerDialogBox(*box, button));
}

RemoteListView MainWindowTest::List(Scope scope) const { return RemoteListView(ListWindowOf(*app_, scope)); }

RemoteTabControl MainWindowTest::Tabs() const { return RemoteTabControl(Control(control_ids::kTabStrip)); }

testing::AssertionResult MainWindowTest::WaitForRows(Scope scope, DWORD timeoutMs) const {
    const RemoteListView list = List(scope);
    int count = -1;
    int expected = -1;
    // The prefix is read again on every try: the program may still be
    // writing (a Disable, an Undo) or the seed's files may still be settling
    // when the wait begins, and a count taken once would then never match.
    if (WaitFor([&] {
            expected = static_cast<int>(ExpectedRows(scope).size());
            return (count = list.ItemCount()) == expected;
        }, ScaledWait(timeoutMs), 50)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the list holds " << count << " rows, the prefix has " << expected
                                       << " entries";
}

void MainWindowTest::OpenAllUsersTab() {
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Tabs().ClickTab(1);
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
}

int RowsAwaitingIcons(const RemoteListView& list) {
    int awaiting = 0;
    for (const ListRow& row : list.Rows()) {
        // A row without location (a value that is not a string) keeps the built-in image.
        if (!row.location.empty() && row.imageIndex == 0) ++awaiting;
    }
    return awaiting;
}

testing::AssertionResult MainWindowTest::WaitForIcons(Scope scope, DWORD timeoutMs) const {
    const RemoteListView list = List(scope);
    int awaiting = -1;
    if (WaitFor([&] { return (awaiting = RowsAwaitingIcons(list)) == 0; }, ScaledWait(timeoutMs), 50)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << awaiting << " rows still show the built-in image";
}

void MainWindowTest::ExpectListShowsScope(Scope scope) const {
    SCOPED_TRACE(scope == Scope::CurrentUser ? "CurrentUser list" : "AllUsers list");
    EXPECT_TRUE(WaitForIcons(scope));
    const auto expected = ExpectedRows(scope);
    const RemoteListView list = List(scope);
    const auto rows = list.Rows();
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + Narrow(rows[i].name) + " | " + Narrow(rows[i].location));
        if (!expected[i].fromPackage) EXPECT_EQ(rows[i].location, expected[i].location);
        if (!expected[i].fromFolder && !expected[i].fromPackage) {
            EXPECT_EQ(rows[i].name, expected[i].name);
        }
        // The last row alone is selected after each load.
        EXPECT_EQ(rows[i].selected, i + 1 == rows.size());

        const std::wstring& name = rows[i].name;
        if (name == kCounterValue) {
            EXPECT_EQ(rows[i].location, L"");
            EXPECT_EQ(rows[i].imageIndex, 0) << "a value that is not a string shows the built-in image";
        } else if (name == kMissingValue) {
            // A list view draws no image for I_IMAGENONE; -1 would do the same
            // only through the parent's LVN_GETDISPINFO answer.
            EXPECT_TRUE(rows[i].imageIndex == I_IMAGENONE || rows[i].imageIndex == -1)
                << "a program that does not exist shows no image, got " << rows[i].imageIndex;
        } else if (name.rfind(L"QM ", 0) == 0 || rows[i].location == currentUserShortcut_ ||
                   rows[i].location == allUsersShortcut_) {
            EXPECT_GE(rows[i].imageIndex, 1) << "an existing program shows its own icon";
        }
        if (rows[i].location == currentUserShortcut_) {
            EXPECT_EQ(name, L"regedit.exe");
        } else if (rows[i].location == allUsersShortcut_) {
            EXPECT_EQ(name, L"wordpad.exe");
        }
        EXPECT_EQ(rows[i].location.find(L"desktop.ini"), std::wstring::npos) << "hidden files are not listed";
    }
    EXPECT_EQ(list.SelectedCount(), rows.empty() ? 0 : 1);
    EXPECT_EQ(list.ColumnCaption(0), L"  Name  ");
    EXPECT_EQ(list.ColumnCaption(1), L"  Location  ");
}

void MainWindowTest::ExpectNoDialogs() const {
    for (const auto& text : app_->DialogTexts(false)) ADD_FAILURE() << "a dialog box is open: " << Narrow(text);
}

void MainWindowTest::Screenshot(const wchar_t* name) const {
    try {
        SaveWindowScreenshot(app_->MainWindow(), name);
    } catch (const std::exception& error) {
        ADD_FAILURE() << "screenshot " << Narrow(name) << ": " << error.what();
    }
}

}  // namespace quillmark::uitest
