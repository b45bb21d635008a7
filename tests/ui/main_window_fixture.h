#pragma once
// A seeded prefix and the real Quillmark.exe started in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/remote_list_view.h"
#include "tests/ui/support/remote_tab_control.h"
#include "tests/ui/support/settings_file.h"

namespace quillmark::uitest {

// Generous: Wine starts a process in about a second on a quiet machine, and
// the first start in a fresh prefix may take several.
inline constexpr DWORD kStartTimeoutMs = 30000;
inline constexpr DWORD kLoadTimeoutMs = 15000;
// A wait stretched by the factor QUILLMARK_UI_WAIT_SCALE names (1 when unset):
// under user-mode emulation a 32-bit process starts in minutes, not seconds.
DWORD ScaledWait(DWORD timeoutMs);

// Names of the seeded entries whose rows the tests look at.
inline constexpr wchar_t kNotepadValue[] = L"QM Notepad";
inline constexpr wchar_t kWinverValue[] = L"QM Winver";
inline constexpr wchar_t kCounterValue[] = L"QM Counter";
inline constexpr wchar_t kExplorerValue[] = L"QM Explorer";
inline constexpr wchar_t kMissingValue[] = L"QM Missing";

// Rows that have a location and still show the built-in image: their icons
// have not arrived yet.
int RowsAwaitingIcons(const RemoteListView& list);
// The index of the first row with that name; -1 when there is none.
int RowNamed(const RemoteListView& list, const std::wstring& name);

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (Quillmark.exe, or a build of it at `exePath`) with
    // these arguments and waits for its main window (fatal on failure).
    void Start(const std::wstring& arguments = {}, const std::wstring& exePath = QuillmarkExePath());
    // Presses Exit and waits for the program to end; a question box at close
    // (the first-exit offer) is answered with Cancel.
    void Exit();

    HWND Control(int id) const;
    // The text of an edit field of the program.
    std::wstring FieldText(int id) const;
    // The colour on screen just inside the control's right edge, where a
    // field's text does not reach: its background.
    COLORREF FieldBackground(HWND control) const;
    RemoteListView List(Scope scope) const;
    RemoteTabControl Tabs() const;
    // Waits until the scope's list holds as many rows as the prefix has
    // entries; on time-out says how many rows there were.
    testing::AssertionResult WaitForRows(Scope scope, DWORD timeoutMs = kLoadTimeoutMs) const;
    // Waits for the start's own load of the current user's tab, then shows
    // the all-users tab and waits for its rows. Clicking the tab earlier
    // would let the start's load come afterwards and select the last row
    // again, under the test's feet.
    void OpenAllUsersTab();
    // Waits until every row with a location has had its icon set: the icons
    // follow the rows from the program's icon worker.
    testing::AssertionResult WaitForIcons(Scope scope, DWORD timeoutMs = kLoadTimeoutMs) const;
    // The list shows the prefix's entries in order, with the icons the seed
    // implies once they have all arrived, and exactly its last row selected.
    void ExpectListShowsScope(Scope scope) const;
    // No error box or other dialog box of the program is open.
    void ExpectNoDialogs() const;
    // Clicks the named rows, the later ones with Ctrl held (fatal when a row is missing).
    void SelectRows(Scope scope, std::initializer_list<std::wstring> names) const;
    // Waits for the program's box, checks its text and answers it with the button.
    void Answer(const std::wstring& expected, int button) const;
    void Screenshot(const wchar_t* name) const;

    SettingsFileGuard settingsGuard_;
    InventorySeed seed_;
    std::wstring currentUserShortcut_;
    std::wstring allUsersShortcut_;
    std::unique_ptr<QuillmarkProcess> app_;
};

}  // namespace quillmark::uitest
