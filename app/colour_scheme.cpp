#include "app/colour_scheme.h"

#include "app/main_view.h"

namespace quillmark {

namespace {

// Windows' indexes of the system colours used here (COLOR_BTNFACE and its kin).
constexpr int kWindowIndex = 5;
constexpr int kHighlightIndex = 13;
constexpr int kHighlightTextIndex = 14;
constexpr int kButtonFaceIndex = 15;
constexpr int kButtonTextIndex = 18;
constexpr int kHotLightIndex = 26;

}  // namespace

std::uint32_t SchemeColour(ColourRole role, std::uint32_t designed, bool highContrast) noexcept {
    if (!highContrast) return designed;
    switch (role) {
    case ColourRole::FormBackground:
    case ColourRole::PanelBackground: return SystemColour(kButtonFaceIndex);
    case ColourRole::PageBackground: return SystemColour(kWindowIndex);
    case ColourRole::LabelText:
    case ColourRole::ButtonText:
    case ColourRole::ButtonHotFrame: return SystemColour(kButtonTextIndex);
    case ColourRole::LinkText: return SystemColour(kHotLightIndex);
    case ColourRole::ButtonHotFill: return SystemColour(kHighlightIndex);
    case ColourRole::ButtonHotText: return SystemColour(kHighlightTextIndex);
    }
    return designed;
}

}  // namespace quillmark
