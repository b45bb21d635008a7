#pragma once
#include <span>

#include "app/main_window_layout.h"

namespace quillmark {

// The room a control's text needs, in screen pixels, with the control's own
// edges and buttons counted in.
struct TextRoom {
    int width = 0;
    int height = 0;
};

// The stretch of its row that a control may take: from the right edge of its
// nearest neighbour on the left to the left edge of its nearest neighbour on
// the right. Without a neighbour on a side, that side is open.
struct RowSpan {
    static constexpr int kOpen = 1 << 20;
    int left = -kOpen;
    int right = kOpen;
};

// The free stretch of a control's row in the layout (layout pixels): its
// neighbours are the siblings that share any of its height, decorative
// pictures aside.
RowSpan FreeSpanOf(const ComponentLayout& layout, std::span<const ComponentLayout> components) noexcept;

// A control's bounds (screen pixels) grown where the tabled size is too
// small for its text, at whatever DPI and font. It keeps its place: it grows
// to the right and downwards, except that a right-aligned label grows to
// the left, so that its text still ends by the field it names. A control
// that would run into a neighbour moves back into the free room on its
// other side, as far as `span` (screen pixels) leaves any.
Bounds FitToText(const Bounds& tabled, const TextRoom& room, bool rightAligned, const RowSpan& span = {}) noexcept;

}  // namespace quillmark
