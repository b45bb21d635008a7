#include "app/window_keys.h"

#include <gtest/gtest.h>

#include "app/keys.h"

namespace quillmark {
namespace {

struct KeyCase {
    KeyStroke stroke;
    FocusPlace place;
    Command expected;
};

class WindowKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WindowKeys, RunTheirCommandOnlyWithTheirModifiersAndFocus) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(WindowKeyCommand(c.stroke, c.place), c.expected);
}

constexpr auto kList = FocusPlace::List;
constexpr auto kPanel = FocusPlace::AddPanel;
constexpr auto kElsewhere = FocusPlace::Elsewhere;

INSTANTIATE_TEST_SUITE_P(
    Keys, WindowKeys,
    ::testing::Values(KeyCase{{kKeyF5}, kElsewhere, Command::Refresh}, KeyCase{{kKeyF5, true}, kList, Command::None},
                      KeyCase{{kKeyTab, true}, kPanel, Command::NextTab},
                      KeyCase{{kKeyTab, true, true}, kList, Command::PreviousTab},
                      KeyCase{{kKeyTab}, kList, Command::None},
                      KeyCase{{kKeyPageDown, true}, kElsewhere, Command::NextTab},
                      KeyCase{{kKeyPageUp, true}, kList, Command::PreviousTab},
                      KeyCase{{kKeyPageDown}, kList, Command::None},
                      KeyCase{{kKeyEscape}, kPanel, Command::CancelAdd},
                      KeyCase{{kKeyEscape}, kList, Command::None},
                      KeyCase{{kKeyA, true}, kList, Command::SelectAllRows},
                      KeyCase{{kKeyA, true}, kPanel, Command::None},  // the field selects its own text
                      KeyCase{{kKeyA}, kList, Command::None},
                      KeyCase{{kKeyA, true, true}, kList, Command::None},
                      KeyCase{{kKeyZ, true}, kList, Command::UndoRemoval},
                      KeyCase{{kKeyZ, true}, kPanel, Command::None},  // the field's own undo
                      KeyCase{{kKeyZ}, kList, Command::None}));

TEST(NeighbourTab, WrapsRoundBothWaysAndStartsAtTheFirstFromNoTab) {
    EXPECT_EQ(NeighbourTab(0, 2, false), 1);
    EXPECT_EQ(NeighbourTab(1, 2, false), 0);
    EXPECT_EQ(NeighbourTab(0, 2, true), 1);
    EXPECT_EQ(NeighbourTab(1, 3, true), 0);
    EXPECT_EQ(NeighbourTab(-1, 2, false), 1);
    EXPECT_EQ(NeighbourTab(0, 0, false), -1);
}

}  // namespace
}  // namespace quillmark
