// The add panel, driven through TfrmRun's handlers against the recording
// view and the stand-in platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "inventory/add_shortcut.h"
#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::TfrmRunWorld;
using ::testing::ElementsAre;

using Colours = std::pair<std::uint32_t, std::uint32_t>;
const Colours kEntered{kColourHighlight, kColourHighlightText};
const Colours kPlain{kColourWindow, kColourWindowText};
const Colours kWhite{Rgb(255, 255, 255), Rgb(0, 0, 0)};
const Colours kMarked{Rgb(255, 0, 0), Rgb(255, 255, 0)};

constexpr wchar_t kUserStartup[] = L"C:\\Users\\Quill\\Start Menu\\Programs\\Startup";
constexpr wchar_t kCommonStartup[] = L"C:\\ProgramData\\Start Menu\\Programs\\Startup";

class AddPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        world_.platform.shell().SetFolderPath(kCsidlProgramFiles, "C:\\Program Files");
        world_.platform.shell().SetFolderPath(kCsidlSystem, "C:\\Windows\\System32");
        world_.AddStartupFolder(StartupScope::CurrentUser, kUserStartup);
        world_.AddStartupFolder(StartupScope::AllUsers, kCommonStartup);
        world_.form->FormCreate();
        world_.view.tabIndex = 0;
    }

    void Type(Role field, const std::wstring& text) { world_.view.SetFieldText(field, text); }
    std::wstring Text(Role field) { return world_.view.FieldText(field); }
    Colours ColoursOf(Role field) { return world_.view.fieldColours[app_testing::FieldName(field)]; }
    // The target of the shortcut the panel wrote, or nothing.
    std::optional<std::wstring> ShortcutTarget(const std::wstring& file) {
        const LinkRecord* link = world_.platform.links().Find(file);
        return link == nullptr ? std::nullopt : std::optional<std::wstring>(link->target);
    }

    TfrmRunWorld world_;
};

// Each event of the panel's visibility table, from a panel shown or hidden.
struct VisibilityCase {
    const char* event;
    bool shownBefore;
    std::function<void(TfrmRunWorld&)> run;
    bool shownAfter;
};

class AddPanelVisibility : public AddPanelTest, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(AddPanelVisibility, FollowsTheTable) {
    const VisibilityCase& c = GetParam();
    world_.view.editPanelVisible = c.shownBefore;
    c.run(world_);
    EXPECT_EQ(world_.view.editPanelVisible, c.shownAfter);
}

void ChooseFile(TfrmRunWorld& world, std::optional<std::wstring> file) {
    world.view.chosenFile = std::move(file);
    world.form->Panel().AddProgram();
}

void Confirm(TfrmRunWorld& world, const std::wstring& name, const std::wstring& path) {
    world.view.SetFieldText(Role::NameField, name);
    world.view.SetFieldText(Role::PathField, path);
    world.form->Panel().ConfirmAdd();
}

INSTANTIATE_TEST_SUITE_P(
    Events, AddPanelVisibility,
    ::testing::Values(
        VisibilityCase{"file chosen", false, [](TfrmRunWorld& w) { ChooseFile(w, L"C:\\Tools\\app.exe"); }, true},
        VisibilityCase{"file dialog cancelled", false, [](TfrmRunWorld& w) { ChooseFile(w, std::nullopt); }, false},
        VisibilityCase{"file dialog cancelled, shown", true, [](TfrmRunWorld& w) { ChooseFile(w, std::nullopt); },
                       true},
        VisibilityCase{"folder chosen", false,
                       [](TfrmRunWorld& w) {
                           w.platform.shell().SetBrowseResult(L"C:\\Data");
                           w.form->Panel().AddFolder();
                       },
                       true},
        VisibilityCase{"folder browser cancelled", false,
                       [](TfrmRunWorld& w) {
                           w.platform.shell().SetBrowseResult(std::nullopt);
                           w.form->Panel().AddFolder();
                       },
                       true},
        VisibilityCase{"web page", false, [](TfrmRunWorld& w) { w.form->Panel().AddWebPage(); }, true},
        VisibilityCase{"confirm succeeds", true, [](TfrmRunWorld& w) { Confirm(w, L"Tool", L"C:\\t.exe"); }, false},
        VisibilityCase{"confirm fails a check", true, [](TfrmRunWorld& w) { Confirm(w, L"Tool", L" "); }, true},
        VisibilityCase{"confirm fails to write", true,
                       [](TfrmRunWorld& w) {
                           w.platform.files().Remove(kUserStartup);
                           Confirm(w, L"Tool", L"C:\\t.exe");
                       },
                       true},
        VisibilityCase{"cancel", true, [](TfrmRunWorld& w) { w.form->Panel().CancelAdd(); }, false}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.event; *p != 0; ++p) name += std::isalnum(*p) ? *p : '_';
        return name;
    });

TEST_F(AddPanelTest, FocusColoursPaintTheEnteredFieldOnly) {
    world_.form->Panel().FieldEntered(Role::NameField);
    EXPECT_EQ(ColoursOf(Role::NameField), kEntered);
    EXPECT_EQ(ColoursOf(Role::PathField), kPlain);
    world_.form->Panel().FieldEntered(Role::PathField);
    EXPECT_EQ(ColoursOf(Role::NameField), kPlain);
    EXPECT_EQ(ColoursOf(Role::PathField), kEntered);
}

TEST_F(AddPanelTest, OpeningCommandsPaintThePathAsEntered) {
    ChooseFile(world_, std::nullopt);  // also when cancelled
    EXPECT_EQ(ColoursOf(Role::PathField), kEntered);
    EXPECT_EQ(ColoursOf(Role::NameField), kPlain);

    world_.view.fieldColours.clear();
    world_.platform.shell().SetBrowseResult(L"C:\\Data");
    world_.form->Panel().AddFolder();
    EXPECT_EQ(ColoursOf(Role::PathField), kEntered);
    EXPECT_EQ(ColoursOf(Role::NameField), kPlain);

    world_.view.fieldColours.clear();
    world_.form->Panel().AddWebPage();
    EXPECT_EQ(ColoursOf(Role::PathField), kEntered);
    EXPECT_EQ(Text(Role::PathField), L"http://");
    EXPECT_EQ(Text(Role::NameField), L"");
    EXPECT_EQ(world_.view.focused, L"TxtStartPath");
}

// The path is checked before the name; the failing field is marked and
// focused, which repaints it only when it did not have the focus already.
struct BlankCase {
    const wchar_t* name;
    const wchar_t* path;
    const wchar_t* message;
    Role failing;
};

class AddPanelBlankCheck : public AddPanelTest, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(AddPanelBlankCheck, ShowsItsBoxMarksTheFieldAndAddsNothing) {
    const BlankCase& c = GetParam();
    const std::wstring field = app_testing::FieldName(c.failing);
    world_.view.focused = field;
    world_.view.calls.clear();
    Confirm(world_, c.name, c.path);
    EXPECT_THAT(world_.view.Calls(L"Message"), ElementsAre(std::wstring(L"Message Error: ") + c.message));
    EXPECT_EQ(ColoursOf(c.failing), kMarked);
    EXPECT_EQ(ColoursOf(c.failing == Role::NameField ? Role::PathField : Role::NameField), kWhite);
    EXPECT_EQ(world_.view.Calls(L"FocusField"), std::vector<std::wstring>{L"FocusField " + field});
    EXPECT_TRUE(world_.view.Calls(L"ShowRows").empty());
    EXPECT_TRUE(world_.platform.files().Children(kUserStartup).empty());

    // From elsewhere, focusing the field runs its enter rule over the marking.
    world_.view.focused = L"LvCurrentUser";
    Confirm(world_, c.name, c.path);
    EXPECT_EQ(ColoursOf(c.failing), kEntered);
}

INSTANTIATE_TEST_SUITE_P(Fields, AddPanelBlankCheck,
                         ::testing::Values(BlankCase{L"", L"", L"Please input the path", Role::PathField},
                                           BlankCase{L"Tool", L" \t ", L"Please input the path", Role::PathField},
                                           BlankCase{L"  ", L"C:\\t.exe", L"Please input the name",
                                                     Role::NameField}));

struct ProposalCase {
    const wchar_t* path;
    const wchar_t* name;
};

class AddPanelNameProposal : public AddPanelTest, public ::testing::WithParamInterface<ProposalCase> {};

TEST_P(AddPanelNameProposal, ReplacesTheNameWhenTheFocusLeavesThePath) {
    Type(Role::NameField, L"typed by the user");
    Type(Role::PathField, GetParam().path);
    world_.form->Panel().PathFieldLeft();
    EXPECT_EQ(Text(Role::NameField), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AddPanelNameProposal,
    ::testing::Values(ProposalCase{L"http://host/", L"host"}, ProposalCase{L"https://host/a/b.html", L"host/a/b.html"},
                      ProposalCase{L"HTTP://HOST/", L"//HOST/"}, ProposalCase{L"  C:\\Tools\\app.exe ", L"app.exe"},
                      ProposalCase{L"http", L"tp"}, ProposalCase{L"D:", L""}, ProposalCase{L"notes.txt", L"notes.txt"},
                      // Every character survives.
                      ProposalCase{L"C:\\\u041f\u0430\u043f\u043a\u0430\\\u7a0b\u5e8f \u0444.exe",
                                   L"\u7a0b\u5e8f \u0444.exe"}));

TEST_F(AddPanelTest, EnterInThePathProposesTheNameThenAddsOnTheAllUsersTab) {
    world_.view.tabIndex = 1;
    Type(Role::NameField, L"Typed");
    Type(Role::PathField, L"C:\\Tools\\app.exe");
    world_.view.editPanelVisible = true;
    world_.form->Panel().FieldKeyDown(Role::PathField, 65);
    world_.form->Panel().FieldKeyDown(Role::NameField, 65);
    EXPECT_TRUE(world_.view.Calls(L"ShowRows").empty()) << "only Enter confirms";

    world_.form->Panel().FieldKeyDown(Role::PathField, 13);
    EXPECT_EQ(ShortcutTarget(std::wstring(kCommonStartup) + L"\\app.exe.lnk"), L"C:\\Tools\\app.exe");
    EXPECT_FALSE(world_.view.editPanelVisible);
    // The reload selects the new last row, then the panel goes.
    EXPECT_THAT(world_.view.Calls(L"ShowRows"), ElementsAre(L"ShowRows LVLocalMachine 1"));
    EXPECT_EQ(world_.view.calls.back(), L"EditPanelVisible 0");
    EXPECT_EQ(world_.view.selected[L"LVLocalMachine"], std::vector<int>{0});
}

TEST_F(AddPanelTest, AWebPageGetsHttpInFrontAndEnterInTheNameConfirms) {
    world_.form->Panel().AddWebPage();
    EXPECT_TRUE(world_.form->Panel().AddMode());
    Type(Role::PathField, L"example.com/news");
    Type(Role::NameField, L"News");
    world_.form->Panel().FieldKeyDown(Role::NameField, 13);
    const auto& calls = world_.platform.links().Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), L"SetPath http://example.com/news"), calls.end());
    EXPECT_TRUE(world_.platform.files().FileExists(std::wstring(kUserStartup) + L"\\News.lnk"));
}

// A shortcut that cannot be written is said so; nothing typed is lost.
TEST_F(AddPanelTest, AFailedAddIsShownAndKeepsThePanelAndItsTexts) {
    world_.platform.files().Remove(kUserStartup);
    world_.view.editPanelVisible = true;
    world_.view.calls.clear();
    Confirm(world_, L"\u0418\u043c\u044f", L"C:\\\u7a0b\u5e8f.exe");
    const auto messages = world_.view.Calls(L"Message Error: ");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Startup"), std::wstring::npos) << "the box names the shortcut";
    EXPECT_TRUE(world_.view.editPanelVisible);
    EXPECT_EQ(Text(Role::NameField), L"\u0418\u043c\u044f");
    EXPECT_EQ(Text(Role::PathField), L"C:\\\u7a0b\u5e8f.exe");
    EXPECT_TRUE(world_.view.Calls(L"ShowRows").empty());
}

// A name already used asks first; Cancel keeps the panel to change it.
TEST_F(AddPanelTest, AnExistingShortcutIsReplacedOnlyAfterOk) {
    const std::wstring file = std::wstring(kUserStartup) + L"\\Tool.lnk";
    Confirm(world_, L"Tool", L"C:\\old.exe");
    world_.view.editPanelVisible = true;
    world_.view.answers = {MessageAnswer::Cancel};
    world_.view.calls.clear();
    Confirm(world_, L"Tool", L"C:\\new.exe");
    EXPECT_THAT(world_.view.Calls(L"Message"),
                ElementsAre(L"Message Warning: A startup entry named 'Tool.lnk' already exists. Replace it?"));
    EXPECT_EQ(world_.view.messageButtons.back(), MessageButtons::OkCancelDefaultCancel);
    EXPECT_TRUE(world_.view.editPanelVisible);
    EXPECT_TRUE(world_.view.Calls(L"ShowRows").empty());
    EXPECT_EQ(Text(Role::PathField), L"C:\\new.exe");

    Confirm(world_, L"Tool", L"C:\\new.exe");  // answered OK
    EXPECT_FALSE(world_.view.editPanelVisible);
    const auto& calls = world_.platform.links().Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"SetPath C:\\new.exe"), 1);
    EXPECT_TRUE(world_.platform.files().FileExists(file));
}

// AddMode: set by the four opening commands, left by everything else.
TEST_F(AddPanelTest, AddModeChangesOnlyWhereAPanelIsOpened) {
    world_.form->Panel().AddWebPage();
    world_.form->Panel().PathFieldLeft();
    world_.form->Panel().CancelAdd();
    world_.form->Rows().CopyRowIntoFields(Role::CurrentUserList);
    Confirm(world_, L"", L"");
    EXPECT_TRUE(world_.form->Panel().AddMode());

    ChooseFile(world_, std::nullopt);
    EXPECT_FALSE(world_.form->Panel().AddMode());
    world_.form->Panel().AddWebPage();
    world_.view.comboIndexes[L"CbAddProgramsList"] = 0;
    world_.form->Panel().AddProgramFromFolderList();
    EXPECT_FALSE(world_.form->Panel().AddMode());
    world_.form->Panel().AddWebPage();
    world_.form->Panel().AddFolder();
    EXPECT_FALSE(world_.form->Panel().AddMode());
}

// LastBrowsePath: Program Files when blank, the special folder chosen, the
// folder picked; never the file chosen. Each pick writes it.
TEST_F(AddPanelTest, LastBrowsePathThroughItsChangePoints) {
    ChooseFile(world_, L"C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").back(), L"ChooseFile C:\\Program Files");
    EXPECT_EQ(world_.form->Panel().LastBrowsePath(), L"C:\\Program Files");
    EXPECT_EQ(world_.StoredSetting("defaultFilePath"), "C:\\Program Files");
    EXPECT_EQ(Text(Role::NameField), L"tool.exe");

    world_.view.comboIndexes[L"CbAddProgramsList"] = 4;
    world_.form->Panel().AddProgramFromFolderList();
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").back(), L"ChooseFile C:\\Windows\\System32");
    EXPECT_EQ(world_.StoredSetting("defaultFilePath"), "C:\\Windows\\System32");

    // No item chosen: no dialog.
    world_.view.comboIndexes[L"CbAddProgramsList"] = -1;
    world_.form->Panel().AddProgramFromFolderList();
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").size(), 2u);

    world_.platform.shell().SetBrowseResult(L"D:\\");
    world_.form->Panel().AddFolder();
    EXPECT_EQ(world_.platform.shell().Browsed().back().preselect, L"C:\\Windows\\System32");
    EXPECT_EQ(world_.form->Panel().LastBrowsePath(), L"D:\\");
    EXPECT_EQ(Text(Role::NameField), L"D:\\");

    world_.platform.shell().SetBrowseResult(std::nullopt);
    world_.form->Panel().AddFolder();
    EXPECT_EQ(world_.form->Panel().LastBrowsePath(), L"");
    EXPECT_EQ(world_.StoredSetting("defaultFilePath"), "");
    EXPECT_EQ(Text(Role::PathField), L"");
}

// A 32-bit process's pickers run in it: under WOW64 they open the 64-bit
// Program Files and System32 (through Sysnative), and a file picked there is
// written as the 64-bit shell that starts entries names it.
TEST_F(AddPanelTest, UnderWow64ThePickersOpenTheSixtyFourBitFolders) {
    world_.platform.environment().SetWow64(true);
    world_.platform.environment().SetSystemFolder(L"C:\\Windows\\System32");
    world_.platform.environment().Set(L"ProgramW6432", L"C:\\Program Files");
    world_.platform.shell().SetFolderPath(kCsidlProgramFiles, "C:\\Program Files (x86)");
    ChooseFile(world_, L"C:\\Windows\\Sysnative\\notepad.exe");
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").back(), L"ChooseFile C:\\Program Files");
    EXPECT_EQ(Text(Role::PathField), L"C:\\Windows\\System32\\notepad.exe");
    world_.view.comboIndexes[L"CbAddProgramsList"] = 4;
    world_.form->Panel().AddProgramFromFolderList();
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").back(), L"ChooseFile C:\\Windows\\Sysnative");
}

// The picked folder fills the fields exactly; the settings file keeps what
// its code page can spell.
TEST_F(AddPanelTest, AFolderOutsideTheCodePageFillsTheFieldsExactly) {
    const std::wstring folder = L"C:\\\u0414\u0430\u043d\u043d\u044b\u0435\\\u62a5\u544a";
    world_.platform.shell().SetBrowseResult(folder);
    world_.form->Panel().AddFolder();
    EXPECT_EQ(Text(Role::PathField), folder);
    EXPECT_EQ(Text(Role::NameField), L"\u62a5\u544a");
    EXPECT_EQ(world_.form->Panel().LastBrowsePath(), folder);

    world_.view.chosenFile = std::nullopt;
    world_.form->Panel().AddProgram();
    EXPECT_EQ(world_.view.Calls(L"ChooseFile").back(), L"ChooseFile " + folder);
}

}  // namespace
}  // namespace quillmark
