// The tab remembered in default.ini across runs of the real program.
#include <string>

#include "app/control_ids.h"
#include "platform/win32/elevation.h"
#include "tests/ui/main_window_fixture.h"

namespace quillmark::uitest {
namespace {

struct StoredTabCase {
    const wchar_t* stored;  // text of "PageControl1" before start
    int openedTab;          // the tab shown, loaded, and stored again at close
};

std::ostream& operator<<(std::ostream& out, const StoredTabCase& c) {
    std::string text;
    for (const wchar_t* p = c.stored; *p != 0; ++p) text.push_back(static_cast<char>(*p));
    return out << "stored '" << text << "'";
}

class StoredTabTest : public MainWindowTest, public testing::WithParamInterface<StoredTabCase> {};

// Hexadecimal needs "0x" and at least one digit; text that is not a number
// gives the default tab 0; an index past the two tabs leaves the layout's
// initial page (AllUsers) active.
const StoredTabCase kStoredTabCases[] = {
    {L"0", 0}, {L"1", 1}, {L"0x1", 1}, {L"0X1", 1}, {L"abc", 0}, {L"", 0}, {L"2", 1}, {L"17", 1},
};

TEST_P(StoredTabTest, OpensOnTheStoredTabAndStoresItAtClose) {
    const StoredTabCase& c = GetParam();
    WriteSetting(L"PageControl1", c.stored);
    const Scope shown = c.openedTab == 0 ? Scope::CurrentUser : Scope::AllUsers;
    const Scope other = c.openedTab == 0 ? Scope::AllUsers : Scope::CurrentUser;

    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(shown)) << "the shown tab's list was not filled";
    EXPECT_EQ(Tabs().SelectedIndex(), c.openedTab);
    EXPECT_TRUE(IsWindowVisible(List(shown).Window()));
    EXPECT_FALSE(IsWindowVisible(List(other).Window()));
    ExpectListShowsScope(shown);
    EXPECT_EQ(List(other).ItemCount(), 0);

    ASSERT_NO_FATAL_FAILURE(Exit());
    EXPECT_EQ(ReadSetting(L"PageControl1").value_or(L"<absent>"), std::to_wstring(c.openedTab));
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredTabTest, testing::ValuesIn(kStoredTabCases));

TEST_F(MainWindowTest, SecondStartOpensOnTheTabOfTheLastClose) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    Tabs().ClickTab(1);
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
    ASSERT_NO_FATAL_FAILURE(Exit());
    EXPECT_EQ(ReadSetting(L"PageControl1").value_or(L"<absent>"), L"1");

    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
    EXPECT_EQ(Tabs().SelectedIndex(), 1);
    ExpectListShowsScope(Scope::AllUsers);
    ASSERT_NO_FATAL_FAILURE(Exit());
}

TEST_F(MainWindowTest, FirstStartWithoutSettingsFileOpensOnCurrentUserAndCreatesTheFileAtClose) {
    DeleteSettingsFile();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    EXPECT_EQ(Tabs().SelectedIndex(), 0);
    ExpectListShowsScope(Scope::CurrentUser);
    EXPECT_FALSE(SettingsFileExists()) << "starting alone writes nothing";

    // The first close may offer to copy the program; the harness cancels.
    ASSERT_NO_FATAL_FAILURE(Exit());
    EXPECT_TRUE(SettingsFileExists());
    EXPECT_EQ(ReadSetting(L"PageControl1").value_or(L"<absent>"), L"0");
}

// A restart as administrator that names another user than the token's: the
// all users' tab only, the settings kept in memory, no offer at close.
TEST_F(MainWindowTest, ARestartForAnotherUserKeepsToAllUsersAndWritesNoSettings) {
    if (!RunningElevated()) GTEST_SKIP() << "this Wine prefix's user is not elevated, as a restart's would be";
    WriteSetting(L"PageControl1", L"0");
    ASSERT_NO_FATAL_FAILURE(Start(L"/tab:0 /user:S-1-5-21-7-7-7-1001"));
    ASSERT_TRUE(WaitForRows(Scope::AllUsers));
    EXPECT_EQ(Tabs().SelectedIndex(), 1);
    EXPECT_EQ(List(Scope::CurrentUser).ItemCount(), 0);
    Screenshot(L"ui-restart-for-another-user");
    EXPECT_TRUE(app_->ExitAndWait().empty()) << "no first-exit offer";
    EXPECT_EQ(ReadSetting(L"PageControl1").value_or(L"<absent>"), L"0");
}

}  // namespace
}  // namespace quillmark::uitest
