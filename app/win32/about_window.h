#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/tfrm_about.h"
#include "app/win32/base_window.h"
#include "app/win32/dpi_scale.h"
#include "app/win32/gdi_handles.h"

namespace quillmark {

// `FrmAbout`: the About window's widgets, shown to and reported from
// TFrmAbout's handlers. Created hidden at start, owned by the main window.
class TFrmAboutWindow final : public BaseWindow, public AboutView {
public:
    // `webPageRefusal`: what the address label says instead of opening the page; empty: it opens it.
    explicit TFrmAboutWindow(const Platform& platform, std::wstring webPageRefusal = {});

    void Create(HWND owner);
    // Shows the window with its owner disabled, and returns once it is hidden.
    void ShowModal();

    // AboutView
    void Hide() override;
    void Tell(const std::wstring& text) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    HFONT FontFor(const AboutControlLayout& control);
    // Moved to a screen of another DPI: the controls anew at its scale.
    void OnDpiChanged(DpiScale scale, const RECT& suggested);

    DpiScale scale_;
    TFrmAbout logic_;
    UniqueBrush background_;
    std::vector<UniqueFont> fonts_;
    HWND link_ = nullptr;
};

}  // namespace quillmark
