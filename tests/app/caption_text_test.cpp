#include "app/caption_text.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(CaptionText, GivesTheNameAScreenReaderReadsAndTheAccessKey) {
    struct Case {
        const wchar_t* caption;
        const wchar_t* name;
        wchar_t accessKey;
    };
    for (const Case& c : {Case{L"&Refresh", L"Refresh", L'R'}, Case{L"Add &folder...", L"Add folder...", L'f'},
                          Case{L"Show Properties", L"Show Properties", 0}, Case{L"Tom && &Jerry", L"Tom & Jerry", L'J'},
                          Case{L"Ends with &", L"Ends with ", 0}, Case{L"", L"", 0}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
        EXPECT_EQ(AccessibleName(c.caption), c.name);
        EXPECT_EQ(AccessKeyOf(c.caption), c.accessKey);
    }
}

}  // namespace
}  // namespace quillmark
