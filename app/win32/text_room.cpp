#include "app/win32/text_room.h"

#include <cwchar>

#include "app/win32/gdi_handles.h"

namespace quillmark {

TextRoom MeasureTextRoom(const ComponentLayout& layout, HFONT font, int width, const DpiScale& scale) {
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr || layout.caption == nullptr || layout.caption[0] == L'\0') return {};
    SelectedObject selected(screen.get(), font);
    if (layout.kind == ComponentKind::Label && (layout.flags & kWordWrap) != 0) {
        RECT text{0, 0, width, 0};
        DrawTextW(screen.get(), layout.caption, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return TextRoom{width, text.bottom};
    }
    SIZE extent{};
    GetTextExtentPoint32W(screen.get(), layout.caption, static_cast<int>(std::wcslen(layout.caption)), &extent);
    if (layout.kind != ComponentKind::Combo) return TextRoom{extent.cx, extent.cy};
    // The edit part's client edge and margins on both sides, then the button.
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    const int chrome = 4 * scale.Metric(SM_CXEDGE) + scale.Metric(SM_CXVSCROLL) + metrics.tmAveCharWidth;
    return TextRoom{extent.cx + chrome, extent.cy};
}

RECT FittedToCaption(const ComponentLayout& layout, HFONT font, const DpiScale& scale,
                     std::span<const ComponentLayout> components) {
    const Bounds& tabled = layout.bounds;
    const int left = scale.ToScreen(tabled.left);
    const int top = scale.ToScreen(tabled.top);
    const Bounds bounds{left, top, scale.ToScreen(tabled.left + tabled.width) - left,
                        scale.ToScreen(tabled.top + tabled.height) - top};
    const TextRoom room = MeasureTextRoom(layout, font, bounds.width, scale);
    const RowSpan free = FreeSpanOf(layout, components);
    const RowSpan span{scale.ToScreen(free.left), scale.ToScreen(free.right)};
    const Bounds fitted = FitToText(bounds, room, (layout.flags & kRightAligned) != 0, span);
    return RECT{fitted.left, fitted.top, fitted.left + fitted.width, fitted.top + fitted.height};
}

}  // namespace quillmark
