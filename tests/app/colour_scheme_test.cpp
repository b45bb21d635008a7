#include "app/colour_scheme.h"

#include <gtest/gtest.h>

#include <utility>

#include "app/main_view.h"

namespace quillmark {
namespace {

// Each role's system colour under a high-contrast theme, by Windows' index (COLOR_BTNFACE is 15, ...).
TEST(SchemeColours, AreTheDesignedOnesUnlessAHighContrastThemeIsOn) {
    const std::pair<ColourRole, int> table[] = {
        {ColourRole::FormBackground, 15}, {ColourRole::PanelBackground, 15}, {ColourRole::PageBackground, 5},
        {ColourRole::LabelText, 18},      {ColourRole::LinkText, 26},        {ColourRole::ButtonText, 18},
        {ColourRole::ButtonHotFill, 13},  {ColourRole::ButtonHotFrame, 18},  {ColourRole::ButtonHotText, 14}};
    const std::uint32_t designed = Rgb(245, 250, 254);
    for (const auto& [role, systemIndex] : table) {
        SCOPED_TRACE(static_cast<int>(role));
        EXPECT_EQ(SchemeColour(role, designed, false), designed);
        EXPECT_EQ(SchemeColour(role, designed, true), SystemColour(systemIndex));
    }
}

}  // namespace
}  // namespace quillmark
