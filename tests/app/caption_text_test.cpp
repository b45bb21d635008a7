#include "app/caption_text.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

struct CaptionCase {
    const wchar_t* caption;
    const wchar_t* name;
    wchar_t accessKey;
};

class CaptionText : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionText, GivesTheNameAScreenReaderReadsAndTheAccessKey) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(AccessibleName(c.caption), c.name);
    EXPECT_EQ(AccessKeyOf(c.caption), c.accessKey);
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionText,
                         ::testing::Values(CaptionCase{L"&Refresh", L"Refresh", L'R'},
                                           CaptionCase{L"Add &folder...", L"Add folder...", L'f'},
                                           CaptionCase{L"Show Properties", L"Show Properties", 0},
                                           CaptionCase{L"Tom && &Jerry", L"Tom & Jerry", L'J'},
                                           CaptionCase{L"Ends with &", L"Ends with ", 0},
                                           CaptionCase{L"", L"", 0}));

}  // namespace
}  // namespace quillmark
