#include <gtest/gtest.h>

#include "platform/error.h"

namespace quillmark {
namespace {

TEST(ErrorTest, FormatsFirstPlaceholderAndKeepsUtf16Message) {
    const Error error(FormatMessageText(L"Invalid data type for '%s'", L"Caf\u00e9 \u4e2d"));
    EXPECT_EQ(error.message(), L"Invalid data type for 'Caf\u00e9 \u4e2d'");
    EXPECT_STREQ(error.what(), "Invalid data type for 'Caf? ?'");
}

}  // namespace
}  // namespace quillmark
