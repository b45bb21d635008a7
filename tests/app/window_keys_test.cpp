#include "app/window_keys.h"

#include <utility>

#include <gtest/gtest.h>

#include "app/command_table.h"
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

// A list's own keys, whatever modifiers are held: Enter and Space open,
// Delete removes, any other key is the list's.
TEST(ListKeys, EnterAndSpaceOpenDeleteRemovesOthersAreTheLists) {
    const std::pair<int, Command> cases[] = {
        {kKeyEnter, Command::OpenSelected}, {kKeySpace, Command::OpenSelected}, {kKeyDelete, Command::DeleteSelected},
        {kKeyTab, Command::None}, {kKeyEscape, Command::None}, {45, Command::None}, {kKeyA, Command::None},
        {93, Command::None}, {kKeyF5, Command::None}};
    for (const auto& [key, command] : cases) EXPECT_EQ(ListKeyCommand(key), command) << key;
}

// The command table holds one row per command, in the enum's order, each
// with what carries it out.
TEST(CommandTable, EveryCommandHasItsOwnRowAndHandler) {
    ASSERT_EQ(CommandTable().size(), kCommandCount);
    for (std::size_t index = 0; index < kCommandCount; ++index) {
        const auto command = static_cast<Command>(index);
        EXPECT_EQ(RowOf(command).command, command) << index;
        EXPECT_EQ(RowOf(command).run != nullptr, command != Command::None) << index;
    }
}

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
