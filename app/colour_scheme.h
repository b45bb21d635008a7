#pragma once
#include <cstdint>

namespace quillmark {

// What a colour of the window paints.
enum class ColourRole {
    FormBackground,   // the window behind its panels
    PanelBackground,  // the toolbars and the add panel
    PageBackground,   // the tab pages
    LabelText,
    LinkText,  // the vendor's web address
    ButtonText,
    ButtonHotFill,  // a flat button under the mouse or pressed
    ButtonHotFrame,
    ButtonHotText,
};

// The colour to paint `role` with: the designed colour, or under a
// high-contrast theme the system colour the user chose for that part (as a
// SystemColour of app/main_view.h, resolved when painting), so the window
// follows the theme. The add panel's red-on-yellow blank-field marking is
// the message itself and never comes through here.
std::uint32_t SchemeColour(ColourRole role, std::uint32_t designed, bool highContrast) noexcept;

}  // namespace quillmark
