#pragma once
#include "app/main_window_layout.h"

namespace quillmark {

// The room a control's text needs, in screen pixels, with the control's own
// edges and buttons counted in.
struct TextRoom {
    int width = 0;
    int height = 0;
};

// A control's bounds (screen pixels) grown where the tabled size is too
// small for its text, at whatever DPI and font. It keeps its place: it grows
// to the right and downwards, except that a right-aligned label grows to
// the left, so that its text still ends by the field it names.
Bounds FitToText(const Bounds& tabled, const TextRoom& room, bool rightAligned) noexcept;

}  // namespace quillmark
