#pragma once
#include <windows.h>

#include <cstdint>

#include "app/colour_scheme.h"

namespace quillmark {

// Whether the user has a high-contrast theme on (SPI_GETHIGHCONTRAST). Read
// afresh each time: the theme changes while the window is open. In its own
// file (high_contrast.cpp), so that the UI tests can build the window with a
// stand-in that answers yes where the system cannot be asked to.
bool HighContrastOn() noexcept;

// A colour of app/main_view.h as GDI paints it: system colours looked up now.
COLORREF ResolvedColour(std::uint32_t colour) noexcept;

// The colour for `role`: the designed one, or the theme's under high contrast.
inline COLORREF ThemeColour(ColourRole role, std::uint32_t designed) noexcept {
    return ResolvedColour(SchemeColour(role, designed, HighContrastOn()));
}

}  // namespace quillmark
