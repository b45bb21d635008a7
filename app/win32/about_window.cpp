#include "app/win32/about_window.h"

namespace quillmark {

namespace {

constexpr wchar_t kAboutClass[] = L"TFrmAbout";
constexpr int kWidth = 305;
constexpr int kHeight = 215;

}  // namespace

void TFrmAbout::Create(HWND owner) {
    RegisterWindowClass(kAboutClass, 0, GetSysColorBrush(COLOR_BTNFACE), nullptr, nullptr);
    CreateWindowObject(WS_EX_DLGMODALFRAME, kAboutClass, L"About Quillmark", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, owner, nullptr);
}

LRESULT TFrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Hidden, not destroyed: it is shown again the next time.
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace quillmark
