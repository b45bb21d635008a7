#include "app/colour_scheme.h"

#include <gtest/gtest.h>

#include "app/main_view.h"

namespace quillmark {
namespace {

struct SchemeCase {
    ColourRole role;
    int systemIndex;  // under a high-contrast theme (COLOR_BTNFACE is 15, ...)
};

class SchemeColours : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(SchemeColours, AreTheDesignedOnesUnlessAHighContrastThemeIsOn) {
    const SchemeCase& c = GetParam();
    const std::uint32_t designed = Rgb(245, 250, 254);
    EXPECT_EQ(SchemeColour(c.role, designed, false), designed);
    EXPECT_EQ(SchemeColour(c.role, designed, true), SystemColour(c.systemIndex));
}

INSTANTIATE_TEST_SUITE_P(Roles, SchemeColours,
                         ::testing::Values(SchemeCase{ColourRole::FormBackground, 15},
                                           SchemeCase{ColourRole::PanelBackground, 15},
                                           SchemeCase{ColourRole::PageBackground, 5},
                                           SchemeCase{ColourRole::LabelText, 18},
                                           SchemeCase{ColourRole::LinkText, 26},
                                           SchemeCase{ColourRole::ButtonText, 18},
                                           SchemeCase{ColourRole::ButtonHotFill, 13},
                                           SchemeCase{ColourRole::ButtonHotFrame, 18},
                                           SchemeCase{ColourRole::ButtonHotText, 14}));

}  // namespace
}  // namespace quillmark
