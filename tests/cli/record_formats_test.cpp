// quillmark-cli's three formats: CSV quoting, JSON escaping, a parser's round
// trip of both, and the table cut to a console's width.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/entry_records.h"
#include "cli/record_formats.h"
#include "cli/text_columns.h"
#include "tests/support/record_parsers.h"

namespace quillmark {
namespace {

using testing_support::ParseCsv;
using testing_support::ParseJsonObjects;

EntryRecord Named(const std::wstring& name) {
    return EntryRecord{L"user", L"Run", name, L"HKCU", L"a.exe", L"enabled", L"", L"C:\\a.exe"};
}

TEST(RecordFormats, CsvQuotesWhatWouldOtherwiseEndAField) {
    struct Case {
        const wchar_t* name;
        const wchar_t* field;
    };
    const Case cases[] = {
        {L"plain", L"plain"},
        {L"", L""},
        {L"a,b", L"\"a,b\""},
        {L"say \"hi\"", L"\"say \"\"hi\"\"\""},
        {L"two\r\nlines", L"\"two\r\nlines\""},
        {L"line\nfeed", L"\"line\nfeed\""},
        {L" outer blank", L"\" outer blank\""},
        {L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430",
         L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const std::wstring expected = std::wstring(L"user,Run,") + c.field + L",HKCU,a.exe,enabled,,C:\\a.exe\r\n";
        const std::wstring text = CsvText({Named(c.name)});
        EXPECT_EQ(text.substr(text.find(L"\r\n") + 2), expected);
    }
}

TEST(RecordFormats, JsonEscapesControlsAndEverythingOutsideAscii) {
    struct Case {
        const wchar_t* name;
        const wchar_t* json;
    };
    const Case cases[] = {
        {L"a\"b\\c/d", L"\"a\\\"b\\\\c/d\""},
        {L"\n\r\t\b\f", L"\"\\n\\r\\t\\b\\f\""},
        {L"\x01\x1f\x7f", L"\"\\u0001\\u001f\\u007f\""},
        {L"caf\u00e9 \u7a0b", L"\"caf\\u00e9 \\u7a0b\""},
        {L"\xD83D\xDE00", L"\"\\ud83d\\ude00\""},    // outside the Basic Multilingual Plane: a pair of escapes
        {L"\xDC00x\xD800", L"\"\\udc00x\\ud800\""},  // lone surrogates, which a value name may hold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.json)));
        const std::wstring text = JsonText({Named(c.name)});
        EXPECT_NE(text.find(std::wstring(L"\"name\":") + c.json + L","), std::wstring::npos)
            << testing::PrintToString(text);
        for (const wchar_t unit : text) EXPECT_TRUE(unit >= 0x20 ? unit < 0x7F : unit == L'\r' || unit == L'\n');
    }
}

TEST(RecordFormats, BothMachineFormatsReadBackAsWritten) {
    std::vector<EntryRecord> records = {
        Named(L"plain"),
        Named(L"a,\"b\"\r\nc\nd \xD83D\xDE00 \u00e9\t\x01"),
        EntryRecord{L"all", L"Startup folder", L"", L"C:\\ProgramData\\Startup", L"C:\\ProgramData\\Startup\\x.lnk",
                    L"disabled", L"2026-12-08T09:30:00Z", L""},
    };
    const std::vector<std::wstring> keys = {L"scope",   L"source", L"name",       L"where",
                                            L"command", L"status", L"disabledAt", L"program"};
    for (const std::vector<EntryRecord>& written : {records, std::vector<EntryRecord>{}}) {
        SCOPED_TRACE(written.size());
        const auto csv = ParseCsv(CsvText(written));
        ASSERT_TRUE(csv);
        ASSERT_EQ(csv->size(), written.size() + 1);
        EXPECT_EQ((*csv)[0], keys);
        const auto json = ParseJsonObjects(JsonText(written));
        ASSERT_TRUE(json);
        ASSERT_EQ(json->size(), written.size());
        for (std::size_t row = 0; row < written.size(); ++row) {
            ASSERT_EQ((*csv)[row + 1].size(), keys.size());
            ASSERT_EQ((*json)[row].size(), keys.size());
            for (std::size_t field = 0; field < keys.size(); ++field) {
                const std::wstring& value = written[row].*kRecordFields[field].member;
                EXPECT_EQ((*csv)[row + 1][field], value);
                const auto& read = (*json)[row].at(keys[field]);
                // Only an unknown time is null.
                EXPECT_EQ(read.has_value(), !(keys[field] == L"disabledAt" && value.empty()));
                EXPECT_EQ(read.value_or(L""), value);
            }
        }
    }
}

TEST(RecordFormats, UtcTimeIsIsoOrNothing) {
    EXPECT_EQ(UtcTimeText(0), L"");
    EXPECT_EQ(UtcTimeText(10000000), L"1601-01-01T00:00:01Z");
    EXPECT_EQ(UtcTimeText(134411958000000000ull), L"2026-12-08T09:30:00Z");
    EXPECT_EQ(UtcTimeText(~0ull), L"") << "a year past 9999, from a value anyone may have written";
}

TEST(RecordFormats, CutsKeepWholeCharactersAndMarkTheCut) {
    struct Case {
        const wchar_t* text;
        int width;
        const wchar_t* cut;
    };
    const Case cases[] = {
        {L"abc", 3, L"abc"},
        {L"abcd", 3, L"ab\u2026"},
        {L"abcd", 0, L""},
        {L"\u4e2d\u6587\u5b57", 6, L"\u4e2d\u6587\u5b57"},  // wide characters take two columns
        {L"\u4e2d\u6587\u5b57", 4, L"\u4e2d\u2026"},
        {L"\xD83D\xDE00\xD83D\xDE00", 3, L"\xD83D\xDE00\u2026"},  // a pair is one character, two columns
        {L"e\u0301e\u0301", 2, L"e\u0301e\u0301"},                // combining marks take none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)) + " in " + std::to_string(c.width));
        EXPECT_EQ(CutToWidth(c.text, c.width), c.cut);
    }
}

TEST(RecordFormats, TableAlignsColumnsAndFitsTheConsole) {
    EntryRecord disabled = Named(L"two\nlines");
    disabled.status = L"disabled";
    disabled.disabledAt = L"2026-12-08T09:30:00Z";
    const std::vector<EntryRecord> records = {Named(L"\u7a0b\u5e8f"), disabled};
    EXPECT_EQ(TableOfRecords(records, 0),
              L"Scope  Source  Name        Where  Command  Status               Program\r\n"
              L"-----  ------  ----------  -----  -------  -------------------  --------\r\n"
              L"user   Run     \u7a0b\u5e8f        HKCU   a.exe    enabled              C:\\a.exe\r\n"
              L"user   Run     two^Jlines  HKCU   a.exe    disabled 2026-12-08  C:\\a.exe\r\n");
    // Names, places and command lines are cut first; the status only when nothing else is left to cut.
    for (const auto& [width, statusWhole] : {std::pair{70, true}, {50, false}, {8, false}}) {
        SCOPED_TRACE(width);
        const std::wstring table = TableOfRecords(records, width);
        std::size_t lines = 0;
        for (std::size_t start = 0; start < table.size(); ++lines) {
            const std::size_t end = table.find(L"\r\n", start);
            ASSERT_NE(end, std::wstring::npos);
            EXPECT_LE(TextWidth(table.substr(start, end - start)), width);
            start = end + 2;
        }
        EXPECT_EQ(lines, 4u);
        EXPECT_NE(table.find(L"\u2026"), std::wstring::npos);
        EXPECT_EQ(table.find(L"disabled 2026-12-08") != std::wstring::npos, statusWhole);
    }
}

}  // namespace
}  // namespace quillmark
