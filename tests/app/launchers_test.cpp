// The launchers, the help menu and the About window's handlers against the
// recording shell and view.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "app/main_window_layout.h"
#include "app/tfrm_about.h"
#include "app/web_pages.h"
#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::FeatureWorld;
using app_testing::TfrmRunWorld;

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Where the shell's known folders come from (the stand-in reads them there too).
constexpr wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// An all-users programs folder whose name the ANSI code page cannot hold.
constexpr wchar_t kPrograms[] = L"C:\\ProgramData\\\u7a0b\u5e8f";
constexpr wchar_t kUserStartup[] = L"C:\\Users\\Quill\\Start Menu\\Programs\\Startup";

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// "call owner verb file show" for every shell request.
std::vector<std::wstring> ShellCalls(app_testing::MainWindowStandIns& world) {
    std::vector<std::wstring> calls;
    for (const ExecuteRecord& record : world.platform.shell().Executed()) {
        calls.push_back(record.call + L" " + std::to_wstring(static_cast<int>(record.owner)) + L" " + record.verb +
                        L" " + record.file + L" " + std::to_wstring(record.show));
    }
    return calls;
}

struct LauncherCase {
    const char* what;
    void (Launchers::*handler)();
    bool commonPrograms;       // the shell knows the all-users programs folder
    bool scheduledTasksLink;   // "Scheduled Tasks.lnk" exists in System Tools
    const wchar_t* expected;
};

class LauncherCommands : public ::testing::TestWithParam<LauncherCase> {};

TEST_P(LauncherCommands, HandTheirToolToTheShell) {
    const LauncherCase& c = GetParam();
    FeatureWorld world;
    world.platform.shell().SetFolderPath(kCsidlSystem, "C:\\Windows\\System32");
    world.platform.registry().SetString(RegistryRoot::CurrentUser, kShellFolders, L"StartUp", kUserStartup);
    if (c.commonPrograms) {
        world.platform.registry().SetString(RegistryRoot::LocalMachine, kUserShellFolders, L"Common Programs",
                                            kPrograms);
        world.platform.files().AddFolder(kPrograms);
    }
    if (c.scheduledTasksLink) {
        world.platform.files().AddFile(std::wstring(kPrograms) + L"\\Accessories\\System Tools\\Scheduled Tasks.lnk");
    }
    Launchers launchers(world.view, world.lists, world.platform.View());
    (launchers.*c.handler)();
    EXPECT_THAT(ShellCalls(world), ::testing::ElementsAre(c.expected));
    EXPECT_TRUE(world.view.Calls(L"ErrorBox").empty());
}

// Owners: 0 none, 1 the application window, 2 the main window.
INSTANTIATE_TEST_SUITE_P(
    Buttons, LauncherCommands,
    ::testing::Values(
        LauncherCase{"AddRemovePrograms", &Launchers::OpenAddRemovePrograms, true, false,
                     L"WinExec 0  \"C:\\Windows\\System32\\RunDLL32.exe\" Shell32.dll,Control_RunDLL AppWiz.cpl,,0 1"},
        LauncherCase{"Services", &Launchers::OpenServices, true, false,
                     L"ShellExecuteW 1 open C:\\ProgramData\\\u7a0b\u5e8f\\Administrative Tools\\Services.lnk 1"},
        LauncherCase{"ServicesWithoutCommonPrograms", &Launchers::OpenServices, false, false,
                     L"ShellExecuteW 1 open \\Administrative Tools\\Services.lnk 1"},
        LauncherCase{"ScheduledTasks", &Launchers::OpenScheduledTasks, true, true,
                     L"ShellExecuteW 1 open C:\\ProgramData\\\u7a0b\u5e8f\\Accessories\\System Tools\\"
                     L"Scheduled Tasks.lnk 1"},
        LauncherCase{"TaskScheduler", &Launchers::OpenScheduledTasks, true, false,
                     L"ShellExecuteW 1 open C:\\ProgramData\\\u7a0b\u5e8f\\Accessories\\System Tools\\"
                     L"Task Scheduler.lnk 1"},
        LauncherCase{"TaskSchedulerWithoutCommonPrograms", &Launchers::OpenScheduledTasks, false, false,
                     L"ShellExecuteW 1 open \\Accessories\\System Tools\\Task Scheduler.lnk 1"},
        LauncherCase{"Test", &Launchers::OpenUserStartupFolder, true, false,
                     L"ShellExecuteW 2 Open C:\\Users\\Quill\\Start Menu\\Programs\\Startup 5"}),
    [](const auto& info) { return std::string(info.param.what); });

struct QuickLaunchCase {
    int index;
    const wchar_t* folder;  // null: nothing is opened
};

class QuickLaunch : public ::testing::TestWithParam<QuickLaunchCase> {};

TEST_P(QuickLaunch, OpensTheChosenFolder) {
    FeatureWorld world;
    RecordingShell& shell = world.platform.shell();
    shell.SetFolderLocation(kCsidlPersonal, L"C:\\Users\\Quill\\Documents");
    shell.SetFolderLocation(kCsidlDrives, L"");
    shell.SetFolderLocation(kCsidlCommonDesktopDirectory, L"C:\\Users\\Public\\Desktop");
    shell.SetFolderLocation(kCsidlDesktopDirectory, L"C:\\Users\\Quill\\Desktop");
    shell.SetFolderLocation(kCsidlProgramFiles, L"C:\\Program Files");
    world.view.comboIndexes[L"CbQuickLaunchFolder"] = GetParam().index;
    Launchers(world.view, world.lists, world.platform.View()).OpenQuickLaunchFolder();
    if (GetParam().folder == nullptr) {
        EXPECT_TRUE(shell.Executed().empty());
        return;
    }
    ASSERT_EQ(shell.Executed().size(), 1u);
    EXPECT_EQ(shell.Executed()[0].idListPath, GetParam().folder);
    EXPECT_EQ(shell.Executed()[0].owner, ShellOwner::None);
    EXPECT_EQ(shell.LiveIdLists(), 0);
}

INSTANTIATE_TEST_SUITE_P(Items, QuickLaunch,
                         ::testing::Values(QuickLaunchCase{0, L"C:\\Users\\Quill\\Documents"},
                                           QuickLaunchCase{1, L""},
                                           // The all-users desktop, not the user's own.
                                           QuickLaunchCase{2, L"C:\\Users\\Public\\Desktop"},
                                           QuickLaunchCase{3, L"C:\\Program Files"}, QuickLaunchCase{-1, nullptr},
                                           QuickLaunchCase{4, nullptr}));

class RecordingAboutView final : public AboutView {
public:
    int hidden = 0;
    std::vector<std::wstring> told;
    void Hide() override { ++hidden; }
    void Tell(const std::wstring& text) override { told.push_back(text); }
};

struct PageCase {
    const char* what;
    std::function<void(HelpMenu&, FeatureWorld&)> run;
    WebPage page;
};

class WebPages : public ::testing::TestWithParam<PageCase> {};

TEST_P(WebPages, OpenTheirPageShownNormally) {
    FeatureWorld world;
    HelpMenu help(world.view, world.platform.View());
    GetParam().run(help, world);
    EXPECT_THAT(ShellCalls(world),
                ::testing::ElementsAre(L"ShellExecuteA 0 open " + Widen(WebPageAddress(GetParam().page)) + L" 1"));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WebPages,
    ::testing::Values(PageCase{"UpgradeNow", [](HelpMenu& h, FeatureWorld&) { h.OpenUpgradePage(); }, WebPage::Purchase},
                      PageCase{"Help", [](HelpMenu& h, FeatureWorld&) { h.OpenHelpPage(); }, WebPage::Product},
                      PageCase{"Website", [](HelpMenu& h, FeatureWorld&) { h.OpenHomePage(); }, WebPage::Home},
                      PageCase{"AboutAddress",
                               [](HelpMenu&, FeatureWorld& w) {
                                   RecordingAboutView view;
                                   TFrmAbout(view, w.platform.View()).OpenHomePage();
                               },
                               WebPage::Home}),
    [](const auto& info) { return std::string(info.param.what); });

// The help menu's items reach their pages through the window's dispatch; the
// hidden "Home Page" item leads to the product page, as "Quillmark Help" does.
TEST(HelpMenuItems, OpenTheProductPage) {
    for (const MenuItemLayout& item : MainWindowMenuItems()) {
        const std::wstring name = item.name;
        if (name != L"HomePage1" && name != L"HelpDocumentation1") continue;
        SCOPED_TRACE(name);
        TfrmRunWorld world;
        world.form->Execute(item.command);
        EXPECT_THAT(ShellCalls(world),
                    ::testing::ElementsAre(L"ShellExecuteA 0 open " + Widen(WebPageAddress(WebPage::Product)) + L" 1"));
    }
}

TEST(WebPageAddresses, AreFourDistinctWebAddressesAndTheAboutLabelShowsTheHomePage) {
    std::set<std::string> addresses;
    for (WebPage page : {WebPage::Home, WebPage::Product, WebPage::Purchase, WebPage::ThankYou}) {
        const std::string address = WebPageAddress(page);
        EXPECT_EQ(address.rfind("http", 0), 0u) << address;
        addresses.insert(address);
    }
    EXPECT_EQ(addresses.size(), 4u);
    const AboutControlLayout* label4 = nullptr;
    for (const AboutControlLayout& control : AboutControls()) {
        if (std::wstring(control.name) == L"Label4") label4 = &control;
    }
    ASSERT_NE(label4, nullptr);
    EXPECT_EQ(AboutCaption(*label4), Widen(WebPageAddress(WebPage::Home)));
}

TEST(HelpMenuCommands, PopUpTheMenuShowTheAboutWindowAndColourTheWebsiteLabel) {
    FeatureWorld world;
    HelpMenu help(world.view, world.platform.View());
    help.ShowHelpMenu();
    help.ShowAbout();
    help.WebsiteHovered(true);
    help.WebsiteHovered(false);
    EXPECT_THAT(world.view.calls,
                ::testing::ElementsAre(L"PopUpHelpMenu", L"ShowAboutWindow",
                                       L"WebsiteColour " + std::to_wstring(Rgb(0, 128, 0)),
                                       L"WebsiteColour " + std::to_wstring(Rgb(0, 0, 255))));
    EXPECT_TRUE(world.platform.shell().Executed().empty());
}

// An instance elevated under another account says why instead of opening the page.
TEST(AboutWindow, AnAddressThatMayNotOpenIsToldAndNotOpened) {
    FeatureWorld world;
    RecordingAboutView view;
    TFrmAbout(view, world.platform.View(), L"Not as administrator.").OpenHomePage();
    EXPECT_THAT(view.told, ::testing::ElementsAre(L"Not as administrator."));
    EXPECT_TRUE(world.platform.shell().Executed().empty());
}

TEST(AboutWindow, OkHidesTheWindowAndOpensNothing) {
    FeatureWorld world;
    RecordingAboutView view;
    TFrmAbout about(view, world.platform.View());
    about.Dismiss();
    about.Dismiss();
    EXPECT_EQ(view.hidden, 2);
    EXPECT_TRUE(world.platform.shell().Executed().empty());
}

}  // namespace
}  // namespace quillmark
