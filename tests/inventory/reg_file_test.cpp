// The registry editor file: each value in the form regedit writes, and read
// back to exactly the same type and bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/reg_file.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace quillmark {
namespace {

const wchar_t kKey[] = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<std::uint8_t> Utf16(const std::wstring& text, bool terminated = true) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t c : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)});
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::vector<std::uint8_t> Counting(int count) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
    return bytes;
}

struct ValueCase {
    const char* what;
    std::wstring name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::wstring line;
};

const ValueCase kValueCases[] = {
    {"backslashes", L"App", kRegSz, Utf16(L"C:\\a b\\x.exe"), L"\"App\"=\"C:\\\\a b\\\\x.exe\""},
    {"quotes in name and data", L"say \"hi\"", kRegSz, Utf16(L"\"C:\\p.exe\" /q"),
     L"\"say \\\"hi\\\"\"=\"\\\"C:\\\\p.exe\\\" /q\""},
    {"a name with =", L"a=b", kRegSz, Utf16(L"x"), L"\"a=b\"=\"x\""},
    {"non-Latin text", L"\u041f\u0443\u0441\u043a", kRegSz, Utf16(L"\u4e2d\u6587.exe"),
     L"\"\u041f\u0443\u0441\u043a\"=\"\u4e2d\u6587.exe\""},
    {"the default value", L"", kRegSz, Utf16(L"v"), L"@=\"v\""},
    {"empty text", L"e", kRegSz, Utf16(L""), L"\"e\"=\"\""},
    {"no data at all", L"none", kRegSz, {}, L"\"none\"=hex(1):"},
    {"odd byte count", L"odd", kRegSz, {0x41, 0x00, 0x42}, L"\"odd\"=hex(1):41,00,42"},
    {"no terminator", L"open", kRegSz, Utf16(L"ab", false), L"\"open\"=hex(1):61,00,62,00"},
    {"a line break", L"nl", kRegSz, Utf16(L"a\nb"), L"\"nl\"=hex(1):61,00,0a,00,62,00,00,00"},
    {"line breaks and NUL in the name", std::wstring(L"a\nb\r\0\\n", 7), kRegSz, Utf16(L"x"), L"\"a\\nb\\r\\0\\\\n\"=\"x\""},
    {"REG_EXPAND_SZ", L"x", kRegExpandSz, Utf16(L"%A%"), L"\"x\"=hex(2):25,00,41,00,25,00,00,00"},
    {"REG_MULTI_SZ", L"m", kRegMultiSz, {0x61, 0, 0, 0, 0, 0}, L"\"m\"=hex(7):61,00,00,00,00,00"},
    {"REG_DWORD", L"d", kRegDword, {1, 2, 3, 0xfe}, L"\"d\"=dword:fe030201"},
    {"REG_DWORD of odd size", L"d3", kRegDword, {1, 2, 3}, L"\"d3\"=hex(4):01,02,03"},
    {"REG_QWORD", L"q", kRegQword, Counting(8), L"\"q\"=hex(b):00,01,02,03,04,05,06,07"},
    {"REG_NONE, empty", L"n", kRegNone, {}, L"\"n\"=hex(0):"},
    {"long binary wraps at 80 columns", L"Long", kRegBinary, Counting(30),
     L"\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
     L"  16,17,18,19,1a,1b,1c,1d"},
};

TEST(RegFile, WritesEachValueAsRegeditDoesAndReadsItBackExactly) {
    for (const ValueCase& c : kValueCases) {
        SCOPED_TRACE(c.what);
        const RegFileValue value{kKey, c.name, c.type, c.data};
        const std::wstring text = RegFileText({{}, {value}});
        EXPECT_EQ(text, L"Windows Registry Editor Version 5.00\r\n\r\n[" + std::wstring(kKey) + L"]\r\n" + c.line +
                            L"\r\n\r\n");
        const RegFileContent back = ParseRegFile(RegFileBytes(text));
        ASSERT_EQ(back.values.size(), 1u);
        EXPECT_EQ(back.values[0], value);
    }
}

TEST(RegFile, IsUtf16WithByteOrderMarkAndKeepsCommentsAndSections) {
    const RegFileContent content{{L" one", L" two \"x\""},
                                 {{kKey, L"a", kRegSz, Utf16(L"1")},
                                  {kKey, L"b", kRegSz, Utf16(L"2")},
                                  {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\R", L"a", kRegSz, Utf16(L"3")}}};
    const std::vector<std::uint8_t> bytes = RegFileBytes(RegFileText(content));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<std::uint8_t>{0xFF, 0xFE, 'W', 0}));
    const RegFileContent back = ParseRegFile(bytes);
    EXPECT_EQ(back.comments, content.comments);
    EXPECT_EQ(back.values, content.values);
}

TEST(RegFile, RefusesWhatIsNoRegistryFile) {
    for (const std::wstring& text : {std::wstring(L"REGEDIT4\r\n"), std::wstring(L"Windows Registry Editor Version 5.00\r\n\"a\"=\"b\""),
                                     std::wstring(L"Windows Registry Editor Version 5.00\r\n[K]\r\n\"a\"=hex:123"),
                                     std::wstring(L"Windows Registry Editor Version 5.00\r\n[K]\r\n\\\r\n\r\n")}) {
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_THROW(ParseRegFile(RegFileBytes(text)), Error);
    }
    EXPECT_THROW(ParseRegFile({'W', 0}), Error);
}

}  // namespace
}  // namespace quillmark
