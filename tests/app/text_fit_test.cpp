#include "app/text_fit.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

struct FitCase {
    Bounds tabled;
    TextRoom room;
    bool rightAligned;
    Bounds expected;
};

class FitToTextCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToTextCases, GrowOnlyWhereTheTextNeedsItAndKeepTheirPlace) {
    const FitCase& c = GetParam();
    const Bounds fitted = FitToText(c.tabled, c.room, c.rightAligned);
    EXPECT_EQ(fitted.left, c.expected.left);
    EXPECT_EQ(fitted.top, c.expected.top);
    EXPECT_EQ(fitted.width, c.expected.width);
    EXPECT_EQ(fitted.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, FitToTextCases,
    ::testing::Values(FitCase{{37, 105, 333, 15}, {333, 30}, false, {37, 105, 333, 30}},   // a wrapped hint
                      FitCase{{207, 10, 194, 23}, {211, 20}, false, {207, 10, 211, 23}},  // a combo's prompt
                      FitCase{{29, 16, 31, 15}, {40, 15}, true, {20, 16, 40, 15}},
                      FitCase{{29, 16, 31, 15}, {20, 10}, true, {29, 16, 31, 15}}));

}  // namespace
}  // namespace quillmark
