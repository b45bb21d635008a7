#include "app/win32/dpi_scale.h"

namespace quillmark {

DpiScale::DpiScale() noexcept {
    if (HDC screen = GetDC(nullptr)) {
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        if (dpi > 0) dpi_ = dpi;
        ReleaseDC(nullptr, screen);
    }
}

}  // namespace quillmark
