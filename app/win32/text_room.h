#pragma once
#include <windows.h>

#include <span>

#include "app/main_window_layout.h"
#include "app/text_fit.h"
#include "app/win32/dpi_scale.h"

namespace quillmark {

// The room, in screen pixels, that a label's or a combo's caption needs in
// this font: measured by GDI, so it holds at every DPI and with any font the
// system substitutes. A word-wrapped label keeps `width` and needs height;
// a combo needs room for its edge and drop-down button (sized for `scale`)
// besides its prompt.
TextRoom MeasureTextRoom(const ComponentLayout& layout, HFONT font, int width, const DpiScale& scale);

// The control's screen bounds at `scale` from its tabled ones, grown to its
// caption within the free stretch its siblings in `components` leave it.
RECT FittedToCaption(const ComponentLayout& layout, HFONT font, const DpiScale& scale,
                     std::span<const ComponentLayout> components);

}  // namespace quillmark
