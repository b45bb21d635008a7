#pragma once
#include <windows.h>

namespace quillmark {

// Layout pixels are 96-DPI pixels. The program is system-DPI aware (its
// manifest says so), so one factor, read once from the screen, holds for the
// whole run: identical at 96 DPI, the same physical size above it.
class DpiScale {
public:
    DpiScale() noexcept;
    int Dpi() const noexcept { return dpi_; }
    int ToScreen(int layoutPixels) const noexcept { return MulDiv(layoutPixels, dpi_, 96); }
    int ToLayout(int screenPixels) const noexcept { return MulDiv(screenPixels, 96, dpi_); }

private:
    int dpi_ = 96;
};

}  // namespace quillmark
