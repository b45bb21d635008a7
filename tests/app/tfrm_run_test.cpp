#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/texts.h"
#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::kDataFolderPath;
using app_testing::kSettingsPath;
using app_testing::RecordingTabCanvas;
using app_testing::TfrmRunWorld;
using ::testing::ElementsAre;

TEST(TfrmRunFormCreate, RunsItsStepsInOrderAndLoadsNothing) {
    TfrmRunWorld world;
    world.form->FormCreate();

    EXPECT_THAT(world.view.calls,
                ElementsAre(L"DoubleBuffered LvCurrentUser", L"DoubleBuffered LVLocalMachine", L"DoubleBuffered pnlTop",
                            L"DoubleBuffered Panel2", L"DoubleBuffered PageControl1", L"ColumnWidth LvCurrentUser 0 180",
                            L"ColumnWidth LvCurrentUser 1 610", L"ColumnWidth LvCurrentUser 2 150",
                            L"ColumnWidth LvCurrentUser 3 100", L"ColumnWidth LVLocalMachine 0 180",
                            L"ColumnWidth LVLocalMachine 1 610", L"ColumnWidth LVLocalMachine 2 150",
                            L"ColumnWidth LVLocalMachine 3 100", L"OwnerDrawTabs 1", L"SelectTab 0", L"Timer 1"));
    EXPECT_TRUE(world.platform.files().DirectoryExists(kDataFolderPath));
    ASSERT_NE(world.form->Settings(), nullptr);
    EXPECT_EQ(world.form->Settings()->Path(), kSettingsPath);
    EXPECT_EQ(world.images.BitsPerPixel(), 32);
    // Creating the settings accessor and reading it leave no file behind.
    EXPECT_FALSE(world.profile.FileExists(kSettingsPath));
    EXPECT_EQ(world.profile.WriteCount(), 0);
}

TEST(TfrmRunFormCreate, CreatesTheDataFolderWithItsParents) {
    TfrmRunWorld world;
    world.platform.shell().SetFolderPath(kCsidlPersonal, "C:\\Profiles\\Quill\\My Documents");
    world.form->FormCreate();
    EXPECT_TRUE(world.platform.files().DirectoryExists(L"C:\\Profiles\\Quill\\My Documents\\Quillmark"));
    EXPECT_EQ(world.form->Settings()->Path(), L"C:\\Profiles\\Quill\\My Documents\\Quillmark\\default.ini");
}

// The settings file lies in the data folder when there is one, whatever the
// user's name; with no documents folder, or a data folder that cannot be
// made, nothing is written anywhere and the tab chosen still counts for the run.
TEST(TfrmRunFormCreate, SettingsFileOnlyInsideTheDataFolder) {
    struct Case {
        const char* what;
        const wchar_t* documents;  // null: the shell knows no documents folder
        const wchar_t* blockingFile;
        const wchar_t* settingsPath;  // empty: in memory only
    };
    const Case cases[] = {
        {"name outside the code page", L"C:\\Users\\\u4e2d\\Documents", nullptr,
         L"C:\\Users\\\u4e2d\\Documents\\Quillmark\\default.ini"},
        {"no documents folder", nullptr, nullptr, L""},
        {"data folder cannot be made", L"C:\\Blocked", L"C:\\Blocked\\Quillmark", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmRunWorld world;
        if (c.documents == nullptr) {
            world.platform.shell().SetFolderPath(kCsidlPersonal, "", kEFail);
        } else {
            world.platform.shell().SetFolderPathW(kCsidlPersonal, c.documents);
        }
        if (c.blockingFile != nullptr) world.platform.files().AddFile(c.blockingFile);
        world.form->FormCreate();
        ASSERT_NE(world.form->Settings(), nullptr);
        EXPECT_EQ(world.form->Settings()->Path(), c.settingsPath);
        world.view.tabIndex = 1;
        bool canClose = true;
        world.form->FormCloseQuery(canClose);
        EXPECT_EQ(world.form->Settings()->ReadInteger("PageControl1", 0), 1);
        EXPECT_EQ(world.profile.FileCount(), *c.settingsPath == L'\0' ? 0 : 1);
        EXPECT_FALSE(world.platform.files().DirectoryExists(L"\\Quillmark"));
    }
}

TEST(TfrmRunFormCreate, ReadsLastBrowsePath) {
    TfrmRunWorld world;
    world.StoreSetting("defaultFilePath", "C:\\Tools");
    world.form->FormCreate();
    EXPECT_EQ(world.form->Panel().LastBrowsePath(), L"C:\\Tools");
}

// A failure at any step skips the rest without a word: before the last step
// the timer stays off, so the lists stay empty.
struct FailingStep {
    const wchar_t* failOn;
    bool folderCreated;
    bool settingsOpen;
    bool imagesConverted;
};

class TfrmRunFormCreateGuard : public ::testing::TestWithParam<FailingStep> {};

TEST_P(TfrmRunFormCreateGuard, SkipsTheRemainingStepsSilently) {
    const FailingStep& step = GetParam();
    TfrmRunWorld world;
    world.StoreSetting("PageControl1", "0");
    world.view.failOn = step.failOn;
    world.form->FormCreate();

    EXPECT_FALSE(world.view.timerEnabled);
    EXPECT_TRUE(world.view.Calls(L"Timer").empty());
    EXPECT_TRUE(world.view.Calls(L"ErrorBox").empty());
    EXPECT_EQ(world.platform.files().DirectoryExists(kDataFolderPath), step.folderCreated);
    EXPECT_EQ(world.form->Settings() != nullptr, step.settingsOpen);
    EXPECT_EQ(world.images.BitsPerPixel() == 32, step.imagesConverted);
    EXPECT_TRUE(world.view.Calls(L"ShowRows").empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, TfrmRunFormCreateGuard,
                         ::testing::Values(FailingStep{L"DoubleBuffered pnlTop", false, false, false},
                                           FailingStep{L"ColumnWidth LVLocalMachine 1", false, false, false},
                                           FailingStep{L"OwnerDrawTabs", false, false, false},
                                           FailingStep{L"SelectTab", true, true, false}));

TEST(TfrmRunFormCreate, AnImageListThatCannotBeRebuiltLeavesTheTimerOff) {
    TfrmRunWorld world;
    world.images.FailRecreate(true);
    world.form->FormCreate();
    EXPECT_FALSE(world.view.timerEnabled);
    // The inventory was set up before, so the user can still load by hand.
    world.form->Refresh();
    EXPECT_EQ(world.view.Calls(L"ShowRows").size(), 1u);
}

TEST(TfrmRunFormCreate, AFailureBeforeTheRegistryLeavesRefreshWithAnErrorBox) {
    TfrmRunWorld world;
    world.view.failOn = L"DoubleBuffered";
    world.form->FormCreate();
    world.view.failOn.clear();
    world.form->Refresh();
    EXPECT_EQ(world.view.Calls(L"ErrorBox").size(), 1u);
    // The close has no settings file to write to, and says nothing about it.
    bool canClose = true;
    world.form->FormCloseQuery(canClose);
    EXPECT_EQ(world.view.Calls(L"ErrorBox").size(), 1u);
    EXPECT_EQ(world.profile.WriteCount(), 0);
}

// The stored tab decides the page the window opens on, and so the first load.
struct StoredTab {
    const char* stored;  // null: no settings file
    int openedTab;
    const wchar_t* loadedList;
};

class TfrmRunStoredTab : public ::testing::TestWithParam<StoredTab> {};

TEST_P(TfrmRunStoredTab, OpensOnThatTabAndLoadsIt) {
    const StoredTab& tab = GetParam();
    TfrmRunWorld world;
    if (tab.stored != nullptr) world.StoreSetting("PageControl1", tab.stored);
    world.AddRunValue(StartupScope::CurrentUser, L"Notes", L"C:\\Notes\\notes.exe");
    world.AddRunValue(StartupScope::AllUsers, L"Backup", L"C:\\Backup\\backup.exe");

    world.form->FormCreate();
    EXPECT_EQ(world.view.tabIndex, tab.openedTab);
    EXPECT_TRUE(world.view.timerEnabled);

    world.form->LoadOnStart();
    EXPECT_FALSE(world.view.timerEnabled);
    EXPECT_EQ(world.view.Calls(L"ShowRows"), std::vector<std::wstring>{std::wstring(L"ShowRows ") + tab.loadedList + L" 1"});
    EXPECT_EQ(world.view.focused, tab.loadedList);

    bool canClose = true;
    world.form->FormCloseQuery(canClose);
    EXPECT_EQ(world.StoredSetting("PageControl1"), std::to_string(tab.openedTab));
}

INSTANTIATE_TEST_SUITE_P(Values, TfrmRunStoredTab,
                         ::testing::Values(StoredTab{nullptr, 0, L"LvCurrentUser"},
                                           StoredTab{"0", 0, L"LvCurrentUser"},
                                           StoredTab{"1", 1, L"LVLocalMachine"},
                                           StoredTab{"0x1", 1, L"LVLocalMachine"},
                                           StoredTab{"0X1", 1, L"LVLocalMachine"},
                                           StoredTab{"abc", 0, L"LvCurrentUser"},
                                           StoredTab{"", 0, L"LvCurrentUser"},
                                           StoredTab{" 1 ", 1, L"LVLocalMachine"},
                                           // Numbers without a tab leave the layout's initial page, AllUsers.
                                           StoredTab{"2", 1, L"LVLocalMachine"},
                                           StoredTab{"7", 1, L"LVLocalMachine"},
                                           StoredTab{"-1", 1, L"LVLocalMachine"},
                                           StoredTab{"0x7FFFFFFF", 1, L"LVLocalMachine"}));

// A restart as administrator names the user who asked for it. Consenting with
// another account's password makes this instance that account: it keeps to the
// all users' tab, writes no settings, makes no offer and opens no web page.
// The same user, or none named, or no elevation: as before.
struct RestartAccount {
    const char* label;
    bool elevated;
    const wchar_t* askingSid;
    bool otherAccount;
};

class TfrmRunRestartAccount : public ::testing::TestWithParam<RestartAccount> {};

TEST_P(TfrmRunRestartAccount, AnotherAccountLeavesTheCurrentUserTabAlone) {
    const RestartAccount& c = GetParam();
    const std::wstring admin = L"OFFICE\\\u0141ukasz";  // outside the ANSI code page
    TfrmRunWorld world;
    world.elevated = c.elevated;
    world.form = std::make_unique<TfrmRun>(
        world.view, MainWindowServices{world.platform.View(), world.profile, world.images, {},
                                       [&world] { return world.elevated; }, app_testing::kProgramPath, std::nullopt,
                                       {}, TokenAccount{L"S-1-5-21-7-500", admin}, c.askingSid});
    world.StoreSetting("PageControl1", "0");
    world.AddRunValue(StartupScope::CurrentUser, L"Notes", L"C:\\Notes\\notes.exe");
    world.AddRunValue(StartupScope::AllUsers, L"Backup", L"C:\\Backup\\backup.exe");
    world.AddStartupFolder(StartupScope::CurrentUser, L"C:\\Users\\Quill\\Startup");
    world.platform.environment().SetModuleFileName(app_testing::kProgramPath);
    world.form->FormCreate();
    world.form->LoadOnStart();
    EXPECT_EQ(world.view.tabIndex, c.otherAccount ? 1 : 0);
    EXPECT_EQ(world.form->Settings()->Path(), c.otherAccount ? L"" : kSettingsPath);

    world.view.tabIndex = 0;
    world.form->SwitchTab();
    EXPECT_EQ(world.form->Lists().Rows(Role::CurrentUserList).rows.size(), c.otherAccount ? 0u : 1u);
    RecordingTabCanvas canvas;
    world.form->DrawTab(0, canvas);
    EXPECT_EQ(canvas.steps.back().find(admin) != std::wstring::npos, c.otherAccount) << canvas.steps.back();
    // Where the system draws the tabs (under WOW64) it shows the tab's text.
    EXPECT_EQ(world.view.Calls(L"TabCaption"),
              c.otherAccount ? std::vector<std::wstring>{L"TabCaption 0 " + texts::OtherAccountTabCaption(admin)}
                             : std::vector<std::wstring>{});
    world.view.calls.clear();
    world.form->Execute(Command::DeleteSelected);
    const auto messages = world.view.Calls(L"Message");
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages[0].find(c.otherAccount ? texts::OtherAccountsItems(admin) : texts::kDeleteQuestion),
              std::wstring::npos)
        << messages[0];
    EXPECT_EQ(world.form->IsEnabled(Command::DeleteSelected), !c.otherAccount);
    world.view.SetFieldText(Role::NameField, L"Tool");
    world.view.SetFieldText(Role::PathField, L"C:\\tool.exe");
    world.form->FieldKeyDown(Role::NameField, 13);  // Enter confirms the add
    EXPECT_EQ(world.platform.links().LinkCount(), c.otherAccount ? 0u : 1u);

    world.view.tabIndex = 1;
    world.form->SwitchTab();
    world.form->ListKeyDown(13);  // Enter opens the selected row
    world.form->Execute(Command::OpenHomePage);
    world.view.calls.clear();
    bool canClose = true;
    world.form->FormCloseQuery(canClose);
    EXPECT_EQ(world.StoredSetting("PageControl1"), c.otherAccount ? "0" : "1") << "the tab closed on, stored";
    EXPECT_EQ(world.view.Calls(L"Message").size(), c.otherAccount ? 0u : 1u) << "the first-exit offer";
    EXPECT_EQ(world.platform.shell().Executed().empty(), c.otherAccount) << "the row's program and two pages";
}

INSTANTIATE_TEST_SUITE_P(Accounts, TfrmRunRestartAccount,
                         ::testing::Values(RestartAccount{"another_account", true, L"S-1-5-21-7-1001", true},
                                           RestartAccount{"same_user", true, L"S-1-5-21-7-500", false},
                                           RestartAccount{"no_user_named", true, L"", false},
                                           RestartAccount{"not_elevated", false, L"S-1-5-21-7-1001", false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(TfrmRunWidths, FollowTheWindowAtTheLayoutSizeAndWhenWidened) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.form->FormResize();
    EXPECT_EQ(world.view.widths[L"LvCurrentUser 0"], 180);
    EXPECT_EQ(world.view.widths[L"LvCurrentUser 1"], 610);
    EXPECT_EQ(world.view.widths[L"LVLocalMachine 1"], 610);
    EXPECT_EQ(world.view.widths[L"LVLocalMachine 2"], 150);
    EXPECT_EQ(world.view.widths[L"LVLocalMachine 3"], 100);
    EXPECT_EQ(world.view.widths[L"TxtStartName"], 816);
    EXPECT_EQ(world.view.widths[L"TxtStartPath"], 816);

    world.view.pageWidth += 100;
    world.view.outerWidth += 100;
    world.form->FormResize();
    EXPECT_EQ(world.view.widths[L"LvCurrentUser 0"], 180);
    EXPECT_EQ(world.view.widths[L"LvCurrentUser 1"], 710);
    EXPECT_EQ(world.view.widths[L"LVLocalMachine 1"], 710);
    EXPECT_EQ(world.view.widths[L"TxtStartName"], 916);
    EXPECT_EQ(world.view.widths[L"TxtStartPath"], 916);
}

TEST(TfrmRunWidths, AResizeFailureIsSwallowed) {
    TfrmRunWorld world;
    world.view.failOn = L"FieldWidth TxtStartPath";
    world.form->FormResize();
    EXPECT_TRUE(world.view.Calls(L"ErrorBox").empty());
    EXPECT_TRUE(world.view.Calls(L"ColumnWidth").empty());
}

TEST(TfrmRunSwitchTab, FocusesTheListAndSelectsOnlyItsLastRow) {
    TfrmRunWorld world;
    world.AddRunValue(StartupScope::CurrentUser, L"Alpha", L"C:\\a.exe");
    world.AddRunValue(StartupScope::CurrentUser, L"Beta", L"C:\\b.exe");
    world.AddRunValue(StartupScope::CurrentUser, L"Gamma", L"C:\\c.exe");
    world.form->FormCreate();
    world.view.calls.clear();

    world.form->SwitchTab();
    EXPECT_THAT(world.view.calls,
                ElementsAre(L"ShowRows LvCurrentUser 3", L"FocusList LvCurrentUser", L"SelectRow LvCurrentUser 2"));
    const std::vector<StartupEntry> selected = world.form->Lists().SelectedRows(Role::CurrentUserList);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].name, L"Gamma");
}

TEST(TfrmRunSwitchTab, AnEmptyListIsFocusedWithNothingSelected) {
    TfrmRunWorld world;
    world.StoreSetting("PageControl1", "1");
    world.form->FormCreate();
    world.view.calls.clear();

    world.form->SwitchTab();
    EXPECT_THAT(world.view.calls, ElementsAre(L"ShowRows LVLocalMachine 0", L"FocusList LVLocalMachine"));
}

TEST(TfrmRunSwitchTab, ReloadsFromScratchEachTime) {
    TfrmRunWorld world;
    world.AddRunValue(StartupScope::CurrentUser, L"Alpha", L"C:\\a.exe");
    world.AddRunValue(StartupScope::CurrentUser, L"Beta", L"C:\\b.exe");
    world.form->FormCreate();
    world.form->SwitchTab();
    world.platform.registry().DeleteValue(RegistryRoot::CurrentUser, app_testing::kRunPath, L"Alpha");
    world.form->Refresh();

    EXPECT_EQ(world.view.Calls(L"ShowRows"),
              (std::vector<std::wstring>{L"ShowRows LvCurrentUser 2", L"ShowRows LvCurrentUser 1"}));
    ASSERT_EQ(world.form->Lists().Rows(Role::CurrentUserList).rows.size(), 1u);
    EXPECT_EQ(world.form->Lists().Rows(Role::CurrentUserList).rows[0].name, L"Beta");
    EXPECT_EQ(world.view.selected[L"LvCurrentUser"], std::vector<int>{0});
}

TEST(TfrmRunSwitchTab, AnyOtherTabIndexDoesNothing) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.view.calls.clear();
    world.view.tabIndex = -1;
    world.form->SwitchTab();
    world.view.tabIndex = 2;
    world.form->SwitchTab();
    EXPECT_TRUE(world.view.calls.empty());
}

TEST(TfrmRunSwitchTab, AFailureFromTheUserReachesTheDefaultErrorBox) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.view.failOn = L"FocusList";
    world.form->SwitchTab();
    world.form->Refresh();
    EXPECT_EQ(world.view.Calls(L"ErrorBox"),
              (std::vector<std::wstring>(2, L"ErrorBox Widget failure: FocusList LvCurrentUser")));
}

// Ctrl+Tab and its kin select the other tab and load it, as a click on the tab does.
TEST(TfrmRunNeighbourTab, SelectsTheOtherTabAndLoadsIt) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.view.calls.clear();
    world.form->Execute(Command::NextTab);
    world.form->Execute(Command::PreviousTab);
    EXPECT_THAT(world.view.calls, ElementsAre(L"SelectTab 1", L"ShowRows LVLocalMachine 0", L"FocusList LVLocalMachine",
                                              L"SelectTab 0", L"ShowRows LvCurrentUser 0", L"FocusList LvCurrentUser"));
}

TEST(TfrmRunLoadOnStart, FiresOnceAndSwallowsAFailure) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.view.failOn = L"FocusList";
    world.form->LoadOnStart();
    EXPECT_FALSE(world.view.timerEnabled);
    EXPECT_TRUE(world.view.Calls(L"ErrorBox").empty());
    EXPECT_EQ(world.view.Calls(L"Timer"), (std::vector<std::wstring>{L"Timer 1", L"Timer 0"}));
}

struct Wow64Case {
    bool wow64;
    bool ownerDraw;
};

class TfrmRunWow64 : public ::testing::TestWithParam<Wow64Case> {};

TEST_P(TfrmRunWow64, LeavesTheTabsToTheSystemUnderWow64) {
    TfrmRunWorld world;
    world.wow64 = GetParam().wow64;
    world.form->FormCreate();
    EXPECT_EQ(world.view.Calls(L"OwnerDrawTabs"),
              std::vector<std::wstring>{L"OwnerDrawTabs " + std::to_wstring(GetParam().ownerDraw)});
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, TfrmRunWow64, ::testing::Values(Wow64Case{true, false}, Wow64Case{false, true}));

TEST(TfrmRunDrawTab, BoldCaptionOnlyOnTheSelectedTabWithItsBlanks) {
    TfrmRunWorld world;
    world.view.tabIndex = 0;
    RecordingTabCanvas selected;
    world.form->DrawTab(0, selected);
    EXPECT_THAT(selected.steps, ElementsAre(L"Bold", L"Fill", L"Text[   Current User's startup items   ]"));

    RecordingTabCanvas other;
    world.form->DrawTab(1, other);
    EXPECT_THAT(other.steps, ElementsAre(L"Fill", L"Text[    All users's startup items ]"));
}

TEST(TfrmRunFormCloseQuery, StoresTheSelectedTabAtOnce) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.view.tabIndex = 1;
    bool canClose = true;
    world.form->FormCloseQuery(canClose);
    EXPECT_EQ(world.StoredSetting("PageControl1"), "1");
    EXPECT_TRUE(world.profile.FileExists(kSettingsPath));
}

TEST(TfrmRunFormCloseQuery, AFailedWriteStillLetsTheWindowClose) {
    TfrmRunWorld world;
    world.form->FormCreate();
    world.profile.MakeUnwritable(kSettingsPath);
    bool canClose = true;
    world.form->FormCloseQuery(canClose);
    EXPECT_TRUE(world.view.Calls(L"ErrorBox").empty());
    EXPECT_FALSE(world.profile.FileExists(kSettingsPath));
}

TEST(TfrmRunExit, AsksTheWindowToClose) {
    TfrmRunWorld world;
    world.form->Exit();
    EXPECT_THAT(world.view.calls, ElementsAre(L"Close"));
}

}  // namespace
}  // namespace quillmark
