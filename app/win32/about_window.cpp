#include "app/win32/about_window.h"

#include <cwchar>
#include <string>

#include "app/control_ids.h"

namespace quillmark {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

}  // namespace

TFrmAboutWindow::TFrmAboutWindow(const Platform& platform, std::wstring webPageRefusal)
    : logic_(*this, platform, std::move(webPageRefusal)) {}

void TFrmAboutWindow::Create(HWND owner) {
    const AboutFormLayout& form = AboutLayout();
    background_.reset(CreateSolidBrush(form.background));
    RegisterWindowClass(QUILLMARK_ABOUT_WINDOW_CLASS, 0, background_.get(), nullptr, nullptr);
    const int systemDpi = scale_.Dpi();
    CreateWindowObject(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, QUILLMARK_ABOUT_WINDOW_CLASS, form.caption,
                       WS_POPUP | WS_CAPTION | WS_SYSMENU, scale_.ToScreen(form.left), scale_.ToScreen(form.top),
                       scale_.ToScreen(form.outerWidth), scale_.ToScreen(form.outerHeight), owner, nullptr);
    // Sized for the system DPI; its controls were made for its screen's (WM_CREATE).
    if (Handle() != nullptr && scale_.Dpi() != systemDpi) {
        SetWindowPos(Handle(), nullptr, 0, 0, scale_.ToScreen(form.outerWidth), scale_.ToScreen(form.outerHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HFONT TFrmAboutWindow::FontFor(const AboutControlLayout& control) {
    LOGFONTW font{};
    font.lfHeight = -scale_.ToScreen(control.fontHeight);
    font.lfWeight = control.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = control.link ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(font.lfFaceName, AboutLayout().fontName, _TRUNCATE);
    fonts_.emplace_back(CreateFontIndirectW(&font));
    return fonts_.back().get();
}

void TFrmAboutWindow::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const WindowDc dc(Handle());
    for (const AboutControlLayout& control : AboutControls()) {
        const std::wstring caption = AboutCaption(control);
        const HFONT font = FontFor(control);
        int width = scale_.ToScreen(control.width);
        int height = scale_.ToScreen(control.height);
        if (!control.button) {
            // Labels take the size of their text.
            const SelectedObject selected(dc.get(), font);
            SIZE extent{};
            GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
            width = extent.cx;
            height = extent.cy;
        }
        const DWORD style = control.button ? WS_TABSTOP | BS_DEFPUSHBUTTON : SS_NOPREFIX | SS_NOTIFY;
        const HWND hwnd = CreateWindowExW(0, control.button ? L"BUTTON" : L"STATIC", caption.c_str(),
                                          WS_CHILD | WS_VISIBLE | style, scale_.ToScreen(control.left),
                                          scale_.ToScreen(control.top), width, height, Handle(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance,
                                          nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.link) link_ = hwnd;
    }
}

// A handful of static controls: made again at the new scale rather than re-placed.
void TFrmAboutWindow::OnDpiChanged(DpiScale scale, const RECT& suggested) {
    scale_ = scale;
    const bool hadFocus = IsChild(Handle(), GetFocus()) != FALSE;
    while (const HWND child = GetWindow(Handle(), GW_CHILD)) DestroyWindow(child);
    fonts_.clear();
    link_ = nullptr;
    CreateControls();
    if (hadFocus) SetFocus(GetDlgItem(Handle(), control_ids::kAboutButton1));
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmAboutWindow::ShowModal() {
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(GetDlgItem(Handle(), control_ids::kAboutButton1));
    MSG message{};
    bool quit = false;
    while (IsWindowVisible(Handle())) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        // Enter presses "&Ok", Escape closes, Tab moves between controls.
        if (IsDialogMessageW(Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(message.wParam));
        Hide();
    }
}

void TFrmAboutWindow::Hide() {
    // The owner is enabled before this window goes away, so Windows hands it
    // the activation rather than to another program.
    EnableWindow(GetWindow(Handle(), GW_OWNER), TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void TFrmAboutWindow::Tell(const std::wstring& text) {
    MessageBoxW(Handle(), text.c_str(), L"Information", MB_OK | MB_ICONINFORMATION);
}

LRESULT TFrmAboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        scale_ = DpiScale::OfWindow(Handle());
        CreateControls();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(DpiScale(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == control_ids::kAboutButton1 || id == IDCANCEL) {
            logic_.Dismiss();
        } else if (id == control_ids::kAboutLabel4 && HIWORD(wParam) == STN_CLICKED) {
            logic_.OpenHomePage();
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // Labels are transparent on the window's background; the address is blue.
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == link_) SetTextColor(dc, kLinkColour);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == link_) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return Default(message, wParam, lParam);
    case WM_CLOSE:
        // Hidden, not destroyed: it is shown again the next time.
        logic_.Dismiss();
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace quillmark
