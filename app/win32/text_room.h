#pragma once
#include <windows.h>

#include "app/main_window_layout.h"
#include "app/text_fit.h"

namespace quillmark {

// The room, in screen pixels, that a label's or a combo's caption needs in
// this font: measured by GDI, so it holds at every DPI and with any font the
// system substitutes. A word-wrapped label keeps `width` and needs height;
// a combo needs room for its edge and drop-down button besides its prompt.
TextRoom MeasureTextRoom(const ComponentLayout& layout, HFONT font, int width);

// The control's screen bounds from its tabled ones, grown to its caption.
RECT FittedToCaption(const ComponentLayout& layout, const RECT& tabled, HFONT font);

}  // namespace quillmark
