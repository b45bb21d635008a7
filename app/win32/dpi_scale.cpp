#include "app/win32/dpi_scale.h"

#include "app/win32/gdi_handles.h"

namespace quillmark {

namespace {

// Both came with Windows 10 version 1607. They are looked up, not imported,
// so that the program still starts on the Windows versions before it.
template <typename Function>
Function User32Function(const char* name) noexcept {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

}  // namespace

DpiScale::DpiScale() noexcept {
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) return;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    if (dpi > 0) dpi_ = dpi;
}

DpiScale DpiScale::OfWindow(HWND window) noexcept {
    static const auto dpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (dpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi > 0) return DpiScale(static_cast<int>(dpi));
    }
    return DpiScale();
}

int DpiScale::Metric(int index) const noexcept {
    static const auto metricForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) return metricForDpi(index, static_cast<UINT>(dpi_));
    return MulDiv(GetSystemMetrics(index), dpi_, DpiScale().Dpi());
}

}  // namespace quillmark
