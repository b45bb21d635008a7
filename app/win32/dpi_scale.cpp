#include "app/win32/dpi_scale.h"

#include "app/win32/gdi_handles.h"

namespace quillmark {

DpiScale::DpiScale() noexcept {
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) return;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    if (dpi > 0) dpi_ = dpi;
}

}  // namespace quillmark
