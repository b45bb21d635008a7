#include "tests/stand_ins/windows1252_code_page.h"

#include "tests/stand_ins/text_case.h"

namespace quillmark {

namespace {

// Bytes 0x80-0x9F. The unassigned ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) map
// to the C1 control of the same value, as MultiByteToWideChar does.
const wchar_t kHighBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Best-fit bytes for U+0100-U+017F; "?" where the system has none.
const char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDd\xD0" "dEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIiIi??JjKk?LlLlLl?"
    "?LlNnNnNn???OoOoOo\x8C" "\x9C" "RrRrRrSsSsSs"
    "\x8A" "\x9A" "TtTtTtUuUuUuUuUuUuWwYy\x9F" "ZzZz\x8E" "\x9E" "?";
static_assert(sizeof(kLatinExtendedA) == 0x80 + 1);

char ByteOf(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighBlock[i] == c) return static_cast<char>(0x80 + i);
    }
    if (c >= 0x100 && c <= 0x17F) return kLatinExtendedA[c - 0x100];
    return '?';
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string Windows1252CodePage::ToAnsi(const std::wstring& text) const {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character, but WideCharToMultiByte still
        // writes a "?" for each of its two units.
        if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            out.push_back('?');
            continue;
        }
        out.push_back(ByteOf(text[i]));
    }
    return out;
}

std::wstring Windows1252CodePage::FromAnsi(const std::string& text) const {
    std::wstring out;
    out.reserve(text.size());
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        out.push_back(value >= 0x80 && value < 0xA0 ? kHighBlock[value - 0x80] : static_cast<wchar_t>(value));
    }
    return out;
}

std::wstring Windows1252CodePage::Upper(const std::wstring& text) const {
    std::wstring out = text;
    for (wchar_t& c : out) c = UpperChar(c);
    return out;
}

std::wstring Windows1252CodePage::Lower(const std::wstring& text) const {
    std::wstring out = text;
    for (wchar_t& c : out) c = LowerChar(c);
    return out;
}

}  // namespace quillmark
