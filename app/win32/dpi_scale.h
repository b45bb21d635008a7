#pragma once
#include <windows.h>

namespace quillmark {

// Layout pixels are 96-DPI pixels. The program is per-monitor DPI aware (its
// manifest says so): the factor is that of the screen the window is on,
// taken from the window once it exists and anew each time Windows moves it
// to a screen of another DPI (WM_DPICHANGED).
class DpiScale {
public:
    // The system DPI: the primary screen's when the user signed in.
    DpiScale() noexcept;
    explicit DpiScale(int dpi) noexcept : dpi_(dpi > 0 ? dpi : 96) {}
    // The DPI of the screen the window is on; the system DPI where Windows
    // cannot tell (before Windows 10 version 1607).
    static DpiScale OfWindow(HWND window) noexcept;

    int Dpi() const noexcept { return dpi_; }
    int ToScreen(int layoutPixels) const noexcept { return MulDiv(layoutPixels, dpi_, 96); }
    int ToLayout(int screenPixels) const noexcept { return MulDiv(screenPixels, 96, dpi_); }
    // A system metric (SM_CXSMICON, ...) for a screen of this DPI.
    int Metric(int index) const noexcept;

private:
    int dpi_ = 96;
};

}  // namespace quillmark
