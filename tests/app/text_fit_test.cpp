#include "app/text_fit.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(FitToText, GrowsOnlyWhereTheTextNeedsItAndKeepsItsPlace) {
    EXPECT_EQ(FitToText({37, 105, 333, 15}, {333, 30}, false), (Bounds{37, 105, 333, 30}));  // a wrapped hint
    EXPECT_EQ(FitToText({207, 10, 194, 23}, {211, 20}, false), (Bounds{207, 10, 211, 23}));  // a combo's prompt
    EXPECT_EQ(FitToText({29, 16, 31, 15}, {40, 15}, true), (Bounds{20, 16, 40, 15}));  // ends by its field
    EXPECT_EQ(FitToText({29, 16, 31, 15}, {20, 10}, true), (Bounds{29, 16, 31, 15}));
    // Kept clear of the neighbours while the room on the other side lasts; the text comes first.
    EXPECT_EQ(FitToText({207, 10, 194, 23}, {211, 20}, false, {186, 408}), (Bounds{197, 10, 211, 23}));
    EXPECT_EQ(FitToText({207, 10, 194, 23}, {211, 20}, false, {200, 408}), (Bounds{200, 10, 211, 23}));
    EXPECT_EQ(FitToText({29, 16, 31, 15}, {40, 15}, true, {25, 100}), (Bounds{25, 16, 40, 15}));
}

// Between the buttons beside it: not the picture behind them, nor the other panels' controls.
TEST(FreeSpanOf, IsBoundedByTheSiblingsOnItsRow) {
    const RowSpan span = FreeSpanOf(*FindComponent(Role::AddProgramFolderList), MainWindowComponents());
    EXPECT_EQ(span.left, 186);
    EXPECT_EQ(span.right, 408);
}

}  // namespace
}  // namespace quillmark
