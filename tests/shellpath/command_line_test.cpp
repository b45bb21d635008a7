#include "shellpath/command_line.h"

#include <gtest/gtest.h>

#include "tests/stand_ins/portable_platform.h"
#include "tests/shellpath/command_line_world.h"

namespace quillmark {
namespace {

class PortableWorld final : public CommandLineWorld {
public:
    Platform View() override { return platform_.View(); }
    void SetVariable(const std::wstring& name, const std::wstring& value) override {
        platform_.environment().Set(name, value);
    }
    void UnsetVariable(const std::wstring& name) override { platform_.environment().Unset(name); }

private:
    PortablePlatform platform_;
};

INSTANTIATE_TEST_SUITE_P(Portable, CommandLineTest,
                         testing::Values(CommandLineWorldFactory{
                             "Portable", [] { return std::unique_ptr<CommandLineWorld>(new PortableWorld()); }}),
                         WorldName);

struct Example {
    const wchar_t* location;
    const wchar_t* expected;  // nullptr: the location comes back unchanged
};

void ExpectResults(CommandLineWorld& world, const Example* examples, std::size_t count) {
    const Platform platform = world.View();
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring location = examples[i].location;
        SCOPED_TRACE(testing::Message() << "row " << i);
        const std::wstring expected = examples[i].expected ? examples[i].expected : location;
        EXPECT_EQ(ProgramPathFromCommand(platform, location), expected);
    }
}

TEST_P(CommandLineTest, ProgramPathExamples) {
    static const Example kExamples[] = {
        {L"\"C:\\Program Files\\App\\app.exe\" -min", L"C:\\Program Files\\App\\app.exe"},
        {L"\"C:\\App\\app.exe\"", L"C:\\App\\app.exe"},
        {L"C:\\Program Files\\App\\app.exe", nullptr},
        {L"C:\\Program Files\\App\\app.exe -min", L"C:\\Program Files\\App\\app.exe "},
        {L"C:\\PROGRA~1\\App\\app.exe /background", L"C:\\PROGRA~1\\App\\app.exe "},
        {L"C:\\App\\app.exe/min", L"C:\\App\\app.exe"},
        {L"C:\\App\\app.exe  -x", L"C:\\App\\app.exe "},
        {L"C:\\App\\app.exe\t-x", nullptr},
        {L"  \"C:\\App\\app.exe\" -x", L"C:\\App\\app.exe"},
        {L"%SystemRoot%\\system32\\app.exe", L"C:\\WINDOWS\\system32\\app.exe"},
        {L"%SystemRoot%\\system32\\app.exe -x", L"C:\\WINDOWS\\system32\\app.exe "},
        {L"\"%ProgramFiles%\\App\\app.exe\" /x", L"C:\\Program Files\\App\\app.exe"},
        {L"%SystemRoot%\\%ProgramFiles%\\app.exe", L"C:\\WINDOWS\\%ProgramFiles%\\app.exe"},
        {L"%UNDEFINED%\\app.exe", nullptr},
        {L"%%\\app.exe", nullptr},
        {L"C:\\100%\\app.exe", nullptr},
        {L"C:\\App\\app.exe -config C:\\App\\app.ini", L"C:\\App\\app.exe "},
        {L"C:\\WINDOWS\\notepad.EXE C:\\WINDOWS\\win.ini", L"C:\\WINDOWS\\notepad.EXE "},
        {L"C:\\Tools\\go.cmd  C:\\a.b", L"C:\\Tools\\go.cmd "},
        {L"\"C:\\App\\app.exe\" -config C:\\App\\app.ini", L"C:\\App\\app.exe"},
        {L"C:\\App\\app.exe -port:80", L"C:\\App\\app.exe "},
        {L"C:\\Tools\\runner -x", nullptr},
        {L"\"C:\\My.Folder\\runner\" -x", L"C:\\My.Folder\\runner"},
        {L"rundll32.exe shell32.dll,Control_RunDLL", L"rundll32.exe "},
        {L"C:\\WINDOWS\\system32\\rundll32.exe \"C:\\Program Files\\App\\tool.dll\",Start",
         L"C:\\WINDOWS\\system32\\rundll32.exe "},
        {L"\"C:\\App\\app.exe -x", L""},
        {L"\"\"", L""},
        {L"http://example.test/a b.exe -x", nullptr},
        {L"HTTPS://example.test/page.htm?x=1", nullptr},
        {L"hTtP:relative.exe -x", nullptr},
        // The part before the extension is trimmed, so the blank goes there.
        {L" http://example.test/app.exe -x", L"http://example.test/app.exe "},
        {L".exe", nullptr},
        {L"", L""},
        {L"   ", nullptr},
    };
    ExpectResults(*world_, kExamples, std::size(kExamples));
}

TEST_P(CommandLineTest, ExpandsOnlyTheFirstReferenceAndNeverRescansTheValue) {
    world_->SetVariable(L"QmNested", L"%SystemRoot%");
    world_->SetVariable(L"QmEmpty", L"");
    const Platform platform = world_->View();
    EXPECT_EQ(ExpandFirstEnvVar(platform, L"%QmNested%\\a"), L"%SystemRoot%\\a");
    // Names match without regard to letter case.
    EXPECT_EQ(ExpandFirstEnvVar(platform, L"x%systemroot%y%z"), L"xC:\\WINDOWSy%z");
    EXPECT_EQ(ExpandFirstEnvVar(platform, L"%QmEmpty%\\a %SystemRoot%"), L"%QmEmpty%\\a %SystemRoot%");
    EXPECT_EQ(ExpandFirstEnvVar(platform, L" %SystemRoot% "), L" C:\\WINDOWS ");
    EXPECT_EQ(ExpandFirstEnvVar(platform, L"%"), L"%");
    EXPECT_EQ(ReadEnvVar(platform, L"SYSTEMROOT"), L"C:\\WINDOWS");
    EXPECT_EQ(ReadEnvVar(platform, L"UNDEFINED"), L"");
    EXPECT_EQ(ReadEnvVar(platform, L""), L"");
}

TEST_P(CommandLineTest, TextRulesOfTheSteps) {
    struct Row {
        const wchar_t* text;
        const wchar_t* withoutExt;
        const wchar_t* leadingQuoted;
    };
    static const Row kRows[] = {
        {L"C:\\a.b\\c", L"C:\\a.b\\c", L"C:\\a.b\\c"},
        {L"C:\\a\\c.txt", L"C:\\a\\c", L"C:\\a\\c.txt"},
        {L"c:.x", L"c:", L"c:.x"},
        {L"a.b:c", L"a.b:c", L"a.b:c"},
        {L"http://x/y.z", L"http://x/y", L"http://x/y.z"},
        {L"\"a\"b\"", L"\"a\"b\"", L"a"},
        {L"\"", L"\"", L""},
        {L" \"a\"", L" \"a\"", L" \"a\""},
        {L"", L"", L""},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "text length " << std::wstring(row.text).size());
        EXPECT_EQ(RemoveFileExt(row.text), row.withoutExt);
        EXPECT_EQ(StripLeadingQuoted(row.text), row.leadingQuoted);
    }
}

// No part passes through the ANSI code page (1252 here and in a fresh Wine
// prefix): quoted or not, environment names and values included, every
// character stays, and a fullwidth quotation mark is no quote.
TEST_P(CommandLineTest, CharactersOutsideTheCodePage) {
    world_->SetVariable(L"Qm\u4e2d", L"C:\\\u0100pp");
    static const Example kExamples[] = {
        {L"\"C:\\\u0100pp\\app.exe\" -x", L"C:\\\u0100pp\\app.exe"},
        {L"\"C:\\\u4e2d\\app.exe\" -x", L"C:\\\u4e2d\\app.exe"},
        {L"\"C:\\Users\\\u0141ukasz\\\u0414\u043e\u043c \u4e2d\u6587\\app.exe\" /m",
         L"C:\\Users\\\u0141ukasz\\\u0414\u043e\u043c \u4e2d\u6587\\app.exe"},
        {L"\"C:\\A\uff02B\\app.exe\" -x", L"C:\\A\uff02B\\app.exe"},
        {L"\"C:\\\u20ac\\app.exe\"", L"C:\\\u20ac\\app.exe"},
        {L"C:\\\u4e2d\\app.exe -x", L"C:\\\u4e2d\\app.exe "},
        {L"%\u4e2d%\\app.exe", nullptr},
        {L"%qm\u4e2d%\\app.exe -x", L"C:\\\u0100pp\\app.exe "},
    };
    ExpectResults(*world_, kExamples, std::size(kExamples));
}

TEST_P(CommandLineTest, BadInputNeverBreaksTheRules) {
    const Platform platform = world_->View();
    for (const std::size_t length : {259u, 260u, 261u, 32000u}) {
        SCOPED_TRACE(testing::Message() << "length " << length);
        const std::wstring longPath = L"C:\\" + std::wstring(length, L'a') + L".exe";
        EXPECT_EQ(ProgramPathFromCommand(platform, longPath + L" -x"), longPath + L" ");
        EXPECT_EQ(ProgramPathFromCommand(platform, L"\"" + longPath + L"\" -x"), longPath);
        EXPECT_EQ(ProgramPathFromCommand(platform, L"\"" + longPath), L"");
        const std::wstring percents(length, L'%');
        EXPECT_EQ(ProgramPathFromCommand(platform, percents), percents);
        const std::wstring quotes(length, L'"');
        EXPECT_EQ(ProgramPathFromCommand(platform, quotes), L"");
        const std::wstring dots(length, L'.');
        EXPECT_EQ(ProgramPathFromCommand(platform, dots), dots);
    }
    // A very long variable value is read whole.
    const std::wstring longValue(32000, L'v');
    world_->SetVariable(L"QmLong", longValue);
    EXPECT_EQ(ExpandFirstEnvVar(platform, L"%QmLong%.exe"), longValue + L".exe");

    static const Example kOdd[] = {
        {L"\"", L""},
        {L"\" ", L""},
        {L"\"\"\"", L""},
        {L"\"a\" \"b\" \"c.exe\"", L"a"},
        {L"a\"b.exe", nullptr},
        {L"a.exe\"", L"a.exe"},
        {L"\"a.exe", L""},
        {L"%", nullptr},
        {L"%%", nullptr},
        {L"%%%", nullptr},
        {L"a.exe\x01\x02", L"a.exe"},  // control characters trim like blanks
        {L"\x01 a.exe -x", L"a.exe "},
        {L"C:\\a\xD83D\xDE00.exe -x", L"C:\\a\xD83D\xDE00.exe "},  // a surrogate pair left alone
        {L"\"C:\\\xD800.exe\"", L"C:\\\xD800.exe"},                 // a lone surrogate stays as it is
        {L"a.e|xe", L"a.e"},
        {L"a.e<x>e", L"a.e"},
        {L"a.?*", L"a."},
    };
    ExpectResults(*world_, kOdd, std::size(kOdd));
    // Text holding NUL characters is handled by length, not cut short.
    const std::wstring withNul(L"C:\\a\0b.exe -x", 13);
    EXPECT_EQ(ProgramPathFromCommand(platform, withNul), std::wstring(L"C:\\a\0b.exe ", 11));
}

}  // namespace
}  // namespace quillmark
