#include "tests/stand_ins/text_case.h"

namespace quillmark {

namespace {

bool InRange(wchar_t c, unsigned first, unsigned last) noexcept {
    const auto code = static_cast<unsigned>(c);
    return code >= first && code <= last;
}

// Latin Extended-A pairs its letters upper/lower, but the pairing parity
// flips at U+0139 and again at U+014A and U+0179, with a few loners between.
bool IsLatinExtAUpper(wchar_t c) noexcept {
    if (InRange(c, 0x100, 0x137)) return c % 2 == 0 && c != 0x130;
    if (InRange(c, 0x139, 0x148)) return c % 2 == 1;
    if (InRange(c, 0x14A, 0x177)) return c % 2 == 0;
    if (InRange(c, 0x179, 0x17E)) return c % 2 == 1;
    return false;
}
bool IsLatinExtALower(wchar_t c) noexcept {
    if (InRange(c, 0x100, 0x137)) return c % 2 == 1 && c != 0x131;
    if (InRange(c, 0x139, 0x148)) return c % 2 == 0;
    if (InRange(c, 0x14A, 0x177)) return c % 2 == 1;
    if (InRange(c, 0x179, 0x17E)) return c % 2 == 0;
    return false;
}

}  // namespace

wchar_t UpperChar(wchar_t c) noexcept {
    if (InRange(c, L'a', L'z')) return static_cast<wchar_t>(c - 0x20);
    if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (IsLatinExtALower(c)) return static_cast<wchar_t>(c - 1);
    if (InRange(c, 0x3B1, 0x3C9) && c != 0x3C2) return static_cast<wchar_t>(c - 0x20);
    if (InRange(c, 0x430, 0x44F)) return static_cast<wchar_t>(c - 0x20);
    if (InRange(c, 0x450, 0x45F)) return static_cast<wchar_t>(c - 0x50);
    return c;
}

wchar_t LowerChar(wchar_t c) noexcept {
    if (InRange(c, L'A', L'Z')) return static_cast<wchar_t>(c + 0x20);
    if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
    if (c == 0x178) return 0xFF;
    if (IsLatinExtAUpper(c)) return static_cast<wchar_t>(c + 1);
    if (InRange(c, 0x391, 0x3A9) && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);
    if (InRange(c, 0x410, 0x42F)) return static_cast<wchar_t>(c + 0x20);
    if (InRange(c, 0x400, 0x40F)) return static_cast<wchar_t>(c + 0x50);
    return c;
}

std::wstring CaseKey(const std::wstring& text) {
    std::wstring key = text;
    for (wchar_t& c : key) c = UpperChar(c);
    return key;
}

}  // namespace quillmark
