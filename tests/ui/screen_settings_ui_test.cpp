// The real window under the screen settings a user may have: 144 and 192
// DPI, where every caption must still fit, and a high-contrast theme.
#include <windows.h>

#include <array>
#include <string>

#include "app/control_ids.h"
#include "platform/win32/handles.h"
#include "tests/ui/support/handles.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/remote_buffer.h"
#include "tests/ui/support/remote_window.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

namespace ids = control_ids;

// While it lives, the prefix's user has this DPI (HKCU\Control Panel\Desktop
// LogPixels, which each process reads as it starts); the old value comes back.
class DpiSetting {
public:
    explicit DpiSetting(DWORD dpi) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key_.put(), nullptr) != ERROR_SUCCESS) {
            return;
        }
        DWORD size = sizeof(old_);
        had_ = RegQueryValueExW(key_.get(), L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExW(key_.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~DpiSetting() {
        if (!key_) return;
        if (had_) {
            RegSetValueExW(key_.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        } else {
            RegDeleteValueW(key_.get(), L"LogPixels");
        }
    }
    DpiSetting(const DpiSetting&) = delete;
    DpiSetting& operator=(const DpiSetting&) = delete;

private:
    UniqueHkey key_;
    DWORD old_ = 0;
    bool had_ = false;
};

// The width of the first row's icon in the current user's list: the image list's size.
int IconWidth(const RemoteListView& list) {
    const RECT icon = list.ItemRect(0, LVIR_ICON);
    return icon.right - icon.left;
}

class DpiUiTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

// Screenshots to look at: the hint below the fields and both combos' prompts whole.
TEST_P(DpiUiTest, TheAddPanelAndTheCombosShowEveryCaptionWhole) {
    const int dpi = GetParam();
    const DpiSetting setting(static_cast<DWORD>(dpi));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    RECT toolbar{};
    GetClientRect(Control(ids::kToolbar), &toolbar);
    if (toolbar.bottom != MulDiv(42, dpi, 96)) {
        GTEST_SKIP() << "Wine difference: LogPixels " << dpi << " did not reach the program (toolbar "
                     << toolbar.bottom << " px high)";
    }
    // The small-icon size of the screen: drawn for it, not a 16-pixel image stretched.
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    EXPECT_EQ(IconWidth(List(Scope::CurrentUser)), MulDiv(16, dpi, 96));
    // Grown to its prompt, the combo still ends before the button beside it.
    RECT combo{};
    RECT button{};
    GetWindowRect(Control(ids::kAddProgramFolderList), &combo);
    GetWindowRect(Control(ids::kAddFolderButton), &button);
    EXPECT_LE(combo.right, button.left);
    PostMessageW(Control(ids::kAddWebPageButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(Control(ids::kAddPanel)) != FALSE; }, 5000));
    Screenshot((L"ui-dpi-" + std::to_wstring(dpi) + L"-add-panel").c_str());
}

// Dragged onto a screen of 200 %: Windows sends WM_DPICHANGED with the
// rectangle it suggests. Xvfb has one screen, so the test sends it as
// Windows would, the rectangle in the program's memory.
TEST_F(MainWindowTest, MovedToAScreenOfAnotherDpiTheWindowIsLaidOutAgain) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    const HWND window = GetAncestor(Control(ids::kToolbar), GA_ROOT);
    RECT before{};
    GetWindowRect(window, &before);
    constexpr int dpi = 192;  // the prefix's screen is at 96
    // On the other screen, whose corner the test's one screen stands in for.
    const RECT suggested{0, 0, (before.right - before.left) * 2, (before.bottom - before.top) * 2};
    const UniqueKernelHandle process(OpenWindowProcess(window));
    const RemoteBuffer rect(process.get(), sizeof(RECT));
    rect.Write(0, &suggested, sizeof(suggested));
    SendRemote(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(rect.Address()));

    RECT toolbar{};
    GetClientRect(Control(ids::kToolbar), &toolbar);
    EXPECT_EQ(toolbar.bottom, MulDiv(42, dpi, 96));
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, suggested.right - suggested.left);
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    EXPECT_EQ(IconWidth(List(Scope::CurrentUser)), MulDiv(16, dpi, 96));
    Screenshot(L"ui-dpi-moved-to-twice-the-dpi");
}

INSTANTIATE_TEST_SUITE_P(Dpi, DpiUiTest, ::testing::Values(96, 144, 192));

// While it lives, the user's high-contrast theme is on, with the colours of
// Windows' "High Contrast Black"; off again, with the old colours, at the end.
class HighContrastTheme {
public:
    HighContrastTheme() {
        for (std::size_t i = 0; i < kElements.size(); ++i) saved_[i] = GetSysColor(kElements[i]);
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kBlack.data());
        Set(true);
    }
    ~HighContrastTheme() {
        Set(false);
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved_.data());
    }
    HighContrastTheme(const HighContrastTheme&) = delete;
    HighContrastTheme& operator=(const HighContrastTheme&) = delete;

    // Whether the system reports the theme on.
    static bool On() {
        HIGHCONTRASTW contrast{sizeof(contrast), 0, nullptr};
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
               (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }

private:
    static bool Set(bool on) {
        HIGHCONTRASTW contrast{sizeof(contrast), on ? static_cast<DWORD>(HCF_HIGHCONTRASTON) : 0u, nullptr};
        return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(contrast), &contrast, SPIF_SENDCHANGE) != FALSE;
    }

    static constexpr std::array<int, 8> kElements{COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE,
                                                  COLOR_BTNTEXT,   COLOR_HIGHLIGHT,     COLOR_HIGHLIGHTTEXT,
                                                  COLOR_GRAYTEXT,  COLOR_HOTLIGHT};
    static constexpr std::array<COLORREF, 8> kBlack{RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),
                                                    RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0),
                                                    RGB(63, 242, 63),  RGB(255, 255, 0)};
    std::array<COLORREF, 8> saved_{};
};

COLORREF ScreenPixel(HWND window, POINT clientPoint) {
    ClientToScreen(window, &clientPoint);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, clientPoint.x, clientPoint.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Wine cannot switch the theme on (SPI_SETHIGHCONTRAST is a stub there and
// SPI_GETHIGHCONTRAST always answers off); the window is then the UI tests'
// build of the exe whose only difference is that it is told the theme is on.
std::wstring ProgramUnderHighContrast() {
    if (HighContrastTheme::On()) return QuillmarkExePath();
    wchar_t own[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring folder(own);
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\quillmark_high_contrast.exe";
}

TEST_F(MainWindowTest, UnderAHighContrastThemeTheWindowTakesTheThemesColours) {
    const HighContrastTheme theme;
    ASSERT_NO_FATAL_FAILURE(Start({}, ProgramUnderHighContrast()));
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    // Beside the buttons, and above their captions where the light strip
    // behind them would be: the theme's button face.
    RECT toolbar{};
    GetClientRect(Control(ids::kToolbar), &toolbar);
    EXPECT_EQ(ScreenPixel(Control(ids::kToolbar), POINT{2, toolbar.bottom - 2}), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(Control(ids::kToolbar), POINT{700, 9}), RGB(0, 0, 0));
    Screenshot(L"ui-high-contrast");
}

}  // namespace
}  // namespace quillmark::uitest
