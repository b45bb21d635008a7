// "&Send to Desktop" and the first-exit offer against the stand-ins.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "app/texts.h"
#include "app/web_pages.h"
#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::TfrmRunWorld;

// The program lives in a folder whose name the ANSI code page cannot hold.
constexpr wchar_t kProgram[] = L"C:\\Tools\\\u4e2d\u6587\\Quillmark.exe";
constexpr wchar_t kCopy[] = L"C:\\Users\\Quill\\Documents\\Quillmark\\Quillmark.exe";
constexpr wchar_t kDesktop[] = L"C:\\Users\\Quill\\\u684c\u9762";
constexpr wchar_t kShortcut[] = L"C:\\Users\\Quill\\\u684c\u9762\\Quillmark.lnk";
constexpr wchar_t kQuestion[] =
    L"Message Information: Would you like to send Quillmark to My Documents and create a desktop shortcut?";

class DesktopCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        world_.platform.environment().SetModuleFileName(kProgram);
        world_.platform.files().AddFile(kProgram);
        world_.platform.files().AddFolder(kDesktop);
        world_.platform.shell().SetFolderLocation(kCsidlDesktop, kDesktop);
        world_.form->FormCreate();
        world_.view.calls.clear();
    }

    void Close() {
        bool canClose = true;
        world_.form->FormCloseQuery(canClose);
        EXPECT_TRUE(canClose);
    }
    std::vector<std::wstring> Questions() const { return world_.view.Calls(L"Message"); }
    // The calls the shell saw, each as "call file show".
    std::vector<std::wstring> ShellCalls() {
        std::vector<std::wstring> calls;
        for (const ExecuteRecord& record : world_.platform.shell().Executed()) {
            calls.push_back(record.call + L" " + record.file + L" " + std::to_wstring(record.show));
        }
        return calls;
    }
    static std::wstring ThankYouPage() {
        const std::string address = WebPageAddress(WebPage::ThankYou);
        return L"ShellExecuteA " + std::wstring(address.begin(), address.end()) + L" 1";
    }
    bool CopyExists() { return world_.platform.files().FileExists(kCopy); }
    // The desktop shortcut points at the copy.
    bool ShortcutToCopyExists() {
        const LinkRecord* link = world_.platform.links().Find(kShortcut);
        return link != nullptr && link->target == kCopy && world_.platform.files().FileExists(kShortcut);
    }

    TfrmRunWorld world_;
};

TEST_F(DesktopCopyTest, FirstCloseCancelledOpensTheThankYouPageAndTheSecondCloseDoesNothing) {
    world_.view.answers = {MessageAnswer::Cancel};
    Close();
    EXPECT_THAT(Questions(), ::testing::ElementsAre(kQuestion));
    EXPECT_THAT(ShellCalls(), ::testing::ElementsAre(ThankYouPage()));
    EXPECT_FALSE(CopyExists());
    EXPECT_EQ(world_.platform.links().LinkCount(), 0u);
    EXPECT_EQ(world_.StoredSetting("needsendtodesk"), "0");

    Close();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_EQ(ShellCalls().size(), 1u);
}

TEST_F(DesktopCopyTest, FirstCloseAnsweredOkCopiesInUtf16WritesTheShortcutAndDoesNotShowTheDesktop) {
    Close();
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_TRUE(CopyExists());
    EXPECT_TRUE(ShortcutToCopyExists());
    EXPECT_THAT(ShellCalls(), ::testing::ElementsAre(ThankYouPage()));
    EXPECT_TRUE(world_.view.Calls(L"ErrorBox").empty());
}

// A refused add on the all-users tab offers the restart as administrator;
// the close that follows it is not the user's, so the offer stays due.
TEST_F(DesktopCopyTest, TheCloseForARestartAsAdministratorMakesNoOffer) {
    world_.AddStartupFolder(StartupScope::AllUsers, L"C:\\ProgramData\\Startup");
    world_.platform.links().RefuseSave(kEAccessDenied);
    world_.view.tabIndex = 1;
    world_.view.SetFieldText(Role::NameField, L"Tool");
    world_.view.SetFieldText(Role::PathField, L"C:\\tool.exe");
    world_.form->Panel().ConfirmAdd();
    const auto messages = world_.view.Calls(L"Message Error: ");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(texts::kRestartToAddQuestion), std::wstring::npos) << messages[0];
    ASSERT_EQ(world_.view.Calls(L"Close").size(), 1u) << "restarted as administrator";

    Close();
    EXPECT_EQ(Questions().size(), 1u) << "only the refusal was asked";
    EXPECT_FALSE(CopyExists());
    EXPECT_THAT(ShellCalls(), ::testing::Not(::testing::Contains(ThankYouPage())));
    EXPECT_NE(world_.StoredSetting("needsendtodesk"), "0");
}

TEST_F(DesktopCopyTest, NoOfferOnceDeclinedInTheSettingsFile) {
    world_.StoreSetting("needsendtodesk", "0");
    Close();
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(ShellCalls().empty());
}

TEST_F(DesktopCopyTest, RunFromTheCopyItselfAsksNothingAndOpensTheThankYouPage) {
    world_.platform.files().AddFolder(app_testing::kDataFolderPath);
    world_.platform.files().AddFile(kCopy);
    world_.platform.environment().SetModuleFileName(kCopy);
    Close();
    EXPECT_TRUE(Questions().empty());
    EXPECT_THAT(ShellCalls(), ::testing::ElementsAre(ThankYouPage()));
    EXPECT_EQ(world_.StoredSetting("needsendtodesk"), "0");
}

// A failure at any step ends the offer without a word; the flag is already
// written unless writing it failed, and the window closes in every case.
struct OfferFailure {
    const char* what;
    std::function<void(TfrmRunWorld&)> arrange;
    const char* storedFlag;
    bool asked;
};

class FirstExitOfferFailure : public DesktopCopyTest, public ::testing::WithParamInterface<OfferFailure> {};

TEST_P(FirstExitOfferFailure, EndsSilentlyAndTheWindowCloses) {
    GetParam().arrange(world_);
    Close();
    EXPECT_EQ(world_.StoredSetting("needsendtodesk"), GetParam().storedFlag);
    EXPECT_EQ(Questions().size(), GetParam().asked ? 1u : 0u);
    EXPECT_TRUE(world_.view.Calls(L"ErrorBox").empty());
    EXPECT_TRUE(ShellCalls().empty()) << "no page after a failure";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FirstExitOfferFailure,
    ::testing::Values(
        OfferFailure{"settings unwritable",
                     [](TfrmRunWorld& w) { w.profile.MakeUnwritable(app_testing::kSettingsPath); }, "", false},
        OfferFailure{"program path unreadable",
                     [](TfrmRunWorld& w) { w.platform.environment().SetModuleFileName(L""); }, "0", false},
        OfferFailure{"documents folder unknown",
                     [](TfrmRunWorld& w) { w.platform.shell().SetFolderPath(kCsidlPersonal, "", kEFail); }, "0",
                     false},
        OfferFailure{"question box fails", [](TfrmRunWorld& w) { w.view.failOn = L"Message"; }, "0", false},
        OfferFailure{"no link object",
                     [](TfrmRunWorld& w) { w.platform.links().FailCreate(kClassNotRegistered); }, "0", true}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.what; *c != 0; ++c) name += std::isalnum(*c) ? *c : '_';
        return name;
    });

TEST_F(DesktopCopyTest, SendToDesktopTwiceRewritesCopyAndShortcutAndShowsTheDesktopEachTime) {
    world_.form->Execute(Command::SendToDesktop);
    world_.platform.files().SetAttributes(kCopy, kAttrArchive | kAttrHidden);  // marks the first copy
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_EQ(Questions().size(), 2u);
    EXPECT_EQ(world_.platform.files().GetAttributes(kCopy), kAttrArchive) << "the copy was made again";
    EXPECT_TRUE(ShortcutToCopyExists());
    EXPECT_THAT(ShellCalls(), ::testing::ElementsAre(L"ToggleDesktop  0", L"ToggleDesktop  0"));
    EXPECT_TRUE(world_.view.Calls(L"ErrorBox").empty());
    // Send to Desktop leaves the first-exit offer alone.
    EXPECT_EQ(world_.StoredSetting("needsendtodesk"), "");
}

TEST_F(DesktopCopyTest, SendToDesktopCancelledDoesNothing) {
    world_.view.answers = {MessageAnswer::Cancel};
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_FALSE(CopyExists());
    EXPECT_EQ(world_.platform.links().ObjectsCreated(), 0);
    EXPECT_TRUE(ShellCalls().empty());
}

TEST_F(DesktopCopyTest, SendToDesktopFromTheCopyItselfStillWritesTheShortcut) {
    world_.platform.files().AddFolder(app_testing::kDataFolderPath);
    world_.platform.files().AddFile(kCopy);
    world_.platform.environment().SetModuleFileName(kCopy);
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_TRUE(ShortcutToCopyExists());
    EXPECT_EQ(ShellCalls().size(), 1u);
    EXPECT_TRUE(world_.view.Calls(L"ErrorBox").empty());
}

// Wine's shell has no ToggleDesktop: the copy and shortcut are made and
// nothing reports a failure. Any other failure is shown, after the steps
// before it.
struct ToggleCase {
    HResult result;
    const wchar_t* errorBox;  // null: none
};

class SendToDesktopToggle : public DesktopCopyTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(SendToDesktopToggle, ReportsOnlyRealFailures) {
    world_.platform.shell().SetToggleDesktopResult(GetParam().result);
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_TRUE(CopyExists());
    EXPECT_TRUE(ShortcutToCopyExists());
    const auto boxes = world_.view.Calls(L"ErrorBox");
    if (GetParam().errorBox == nullptr) {
        EXPECT_TRUE(boxes.empty());
    } else {
        EXPECT_THAT(boxes, ::testing::ElementsAre(std::wstring(L"ErrorBox ") + GetParam().errorBox));
    }
}

INSTANTIATE_TEST_SUITE_P(Results, SendToDesktopToggle,
                         ::testing::Values(ToggleCase{kSFalse, nullptr}, ToggleCase{kDispEException, nullptr},
                                           ToggleCase{kClassNotRegistered, L"Class not registered"}));

TEST_F(DesktopCopyTest, SendToDesktopReportsAShortcutThatWasNotWritten) {
    world_.platform.files().Remove(kDesktop);
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_TRUE(CopyExists()) << "the copy made before stays";
    EXPECT_EQ(world_.view.Calls(L"ErrorBox").size(), 1u);
    EXPECT_TRUE(ShellCalls().empty()) << "the desktop is not shown after a failure";

    world_.platform.shell().SetFolderLocation(kCsidlDesktop, L"");
    world_.form->Execute(Command::SendToDesktop);
    EXPECT_THAT(world_.view.Calls(L"ErrorBox"),
                ::testing::ElementsAre(::testing::_, L"ErrorBox The desktop folder could not be found."));
}

}  // namespace
}  // namespace quillmark
