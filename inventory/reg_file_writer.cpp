#include <cstdio>

#include "inventory/reg_file.h"
#include "platform/registry.h"

namespace quillmark {

namespace {

// regedit wraps a hex line once it reaches this many characters, before the
// continuation backslash; continuation lines start with two spaces.
constexpr std::size_t kHexLineLimit = 77;

// regedit's two escapes, and three of Quillmark's own for what would
// otherwise end the line or the text: a line feed, a carriage return, NUL.
std::wstring Escaped(const std::wstring& text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (const wchar_t c : text) {
        if (c == L'\n' || c == L'\r' || c == L'\0') {
            escaped += c == L'\n' ? L"\\n" : c == L'\r' ? L"\\r" : L"\\0";
            continue;
        }
        if (c == L'\\' || c == L'"') escaped.push_back(L'\\');
        escaped.push_back(c);
    }
    return escaped;
}

// The quoted form holds only what it gives back on import: regedit stores
// the text plus one terminating NUL. Data without that terminator, with a NUL
// inside, of odd size, or with a line break (which would end the line) goes
// in the hex form.
bool HasPlainStringForm(const std::vector<std::uint8_t>& data) {
    if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0)
        return false;
    for (std::size_t i = 0; i + 2 < data.size(); i += 2) {
        const unsigned unit = data[i] | (data[i + 1] << 8);
        if (unit == 0 || unit == L'\r' || unit == L'\n') return false;
    }
    return true;
}

std::wstring TextOf(const std::vector<std::uint8_t>& data) {
    std::wstring text;
    for (std::size_t i = 0; i + 2 < data.size(); i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

std::wstring Hex(unsigned value, int digits) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%0*x", digits, value);
    return buffer;
}

std::wstring HexForm(const std::wstring& prefix, const RegFileValue& value) {
    std::wstring line = prefix + (value.type == kRegBinary ? L"hex:" : L"hex(" + Hex(value.type, 1) + L"):");
    std::size_t lineLength = line.size();
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        line += Hex(value.data[i], 2);
        if (i + 1 == value.data.size()) break;
        line += L',';
        lineLength += 3;
        if (lineLength >= kHexLineLimit) {
            line += L"\\\r\n  ";
            lineLength = 2;
        }
    }
    return line;
}

std::wstring ValueLine(const RegFileValue& value) {
    const std::wstring prefix = value.name.empty() ? L"@=" : L"\"" + Escaped(value.name) + L"\"=";
    if (value.type == kRegSz && HasPlainStringForm(value.data)) return prefix + L"\"" + Escaped(TextOf(value.data)) + L"\"";
    if (value.type == kRegDword && value.data.size() == 4) {
        const unsigned number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                (static_cast<unsigned>(value.data[3]) << 24);
        return prefix + L"dword:" + Hex(number, 8);
    }
    return HexForm(prefix, value);
}

}  // namespace

bool RegeditCannotImportName(const std::wstring& name) {
    return name.find_first_of(std::wstring(L"\n\r\0", 3)) != std::wstring::npos;
}

std::wstring RegFileText(const RegFileContent& content) {
    std::wstring text = L"Windows Registry Editor Version 5.00\r\n\r\n";
    for (const std::wstring& comment : content.comments) text += L";" + comment + L"\r\n";
    if (!content.comments.empty()) text += L"\r\n";
    for (std::size_t i = 0; i < content.values.size(); ++i) {
        const RegFileValue& value = content.values[i];
        if (i == 0 || content.values[i - 1].keyPath != value.keyPath) text += L"[" + value.keyPath + L"]\r\n";
        text += ValueLine(value) + L"\r\n";
        if (i + 1 == content.values.size() || content.values[i + 1].keyPath != value.keyPath) text += L"\r\n";
    }
    return text;
}

std::vector<std::uint8_t> RegFileBytes(const std::wstring& text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace quillmark
