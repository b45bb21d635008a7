#include <gtest/gtest.h>

#include <string>

#include "inventory/add_shortcut.h"

namespace quillmark {
namespace {

struct CleanCase {
    const wchar_t* text;
    const wchar_t* cleaned;
};

class CleanEntryNameTest : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanEntryNameTest, CutsBeforeForbiddenCharacterThenAfterFirstBlank) {
    EXPECT_EQ(CleanEntryName(GetParam().text), GetParam().cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CleanEntryNameTest,
    testing::Values(CleanCase{L"a/b:c", L"a"}, CleanCase{L"Tool<1>", L"Tool"}, CleanCase{L"C:\\x", L"C"},
                    CleanCase{L"My App|2", L"My "}, CleanCase{L"Backup Tool", L"Backup "},
                    CleanCase{L"Plain", L"Plain"}, CleanCase{L"", L""},
                    // Each of the nine, alone and leading: nothing is left.
                    CleanCase{L"\"q", L""}, CleanCase{L"/q", L""}, CleanCase{L"\\q", L""}, CleanCase{L":q", L""},
                    CleanCase{L"*q", L""}, CleanCase{L"?q", L""}, CleanCase{L"<q", L""}, CleanCase{L">q", L""},
                    CleanCase{L"|q", L""},
                    // The first of any of them wins, whatever their listed order.
                    CleanCase{L"ab|c\"d", L"ab"}, CleanCase{L"a>b/c", L"a"},
                    // Control characters cut like the nine (a line break was the
                    // fuzzer's first find); other spaces and characters outside
                    // any code page stay.
                    CleanCase{L"a\tb c", L"a"}, CleanCase{L"\n", L""}, CleanCase{L"ab\x1F", L"ab"},
                    CleanCase{L"\u00A0x y", L"\u00A0x "},
                    CleanCase{L"\u041F\u0440\u0438 \u0432\u0435\u0442", L"\u041F\u0440\u0438 "},
                    // A blank after the forbidden character is cut away with it.
                    CleanCase{L"ab:c d", L"ab"}, CleanCase{L" lead", L" "}));

TEST(CleanEntryName, LongTextsAreCutWithoutTrouble) {
    const std::wstring longName(32000, L'n');
    EXPECT_EQ(CleanEntryName(longName), longName);
    EXPECT_EQ(CleanEntryName(longName + L"?" + longName), longName);
    EXPECT_EQ(CleanEntryName(std::wstring(260, L'x') + L" " + std::wstring(260, L'y')), std::wstring(260, L'x') + L" ");
}

}  // namespace
}  // namespace quillmark
