// Commands on the selected rows, driven through TfrmRun's handlers against
// the recording view and the recording shell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/texts.h"
#include "app/elevated_restart.h"
#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::ListName;
using app_testing::FeatureWorld;
using app_testing::TfrmRunWorld;
using ::testing::ElementsAre;

const std::wstring kDeleteQuestion = std::wstring(L"Message Information: ") + texts::kDeleteQuestion;
constexpr const wchar_t* kCyrillicChinese = L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430 \u7a0b\u5e8f";

class RowCommandsTest : public ::testing::Test {
protected:
    // Shows the tab's list as the user would see it.
    void Load(int tab) { world_.Load(tab); }
    void Select(Role list, std::vector<int> rows) { world_.view.selected[ListName(list)] = std::move(rows); }
    // The files handed to ShellExecuteW, in call order.
    std::vector<std::wstring> Opened() {
        std::vector<std::wstring> files;
        for (const ExecuteRecord& record : world_.platform.shell().Executed()) {
            if (record.call == L"ShellExecuteW") files.push_back(record.file);
        }
        return files;
    }
    std::vector<std::wstring> PropertySheets() {
        std::vector<std::wstring> files;
        for (const ExecuteRecord& record : world_.platform.shell().Executed()) {
            if (record.verb == L"properties") files.push_back(record.file);
        }
        return files;
    }

    FeatureWorld world_;
    RowCommands commands_{world_.view, world_.lists, world_.platform.View(), world_.failures};
};

// Open, Open containing folder and Show Properties take LVLocalMachine on
// every tab but 0; Delete takes the all-users scope on tab 1 only.
struct ListChoiceCase {
    int tab;
    const wchar_t* program;
    bool allUsersRemoved;
};

class RowCommandsListChoice : public RowCommandsTest, public ::testing::WithParamInterface<ListChoiceCase> {};

TEST_P(RowCommandsListChoice, EachCommandTakesItsListByTheTabIndex) {
    const ListChoiceCase& c = GetParam();
    world_.AddRunValue(StartupScope::CurrentUser, L"Mine", L"C:\\Mine\\mine.exe");
    world_.AddRunValue(StartupScope::AllUsers, L"Shared", L"C:\\Shared\\shared.exe");
    Load(0);
    Load(1);
    world_.view.tabIndex = c.tab;

    commands_.OpenSelected();
    commands_.OpenContainingFolder();
    commands_.ShowProperties();
    const std::wstring program = c.program;
    EXPECT_THAT(Opened(), ElementsAre(program, program.substr(0, program.rfind(L'\\') + 1)));
    EXPECT_THAT(PropertySheets(), ElementsAre(program));

    commands_.DeleteSelected();
    const auto& registry = world_.platform.registry();
    EXPECT_EQ(registry.ValueExists(RegistryRoot::LocalMachine, app_testing::kRunPath, L"Shared"), !c.allUsersRemoved);
    EXPECT_EQ(registry.ValueExists(RegistryRoot::CurrentUser, app_testing::kRunPath, L"Mine"), c.allUsersRemoved);
}

INSTANTIATE_TEST_SUITE_P(Tabs, RowCommandsListChoice,
                         ::testing::Values(ListChoiceCase{0, L"C:\\Mine\\mine.exe", false},
                                           ListChoiceCase{1, L"C:\\Shared\\shared.exe", true},
                                           ListChoiceCase{2, L"C:\\Shared\\shared.exe", false}));

TEST_F(RowCommandsTest, OpenStartsEachSelectedRowsProgramInRowOrder) {
    for (const wchar_t* name : {L"A", L"B", L"C", L"D"}) {
        world_.AddRunValue(StartupScope::CurrentUser, name, std::wstring(L"C:\\Apps\\") + name + L".exe");
    }
    Load(0);
    Select(Role::CurrentUserList, {3, 0, 2});
    commands_.OpenSelected();
    EXPECT_THAT(Opened(), ElementsAre(L"C:\\Apps\\A.exe", L"C:\\Apps\\C.exe", L"C:\\Apps\\D.exe"));

    // Nothing selected: nothing opened, nothing said.
    Select(Role::CurrentUserList, {});
    commands_.OpenSelected();
    EXPECT_EQ(Opened().size(), 3u);
    EXPECT_TRUE(world_.view.Calls(L"Message").empty());
}

TEST_F(RowCommandsTest, AQuotedPathWithArgumentsOpensTheProgramAloneAndItsFolder) {
    world_.AddRunValue(StartupScope::CurrentUser, L"App", L"\"C:\\Program Files\\App\\app.exe\" /min");
    Load(0);
    Select(Role::CurrentUserList, {0});
    commands_.OpenSelected();
    commands_.OpenContainingFolder();

    const auto& executed = world_.platform.shell().Executed();
    ASSERT_EQ(executed.size(), 2u);
    EXPECT_EQ(executed[0].file, L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(executed[0].verb, L"Open");
    EXPECT_EQ(executed[0].parameters, L"");
    EXPECT_EQ(executed[0].owner, ShellOwner::MainWindow);
    EXPECT_EQ(executed[1].file, L"C:\\Program Files\\App\\");
}

TEST_F(RowCommandsTest, AShortcutRowOpensItsTarget) {
    LinkRecord link;
    link.target = L"C:\\Tools\\app.exe";
    link.shortTarget = L"C:\\Tools\\app.exe";
    world_.platform.links().AddLink(L"C:\\Links\\App.lnk", link);
    world_.AddRunValue(StartupScope::CurrentUser, L"App", L"C:\\Links\\App.lnk");
    Load(0);
    commands_.OpenSelected();
    commands_.OpenContainingFolder();
    commands_.ShowProperties();
    EXPECT_THAT(Opened(), ElementsAre(L"C:\\Tools\\app.exe", L"C:\\Tools\\"));
    EXPECT_THAT(PropertySheets(), ElementsAre(L"C:\\Tools\\app.exe"));
}

// Under WOW64 a System32 program is started and its sheet shown through
// Sysnative, where a 32-bit process reaches it; its folder goes to Explorer,
// a 64-bit process, by the name Windows gives it.
TEST_F(RowCommandsTest, UnderWow64ASystem32ProgramIsReachedThroughSysnative) {
    world_.platform.environment().SetWow64(true);
    world_.platform.environment().SetSystemFolder(L"C:\\Windows\\system32");
    world_.AddRunValue(StartupScope::CurrentUser, L"Tray", L"C:\\Windows\\System32\\tray.exe /s");
    Load(0);
    commands_.OpenSelected();
    commands_.OpenContainingFolder();
    commands_.ShowProperties();
    EXPECT_THAT(Opened(), ElementsAre(L"C:\\Windows\\Sysnative\\tray.exe ", L"C:\\Windows\\System32\\"));
    EXPECT_THAT(PropertySheets(), ElementsAre(L"C:\\Windows\\Sysnative\\tray.exe "));
}

TEST_F(RowCommandsTest, AProgramWithoutFolderOpensAnEmptyFolderText) {
    world_.AddRunValue(StartupScope::CurrentUser, L"Bare", L"app.exe");
    Load(0);
    commands_.OpenContainingFolder();
    EXPECT_THAT(Opened(), ElementsAre(L""));
}

// The shell gets every character of the path: Open, the folder and the
// property sheet alike.
TEST_F(RowCommandsTest, TextOutsideTheCodePageReachesTheShellUnchanged) {
    const std::wstring folder = std::wstring(L"C:\\") + kCyrillicChinese + L"\\";
    world_.AddRunValue(StartupScope::CurrentUser, kCyrillicChinese, folder + L"\u5de5\u5177.exe");
    Load(0);
    commands_.OpenSelected();
    commands_.OpenContainingFolder();
    commands_.ShowProperties();
    EXPECT_THAT(Opened(), ElementsAre(folder + L"\u5de5\u5177.exe", folder));
    EXPECT_THAT(PropertySheets(), ElementsAre(folder + L"\u5de5\u5177.exe"));
}

TEST_F(RowCommandsTest, SelectAllMarksEveryRowOfTheVisibleList) {
    world_.AddRunValue(StartupScope::AllUsers, L"One", L"C:\\one.exe");
    world_.AddRunValue(StartupScope::AllUsers, L"Two", L"C:\\two.exe");
    Load(1);
    world_.view.selected.clear();
    commands_.SelectAllRows();
    EXPECT_EQ(world_.view.selected[L"LVLocalMachine"], (std::vector<int>{0, 1}));
    EXPECT_TRUE(world_.view.selected[L"LvCurrentUser"].empty());
}

// The click copies the lowest selected row, exactly, whatever the panel shows.
TEST_F(RowCommandsTest, TheRowClickCopiesTheLowestSelectedRowExactly) {
    world_.AddRunValue(StartupScope::AllUsers, L"First", L"C:\\first.exe");
    world_.AddRunValue(StartupScope::AllUsers, kCyrillicChinese, L"C:\\\u041f\u0430\u043f\u043a\u0430\\\u7a0b\u5e8f.exe");
    world_.AddRunValue(StartupScope::AllUsers, L"Third", L"C:\\third.exe");
    Load(1);
    world_.view.calls.clear();
    Select(Role::AllUsersList, {2, 1});
    commands_.CopyRowIntoFields(Role::AllUsersList);
    EXPECT_THAT(world_.view.calls,
                ElementsAre(std::wstring(L"FieldText TxtStartName ") + kCyrillicChinese,
                            L"FieldText TxtStartPath C:\\\u041f\u0430\u043f\u043a\u0430\\\u7a0b\u5e8f.exe"));

    // A click that leaves nothing selected, or a click on the other list, leaves the fields.
    Select(Role::AllUsersList, {});
    commands_.CopyRowIntoFields(Role::AllUsersList);
    commands_.CopyRowIntoFields(Role::CurrentUserList);
    EXPECT_EQ(world_.view.calls.size(), 2u);
}

TEST_F(RowCommandsTest, DeleteAnsweredWithCancelRemovesNothingAndDoesNotReload) {
    world_.AddRunValue(StartupScope::CurrentUser, L"Keep", L"C:\\keep.exe");
    Load(0);
    world_.view.calls.clear();
    world_.view.answers = {MessageAnswer::Cancel};
    commands_.DeleteSelected();
    EXPECT_THAT(world_.view.calls, ElementsAre(kDeleteQuestion));
    EXPECT_EQ(world_.view.messageButtons, std::vector<MessageButtons>{MessageButtons::OkCancel});
    EXPECT_TRUE(world_.platform.registry().ValueExists(RegistryRoot::CurrentUser, app_testing::kRunPath, L"Keep"));
}

TEST_F(RowCommandsTest, DeleteWithoutSelectionIsAnErrorOnlyOnTheAllUsersTab) {
    world_.AddRunValue(StartupScope::CurrentUser, L"Mine", L"C:\\mine.exe");
    world_.AddRunValue(StartupScope::AllUsers, L"Shared", L"C:\\shared.exe");
    Load(1);
    Select(Role::AllUsersList, {});
    world_.view.calls.clear();
    commands_.DeleteSelected();
    EXPECT_THAT(world_.view.calls, ElementsAre(kDeleteQuestion, L"Message Error: No item selected for deletion!!!"));

    Load(0);
    Select(Role::CurrentUserList, {});
    world_.view.calls.clear();
    commands_.DeleteSelected();
    // Nothing removed; the reload selects the last row again.
    EXPECT_THAT(world_.view.calls, ElementsAre(kDeleteQuestion, L"ShowRows LvCurrentUser 1", L"FocusList LvCurrentUser",
                                               L"SelectRow LvCurrentUser 0"));
}

TEST_F(RowCommandsTest, DeleteRemovesTheSelectedRowsAndReloads) {
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        world_.AddRunValue(StartupScope::CurrentUser, name, std::wstring(L"C:\\") + name + L".exe");
    }
    Load(0);
    Select(Role::CurrentUserList, {0, 2});
    commands_.DeleteSelected();
    const ScopeList& rows = world_.lists.Rows(Role::CurrentUserList);
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(rows.rows[0].name, L"B");
    EXPECT_EQ(world_.view.Calls(L"ShowRows").back(), L"ShowRows LvCurrentUser 1");
}

// Disable and Enable write Task Manager's mark, reload, keep the same rows
// selected and show the status; each menu item is available only while it
// would change a selected row.
TEST_F(RowCommandsTest, DisableAndEnableKeepTheSelectionAndShowTheStatus) {
    world_.AddRunValue(StartupScope::CurrentUser, L"A", L"C:\\a.exe");
    world_.AddRunValue(StartupScope::CurrentUser, L"B", L"C:\\b.exe");
    Load(0);
    Select(Role::CurrentUserList, {0});
    EXPECT_TRUE(commands_.CanDisable());
    EXPECT_FALSE(commands_.CanEnable());
    commands_.DisableSelected();
    auto& statuses = world_.view.statuses[L"LvCurrentUser"];
    EXPECT_EQ(statuses[0].first.rfind(L"Disabled", 0), 0u);
    EXPECT_TRUE(statuses[0].second);
    EXPECT_EQ(statuses[1], std::make_pair(std::wstring(L"Enabled"), false));
    EXPECT_EQ(world_.view.selected[L"LvCurrentUser"], std::vector<int>{0});
    EXPECT_FALSE(commands_.CanDisable());
    EXPECT_TRUE(commands_.CanEnable());

    commands_.EnableSelected();
    EXPECT_EQ(statuses[0], std::make_pair(std::wstring(L"Enabled"), false));
    EXPECT_EQ(world_.view.selected[L"LvCurrentUser"], std::vector<int>{0});
    EXPECT_TRUE(world_.view.Calls(L"Message").empty());
}

// Undo first shows what would come back and where; Cancel writes nothing.
// OK puts back what Delete took, selects it, and the record is used up.
TEST_F(RowCommandsTest, UndoShowsWhatComesBackAndPutsItBackOnlyAfterOk) {
    for (const wchar_t* name : {L"A", L"B", L"C"}) world_.AddRunValue(StartupScope::CurrentUser, name, L"C:\\x.exe");
    Load(0);
    EXPECT_FALSE(commands_.CanUndo());
    Select(Role::CurrentUserList, {0, 2});
    commands_.DeleteSelected();
    ASSERT_EQ(world_.lists.Rows(Role::CurrentUserList).rows.size(), 1u);
    EXPECT_TRUE(commands_.CanUndo());

    world_.view.answers = {MessageAnswer::Cancel};
    commands_.UndoRemoval();
    const std::wstring run = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring question = L"Message Information: " +
                                  texts::UndoQuestion(L"\nA  \u2192  " + run + L"\nC  \u2192  " + run);
    EXPECT_EQ(world_.view.Calls(L"Message"), (std::vector<std::wstring>{kDeleteQuestion, question}));
    EXPECT_EQ(world_.view.messageButtons.back(), MessageButtons::OkCancel);
    EXPECT_FALSE(world_.platform.registry().ValueExists(RegistryRoot::CurrentUser, app_testing::kRunPath, L"A"));
    EXPECT_TRUE(commands_.CanUndo());

    commands_.UndoRemoval();
    const ScopeList& rows = world_.lists.Rows(Role::CurrentUserList);
    ASSERT_EQ(rows.rows.size(), 3u);
    std::vector<std::wstring> selected;
    for (int row : world_.view.selected[L"LvCurrentUser"]) selected.push_back(rows.rows[row].name);
    EXPECT_THAT(selected, ::testing::UnorderedElementsAre(L"A", L"C"));
    EXPECT_FALSE(commands_.CanUndo());
    EXPECT_EQ(world_.view.Calls(L"Message").size(), 3u);

    // A newest record that cannot be read is named with why, and nothing
    // older is put back in its stead.
    Select(Role::CurrentUserList, {0});
    ASSERT_EQ(rows.rows[0].name, L"B");
    commands_.DeleteSelected();
    const std::wstring broken = std::wstring(app_testing::kDataFolderPath) + L"\\Removed\\broken";
    world_.platform.files().AddFolder(broken);
    world_.platform.files().AddFile(broken + L"\\Startup entries.reg", std::vector<std::uint8_t>{0xFF, 0xFE, 'x', 0});
    world_.view.calls.clear();
    commands_.UndoRemoval();
    const auto messages = world_.view.Calls(L"Message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"Message Error: The newest removal record, \"" + broken + L"\", was not used: ", 0), 0u)
        << messages[0];
    EXPECT_FALSE(world_.platform.registry().ValueExists(RegistryRoot::CurrentUser, app_testing::kRunPath, L"B"));
    EXPECT_TRUE(commands_.CanUndo());
}

// A removed entry whose mark could not be deleted is said to be removed,
// with the mark left and why, not listed among what could not be removed.
TEST_F(RowCommandsTest, ARemovedEntryWhoseMarkStayedIsReportedAsRemoved) {
    const std::wstring approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    world_.AddRunValue(StartupScope::CurrentUser, L"A", L"C:\\x.exe");
    world_.platform.registry().SetValue(RegistryRoot::CurrentUser, approved, L"A", kRegBinary, {3, 0, 0, 0});
    world_.platform.registry().MakeReadOnly(RegistryRoot::CurrentUser, approved);
    Load(0);
    Select(Role::CurrentUserList, {0});
    commands_.DeleteSelected();
    EXPECT_FALSE(world_.platform.registry().ValueExists(RegistryRoot::CurrentUser, app_testing::kRunPath, L"A"));
    EXPECT_EQ(world_.view.Calls(L"Message").back(),
              L"Message Warning: " + std::wstring(texts::kMarksLeftHeading) + L"\nA: Access is denied.");
    EXPECT_EQ(world_.view.messageButtons.back(), MessageButtons::Ok);
}

// Disable and Undo refused for want of rights are reported after the reload
// with the same offer to restart as administrator as a refused removal.
TEST_F(RowCommandsTest, ARefusedChangeOnTheAllUsersTabOffersTheRestart) {
    world_.AddRunValue(StartupScope::AllUsers, L"Shared", L"C:\\shared.exe");
    Load(1);
    Select(Role::AllUsersList, {0});
    commands_.DeleteSelected();
    world_.platform.registry().MakeReadOnly(RegistryRoot::LocalMachine, L"SOFTWARE");
    world_.view.answers = {MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Cancel};
    commands_.UndoRemoval();
    world_.AddRunValue(StartupScope::AllUsers, L"Other", L"C:\\other.exe");
    Load(1);
    Select(Role::AllUsersList, {0});
    commands_.DisableSelected();

    const auto messages = world_.view.Calls(L"Message");
    ASSERT_EQ(messages.size(), 4u);
    for (const std::wstring& report : {messages[2], messages[3]}) {
        EXPECT_NE(report.find(L": Access is denied."), std::wstring::npos) << report;
        EXPECT_NE(report.find(texts::kRestartToChangeQuestion), std::wstring::npos) << report;
    }
    EXPECT_TRUE(commands_.CanUndo()) << "a refused undo keeps its record for the elevated instance";
}

// Only administrators write the all users' records: a standard user's
// removal there stops at its record, removes nothing, makes no folder, and
// offers the restart as administrator.
TEST_F(RowCommandsTest, AStandardUsersRemovalOnTheAllUsersTabStopsAtItsRecord) {
    world_.AddRunValue(StartupScope::AllUsers, L"Shared", L"C:\\shared.exe");
    world_.platform.files().SetCreatorOwner(app_testing::kUserSid);
    world_.platform.shell().SetExecuteExWError(kErrorCancelled);
    Load(1);
    Select(Role::AllUsersList, {0});
    commands_.DeleteSelected();
    EXPECT_TRUE(world_.platform.registry().ValueExists(RegistryRoot::LocalMachine, app_testing::kRunPath, L"Shared"));
    EXPECT_FALSE(world_.platform.files().DirectoryExists(L"C:\\ProgramData\\Quillmark"));
    const auto messages = world_.view.Calls(L"Message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].rfind(L"Message Error: Nothing was removed: ", 0), 0u) << messages[1];
    EXPECT_NE(messages[1].find(texts::kRestartToRemoveQuestion), std::wstring::npos);
}

// A standard user deleting all-users entries: the refusal is reported after
// the reload, naming each entry that stayed, with the offer to restart as
// administrator on the same tab when this process is not elevated.
struct RefusalCase {
    const char* label;
    bool elevated;
    MessageAnswer restartAnswer;
    std::uint32_t elevationError;  // kErrorCancelled: the user declines the system's question
    bool offered;
    bool closed;
};

class RowCommandsRefusedRemoval : public RowCommandsTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RowCommandsRefusedRemoval, IsReportedAfterTheReload) {
    const RefusalCase& c = GetParam();
    const std::wstring other = L"\u0414\u0440\u0443\u0433\u043e\u0439 \u7a0b\u5e8f";
    world_.AddRunValue(StartupScope::AllUsers, L"Shared", L"C:\\shared.exe");
    world_.AddRunValue(StartupScope::AllUsers, other, L"C:\\other.exe");
    world_.platform.registry().MakeReadOnly(RegistryRoot::LocalMachine, app_testing::kRunPath);
    world_.elevated = c.elevated;
    world_.platform.shell().SetExecuteExWError(c.elevationError);
    Load(1);
    Select(Role::AllUsersList, {0, 1});
    world_.view.calls.clear();
    world_.view.answers = {MessageAnswer::Ok, c.restartAnswer};
    commands_.DeleteSelected();

    // A restart the shell could not start is said; the user's own No is not.
    const bool restartFailed = c.offered && c.restartAnswer == MessageAnswer::Ok &&
                               c.elevationError != kErrorSuccess && c.elevationError != kErrorCancelled;
    const auto messages = world_.view.Calls(L"Message");
    ASSERT_EQ(messages.size(), restartFailed ? 3u : 2u);
    if (restartFailed)
        EXPECT_EQ(messages[2], L"Message Error: " + texts::RestartFailed(L"The system cannot find the file specified."));
    const std::wstring& report = messages[1];
    EXPECT_EQ(report.rfind(L"Message Error: ", 0), 0u);
    EXPECT_NE(report.find(L"Shared: Access is denied."), std::wstring::npos);
    EXPECT_NE(report.find(other + L": Access is denied."), std::wstring::npos);
    EXPECT_EQ(report.find(L"administrator") != std::wstring::npos, c.offered);
    EXPECT_EQ(world_.view.messageButtons[1], c.offered ? MessageButtons::OkCancel : MessageButtons::Ok);
    // The reload came first and still shows both entries.
    const auto reload = std::find(world_.view.calls.begin(), world_.view.calls.end(), L"ShowRows LVLocalMachine 2");
    EXPECT_LT(reload - world_.view.calls.begin(),
              std::find(world_.view.calls.begin(), world_.view.calls.end(), report) - world_.view.calls.begin());

    std::vector<ExecuteRecord> restarts;
    for (const ExecuteRecord& record : world_.platform.shell().Executed()) {
        if (record.verb == L"runas") restarts.push_back(record);
    }
    const bool restartAsked = c.offered && c.restartAnswer == MessageAnswer::Ok;
    ASSERT_EQ(restarts.size(), restartAsked ? 1u : 0u);
    if (restartAsked) {
        EXPECT_EQ(restarts[0].file, app_testing::kProgramPath);
        EXPECT_EQ(StartTabFromCommandLine(restarts[0].parameters), 1) << "the new instance opens on this tab";
        EXPECT_EQ(RestartFromCommandLine(restarts[0].parameters)->userSid, app_testing::kUserSid);
        EXPECT_EQ(restarts[0].owner, ShellOwner::MainWindow);
    }
    EXPECT_EQ(world_.view.Calls(L"Close").size(), c.closed ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RowCommandsRefusedRemoval,
    ::testing::Values(RefusalCase{"restarted", false, MessageAnswer::Ok, kErrorSuccess, true, true},
                      RefusalCase{"restart_declined_in_the_box", false, MessageAnswer::Cancel, kErrorSuccess, true, false},
                      RefusalCase{"elevation_declined", false, MessageAnswer::Ok, kErrorCancelled, true, false},
                      RefusalCase{"elevation_failed", false, MessageAnswer::Ok, kErrorFileNotFound, true, false},
                      RefusalCase{"already_elevated", true, MessageAnswer::Ok, kErrorSuccess, false, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ElevatedRestartTabs, OnlyARestartsOwnSwitchNamesATab) {
    EXPECT_EQ(StartTabFromCommandLine(L"/tab:0"), 0);
    EXPECT_EQ(StartTabFromCommandLine(L" /tab:1 "), 1);
    EXPECT_EQ(RestartFromCommandLine(L"/tab:1 /user:S-1-5-21-7-1001 ")->userSid, L"S-1-5-21-7-1001");
    EXPECT_EQ(RestartFromCommandLine(L"/tab:0 /user:S-1-5-18")->tab, 0);
    EXPECT_EQ(RestartFromCommandLine(L"/tab:1")->userSid, L"");
    for (const wchar_t* other : {L"", L"/tab:2", L"/tab:", L"/TAB:1", L"/tab:1 /x", L"-tab:1", L"/tab:1 /user:",
                                 L"/tab:1 /user:S-1-", L"/tab:1 /user:S-1-5--18", L"/tab:1 /user:S-1-5-18-",
                                 L"/tab:1  /user:S-1-5-18", L"/tab:1 /user:S-1-5-18 /x", L"/tab:1 /user:s-1-5-18",
                                 L"/tab:1 /user:S-1-5-\u0661"}) {
        EXPECT_EQ(StartTabFromCommandLine(other), std::nullopt) << testing::PrintToString(std::wstring(other));
    }

    // The named tab wins over the stored one.
    TfrmRunWorld world;
    world.StoreSetting("PageControl1", "0");
    world.form = std::make_unique<TfrmRun>(
        world.view, MainWindowServices{world.platform.View(), world.profile, world.images, {}, {}, L"", 1});
    world.form->FormCreate();
    EXPECT_EQ(world.view.tabIndex, 1);
}

}  // namespace
}  // namespace quillmark
