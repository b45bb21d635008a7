// The real window under Wine: the help menu, the About window, Send to
// Desktop and the offer made on the first close.
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/texts.h"
#include "app/web_pages.h"
#include "app/control_ids.h"
#include "platform/win32/handles.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/dialog_boxes.h"
#include "tests/ui/support/screenshot.h"
#include "tests/ui/support/user_input.h"
#include "tests/ui/support/wait.h"
#include "tests/ui/support/wine_settings.h"

namespace quillmark::uitest {
namespace {

const std::wstring kQuestion = std::wstring(L"Information: ") + texts::kSendToDesktopQuestion;

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring FolderPath(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring ProgramCopy() { return DataFolder() + L"\\Quillmark.exe"; }
std::wstring DesktopShortcut() { return FolderPath(CSIDL_DESKTOPDIRECTORY) + L"\\Quillmark.lnk"; }
bool IsFile(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The target the shell reads from a shortcut file.
std::wstring ShortcutTarget(const std::wstring& shortcut) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()))) {
        return L"<no link object>";
    }
    const auto file = link.As<IPersistFile>();
    wchar_t target[MAX_PATH] = L"";
    if (!file || FAILED(file->Load(shortcut.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) {
        return L"<unreadable>";
    }
    return target;
}

struct PopupSearch {
    DWORD processId;
    HWND found;
};

// Named, not a lambda: a callback of Windows is __stdcall, which a 32-bit
// build's lambda (a __cdecl function) cannot be converted to.
BOOL CALLBACK FindPopupMenu(HWND window, LPARAM context) {
    auto* s = reinterpret_cast<PopupSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (owner != s->processId || !IsWindowVisible(window) || std::wstring(name) != L"#32768") return TRUE;
    s->found = window;
    return FALSE;
}

// A pop-up menu is a top-level window of class "#32768".
HWND OpenPopupMenu(DWORD processId) {
    PopupSearch search{processId, nullptr};
    EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AboutWindow(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, QUILLMARK_ABOUT_WINDOW_CLASS, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

class HelpAndDesktopTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RemoveCopyAndShortcut();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RemoveCopyAndShortcut();
    }
    static void RemoveCopyAndShortcut() {
        DeleteFileW(ProgramCopy().c_str());
        DeleteFileW(DesktopShortcut().c_str());
    }
    // How often the page has been opened so far. The bridge records in the
    // background, so a page an earlier test opened may still come in.
    static std::size_t TimesOpened(WebPage page) {
        const auto pages = RecordedWebPages();
        return static_cast<std::size_t>(std::count(pages.begin(), pages.end(), Widen(WebPageAddress(page))));
    }
    static testing::AssertionResult OpenedAgain(WebPage page, std::size_t timesBefore) {
        std::size_t times = 0;
        if (WaitFor([&] { return (times = TimesOpened(page)) > timesBefore; }, 15000)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the page was not opened; " << RecordedWebPages().size()
                                           << " pages recorded in all";
    }
    // Presses the button (posted: the question box is modal) and answers the
    // question about the desktop copy with OK.
    void PressAndAnswerOk(int buttonId) {
        PostMessageW(Control(buttonId), BM_CLICK, 0, 0);
        const auto question = app_->WaitForDialogBox();
        ASSERT_TRUE(question.has_value()) << "no question after pressing " << buttonId;
        EXPECT_EQ(Describe(*question), kQuestion);
        ASSERT_TRUE(AnswerDialogBox(*question, IDOK));
    }
    // Presses "&Help" with the mouse cursor on it; the menu that comes up, or null.
    HWND OpenHelpMenu() {
        const HWND help = Control(control_ids::kHelpButton);
        BringToFront(help);
        RECT button{};
        GetWindowRect(help, &button);
        SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        // Posted: the menu's own message loop runs until it closes.
        PostMessageW(help, BM_CLICK, 0, 0);
        HWND menu = nullptr;
        WaitFor([&] { return (menu = OpenPopupMenu(app_->ProcessId())) != nullptr; }, 5000);
        return menu;
    }
    // Chooses "About Quillmark": the command its menu item sends the window.
    HWND ShowAboutFromHelpMenu() {
        PostMessageW(app_->MainWindow(), WM_COMMAND, MAKEWPARAM(control_ids::kAboutItem, 0), 0);
        HWND about = nullptr;
        const bool shown = WaitFor(
            [&] { return (about = AboutWindow(app_->ProcessId())) != nullptr && IsWindowVisible(about); }, 5000);
        return shown ? about : nullptr;
    }
};

TEST_F(HelpAndDesktopTest, HelpPopsUpTheMenuAndAboutShowsTheAboutWindowModally) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    const std::size_t homeBefore = TimesOpened(WebPage::Home);

    // The menu comes up at the mouse cursor.
    const HWND menu = OpenHelpMenu();
    ASSERT_NE(menu, nullptr) << "no pop-up menu after Help";
    RECT menuRect{};
    RECT button{};
    GetWindowRect(menu, &menuRect);
    GetWindowRect(Control(control_ids::kHelpButton), &button);
    EXPECT_TRUE(PtInRect(&button, POINT{menuRect.left, menuRect.top})) << "the menu opens at the cursor";
    SaveWindowScreenshot(app_->MainWindow(), L"ui-help-menu", menu);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(app_->ProcessId()) == nullptr; }, 5000));

    const HWND about = ShowAboutFromHelpMenu();
    ASSERT_NE(about, nullptr) << "About Quillmark did not show the About window";
    EXPECT_EQ(TextOf(about), L"About Quillmark");
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(app_->MainWindow()); }, 2000)) << "the About window is modal";
    EXPECT_EQ(TextOf(GetDlgItem(about, control_ids::kAboutLabel4)), Widen(WebPageAddress(WebPage::Home)));
    RECT frame{};
    GetWindowRect(about, &frame);
    EXPECT_EQ(frame.left, 387);
    EXPECT_EQ(frame.top, 195);
    EXPECT_EQ(frame.right - frame.left, 294);
    EXPECT_EQ(frame.bottom - frame.top, 235);
    SaveWindowScreenshot(about, L"ui-about");

    // What a click on the label (SS_NOTIFY) sends its window.
    const HWND label4 = GetDlgItem(about, control_ids::kAboutLabel4);
    PostMessageW(about, WM_COMMAND, MAKEWPARAM(control_ids::kAboutLabel4, STN_CLICKED),
                 reinterpret_cast<LPARAM>(label4));
    EXPECT_TRUE(OpenedAgain(WebPage::Home, homeBefore)) << "the address label opens the home page";

    PostMessageW(GetDlgItem(about, control_ids::kAboutButton1), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, 5000)) << "Ok did not hide the About window";
    EXPECT_TRUE(IsWindowEnabled(app_->MainWindow()));

    // Shown again, the same window; Enter presses its Ok.
    EXPECT_EQ(ShowAboutFromHelpMenu(), about);
    PostMessageW(GetDlgItem(about, control_ids::kAboutButton1), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, 5000));
    ASSERT_NO_FATAL_FAILURE(Exit());
}

TEST_F(HelpAndDesktopTest, FirstCloseOfAFreshPrefixOffersTheCopyOnlyOnce) {
    DeleteSettingsFile();
    const std::size_t thanksBefore = TimesOpened(WebPage::ThankYou);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));

    ASSERT_NO_FATAL_FAILURE(PressAndAnswerOk(control_ids::kExitButton));
    ASSERT_TRUE(WaitFor([&] { return !app_->IsRunning(); }, 15000)) << "the window did not close";

    EXPECT_TRUE(IsFile(ProgramCopy())) << "no copy in Documents\\Quillmark";
    EXPECT_EQ(ShortcutTarget(DesktopShortcut()), ProgramCopy());
    EXPECT_TRUE(OpenedAgain(WebPage::ThankYou, thanksBefore));
    EXPECT_EQ(ReadSetting(L"needsendtodesk").value_or(L"<absent>"), L"0");

    // The second close asks nothing and opens nothing.
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(app_->ExitAndWait().empty());
    Sleep(1000);
    EXPECT_EQ(TimesOpened(WebPage::ThankYou), thanksBefore + 1);
}

TEST_F(HelpAndDesktopTest, SendToDesktopAnsweredOkMakesTheCopyAndShortcutWithoutAnErrorBox) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_NO_FATAL_FAILURE(PressAndAnswerOk(control_ids::kSendToDesktopButton));

    ASSERT_TRUE(WaitFor([] { return IsFile(DesktopShortcut()); }, 10000)) << "no desktop shortcut";
    EXPECT_TRUE(IsFile(ProgramCopy()));
    EXPECT_EQ(ShortcutTarget(DesktopShortcut()), ProgramCopy());
    // Wine's shell cannot toggle the desktop; that is no failure to report.
    EXPECT_FALSE(app_->WaitForDialogBox(1000).has_value()) << "a box came up after Send to Desktop";
    ASSERT_NO_FATAL_FAILURE(Exit());
}

}  // namespace
}  // namespace quillmark::uitest
